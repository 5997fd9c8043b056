#pragma once
// A line of custom macro B read once into what it does: words whose values are expressions,
// an assignment, IF ... GOTO, IF ... THEN, WHILE ... DO, DO, END or GOTO. Loops run the same
// lines many times; they are read once and kept in this form.

#include <cstdint>
#include <string>
#include <vector>

#include "nc/flow/flowexpression.h"

struct FanucWord {
    char letter = 0;
    FlowExpression value;
};

struct FanucStatement {
    enum class Kind { Words, Assign, IfGoto, IfThen, While, Do, End, Goto };
    Kind kind = Kind::Words;
    std::vector<FanucWord> words;  // Words; IfThen when it does not assign
    bool assigns = false;          // Assign; IfThen when it does
    FlowExpression target, value;  // #target = value
    int32_t variable = -1;         // the variable a constant target names, once found
    FlowExpression condition;      // IfGoto, IfThen, While
    FlowExpression jump;           // IfGoto, Goto: the sequence number
    int64_t loop = 0;              // While, Do, End: the loop's identifier
};

// Reads the line; false with `problem` when it is not a statement of the language.
bool fanucstatement(const char* begin, const char* end, FlowParser& parser, FanucStatement& out,
                    std::string& problem);
