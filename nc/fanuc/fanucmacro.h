#pragma once
// Custom macro B for the Fanuc-family reading: variables, expressions, IF, WHILE, GOTO and
// the local levels of G65 calls. Lines that run again are read once and kept.

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "nc/fanuc/fanucarguments.h"
#include "nc/fanuc/fanucblock.h"
#include "nc/fanuc/fanucprogram.h"
#include "nc/fanuc/fanucstatement.h"
#include "nc/fanuc/fanucvariables.h"
#include "nc/flow/flowexpression.h"
#include "nc/flow/flowrun.h"
#include "nc/ngc/ngcblock.h"

class FanucInterpreter;

class FanucMacro {
  public:
    FanucMacro(FanucInterpreter& reading, int64_t runlimit, const bool* cancel)
        : reading_(reading), parser_(names_, false), steps_(runlimit, cancel) {}

    // A line holding macro words.
    void execute(const char* begin, const char* end);
    // A line that ran before and was kept read: runs it again and counts the run, without
    // reading its text. False when the line is not kept; stop is set when the run must end.
    bool rerun(const FanucPlace& at, FanucPlace& next, bool& stop);
    // Counts one run of the line at `at`; false when the run must stop (a loop that never
    // ends, or a cancel).
    bool step(const FanucPlace& at);
    // A macro call: a new local level holding its arguments; and its end.
    bool enter(const FanucArguments& arguments);
    // The words of the block being executed in written order when I, J or K came more than
    // once in it (a call's arguments), else nullptr.
    const std::vector<FanucArgumentWord>* writtenarguments() const {
        return repeated_ ? &written_ : nullptr;
    }
    void leave();
    // A return to call depth `depth`: the loops of the programs left are closed.
    void unwind(size_t depth);
    // The run jumped: lines from now on may run more than once.
    void jumped() { counting_ = true; }

  private:
    struct Loop {
        int64_t id = 0;
        size_t level = 0;    // the call depth of the program it is written in
        FanucPlace start;    // its WHILE (or DO) line
    };

    struct Kept {
        FanucStatement statement;
        FanucPlace next;
        int64_t runs = 0;
    };

    const FanucStatement* statement(const char* begin, const char* end);
    void run(const FanucStatement& s);
    bool counted(int64_t& runs, int64_t line);
    bool evaluate(const FlowExpression& e, FlowValue& out);
    void words(const std::vector<FanucWord>& list);
    void assign(const FanucStatement& s);
    void gotoline(const FlowExpression& jump);
    void loopstart(const FanucStatement& s, bool test);
    void loopend(int64_t id);

    FanucInterpreter& reading_;
    FlowNames names_;
    FlowParser parser_;
    FlowSteps steps_;
    FanucVariables variables_;
    std::unordered_map<int64_t, Kept> kept_;  // by the line's offset
    FanucStatement scratch_;
    std::unordered_map<int64_t, int64_t> runs_;         // by the line's offset
    bool counting_ = false;
    std::vector<Loop> loops_;
    std::string problem_;
    std::vector<FanucArgumentWord> written_;
    bool repeated_ = false;
};
