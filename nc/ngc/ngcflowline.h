#pragma once
// A line of an RS274/NGC program read once into what running it needs, so that a loop or a
// subroutine runs its lines again without reading their text again; and the lines of one
// loop, subroutine or file kept together with their O-words matched.

#include <cstdint>
#include <string>
#include <vector>

#include "nc/flow/flowexpression.h"
#include "nc/ngc/ngcblock.h"

enum class NgcKeyword : uint8_t {
    None, Sub, EndSub, Return, Call, If, ElseIf, Else, EndIf, While, EndWhile, Do, DoWhile,
    Repeat, EndRepeat, Break, Continue,
};

struct NgcFlowLine {
    enum class Kind : uint8_t { Block, Computed, Control, Bad, Skip };
    struct Word {
        char letter;  // A..Z, '@' or '^'
        FlowExpression value;
    };
    struct Setting {
        bool named = false;
        int32_t name = 0;
        FlowExpression number, value;
    };

    Kind kind = Kind::Skip;
    NgcKeyword keyword = NgcKeyword::None;
    int64_t line = 0;
    int64_t runs = 0;
    // The matching O-word: for if/elseif the next branch, for else the endif, while and
    // repeat their end and back, do its closing while and back, break and continue their loop,
    // sub its endsub.
    int64_t jump = -1;
    int64_t endif = -1;  // for every branch of an if
    NgcBlock block;      // the words as they are; Computed: those written as numbers
    std::vector<Word> words;  // Computed: the words whose values are computed
    std::vector<Setting> settings;
    std::string label;  // O-word: "100" or the name in lower case
    std::vector<FlowExpression> arguments;  // if/while/repeat: the condition; call: its values
    std::string message;  // Bad: what is wrong; Skip: a code to list as ignored, if any
};

// Reads a line's text into `out` (its line number already set). Problems make it Bad.
void ngcreadflowline(const char* begin, const char* end, FlowParser& parser, NgcFlowLine& out);

// A word's value put into a block as NgcBlockParser puts a written one; false with `message`.
bool ngcputwordchecked(NgcBlock& block, char letter, double value, std::string& message);

// The letters that take a value as it is (G, M and N are read otherwise), and of them the axes
// this reading does not draw.
constexpr uint32_t ngcletterbit(char c) {
    return 1u << (c - 'A');
}
constexpr uint32_t kNgcWordLetters =
    ngcletterbit('A') | ngcletterbit('B') | ngcletterbit('C') | ngcletterbit('D') | ngcletterbit('F') |
    ngcletterbit('H') | ngcletterbit('I') | ngcletterbit('J') | ngcletterbit('K') | ngcletterbit('L') |
    ngcletterbit('P') | ngcletterbit('Q') | ngcletterbit('R') | ngcletterbit('S') | ngcletterbit('T') |
    ngcletterbit('U') | ngcletterbit('V') | ngcletterbit('W') | ngcletterbit('X') | ngcletterbit('Y') |
    ngcletterbit('Z');
constexpr uint32_t kNgcOtherAxes = ngcletterbit('A') | ngcletterbit('B') | ngcletterbit('C') |
                                   ngcletterbit('U') | ngcletterbit('V') | ngcletterbit('W');

// A computed coordinate of a loop's line takes the short way; the rest is checked in full.
inline bool ngcputword(NgcBlock& block, char letter, double value, std::string& message) {
    if (letter >= 'A' && letter <= 'Z') {
        const uint32_t mask = ngcletterbit(letter);
        if ((kNgcWordLetters & mask) != 0 && (block.letters & mask) == 0) {
            block.letters |= mask;
            block.otheraxes |= mask & kNgcOtherAxes;
            block.value[letter - 'A'] = value;
            return true;
        }
    }
    return ngcputwordchecked(block, letter, value, message);
}

// The lines of one file, subroutine or loop. Matching links every O-word to its partner and
// makes a line Bad where the partner is missing; the subroutines defined are listed.
struct NgcScript {
    std::vector<NgcFlowLine> lines;
    int32_t file = 0;

    struct Sub {
        std::string label;
        int64_t index;
    };
    std::vector<Sub> subs;

    void match();
};

// How the O-words seen so far nest: tells, line by line, when the structure that the first
// of them opened is closed.
class NgcNesting {
  public:
    // False once the outermost structure has closed with this line.
    bool open(const NgcFlowLine& line);

  private:
    struct Open {
        NgcKeyword keyword;
        std::string label;
    };
    std::vector<Open> open_;
};
