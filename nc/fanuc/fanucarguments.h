#pragma once
// The arguments of a macro call (G65, and G66 for each move after it) in the local variables
// #1 to #33 of the called level.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "nc/flow/flowvalue.h"
#include "nc/ngc/ngcblock.h"

struct FanucArguments {
    std::array<FlowValue, 33> value;  // #1 .. #33, null where not given
    FanucArguments() { value.fill(FlowValue::null()); }
};

// A word of a call block as written, kept in order when I, J or K come more than once.
struct FanucArgumentWord {
    char letter = 0;
    double value = 0;
    bool point = false;  // written with a point, or a value from a variable or brackets
};

// Each letter once: A B C, I J K, D E F H M Q R S T U V W X Y Z to their variables.
void fanucarguments(const NgcBlock& block, FanucArguments& out);

// I J K repeated: the n-th I, J and K go to #(1+3n), #(2+3n), #(3+3n), up to ten times each;
// the other letters as above, and where two words name one variable the later one counts.
// Lengths without a point count in `increment`, and all lengths are multiplied by `scale`,
// as the block's own words are. False with the problem when a letter comes an eleventh time.
bool fanucarguments(const std::vector<FanucArgumentWord>& words, double increment, double scale,
                    FanucArguments& out, std::string& problem);

// A G66 modal call in force: the program, its repeats and the arguments of the G66 block.
struct FanucModalCall {
    int outer = -1;  // the modal call the moves of its macro make in turn, -1 for none
    int64_t number = 0;
    int64_t repeats = 1;
    FanucArguments arguments;
};
