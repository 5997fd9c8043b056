#pragma once
// Custom macro B for the Fanuc-family reading: variables, expressions, IF, WHILE, GOTO and
// the local levels of G65 calls. Lines that run again are read once and kept.

#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "nc/fanuc/fanucarguments.h"
#include "nc/fanuc/fanucblock.h"
#include "nc/fanuc/fanucprogram.h"
#include "nc/fanuc/fanucstatement.h"
#include "nc/fanuc/fanucvariables.h"
#include "nc/flow/flowchain.h"
#include "nc/flow/flowexpression.h"
#include "nc/flow/flowrun.h"
#include "nc/inlining.h"
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
    // Inline in the reading's line loop: a loop's pass is a few such lines, and a call would
    // cost about as much as a short line's own work.
    KORVEN_HOT_INLINE bool rerun(const FanucPlace& at, FanucPlace& next, bool& stop) {
        if (!counting_) return false;
        Kept* kept = last_ != nullptr && last_->afteroffset == at.offset ? last_->after : nullptr;
        if (kept == nullptr && (kept = follow(at)) == nullptr) return false;
        last_ = kept;
        next = kept->next;
        // Run from a copy of nothing: the statement stays in place, the map does not change
        // while it runs (only reading a new line adds to it).
        if (kept->preset.ready) {
            presetwords(kept->statement, kept->preset);
        } else {
            run(kept->statement);
        }
        stop = !counted(kept->runs, at.line);
        return true;
    }
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

    // A words line whose constant words go into its block once: each run copies the block
    // and works out only the words that can change.
    struct Preset {
        // A computed word: never a code (those keep the line from being preset) nor a letter
        // already in the block.
        struct Computed {
            uint16_t index;   // into the statement's words
            uint32_t mask;    // its letter's bit; 0 for N and O, which take the slow way
            bool otheraxis;
        };
        bool ready = false;
        FanucBlock block;
        std::vector<Computed> computed;
        // The block of the last run, handed on in place of a copy of `block`: a run resets
        // its letters and writes every computed word's value, the rest never changes.
        FanucBlock working;
    };

    struct Kept {
        FanucStatement statement;
        FanucPlace next;
        int64_t runs = 0;
        Preset preset;
        // The kept line that ran after this one last time, and its offset: most often its
        // next line, or the head of the loop it ends.
        Kept* after = nullptr;
        int64_t afteroffset = -1;
    };

    // Kept lines by offset, in front of the map: a loop's few lines are found without hashing.
    struct Recent {
        int64_t offset = -1;
        Kept* kept = nullptr;
    };
    static constexpr int kRecentBits = 8;

    const FanucStatement* statement(const char* begin, const char* end);
    void run(const FanucStatement& s);
    bool counted(int64_t& runs, int64_t line) { return steps_.step(runs, line) || stopped(); }
    // The run stops here: a loop that never ends, or a cancel; false.
    bool stopped();
    Kept* keptat(int64_t offset);
    // The kept line at `at` found the long way, then remembered as what came after the line
    // run last; nullptr when it is not kept.
    Kept* follow(const FanucPlace& at);
    void forgetkept();
    KORVEN_HOT_INLINE bool evaluate(const FlowExpression& e, FlowValue& out) {
        if (e.constant()) {
            out = {e.steps[0].number, false};
            return true;
        }
        return computed(e, out);
    }
    KORVEN_HOT_INLINE bool computed(const FlowExpression& e, FlowValue& out) {
        const bool done = e.chain.links.empty() ? flowevaluate(e, variables_, out, problem_)
                                                : flowchained(e.chain, variables_, out, problem_);
        return done || failed();
    }
    // Reports problem_ on the line; false.
    bool failed();
    void words(const std::vector<FanucWord>& list);
    void presetwords(const FanucStatement& s, Preset& preset);
    static void prepare(const FanucStatement& s, Preset& preset);
    // Makes the expressions of a kept line quick to work out again.
    void chain(FanucStatement& s);
    // Puts one word's value into the block; false with problem set when the block is wrong.
    static bool addword(FanucBlock& block, const FanucWord& word, const FlowValue& v, std::string& problem);
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
    std::array<Recent, size_t{1} << kRecentBits> recent_{};
    Kept* last_ = nullptr;  // the kept line run last: a loop's next line is most often its `after`
    FanucStatement scratch_;
    std::unordered_map<int64_t, int64_t> runs_;         // by the line's offset
    bool counting_ = false;
    std::vector<Loop> loops_;
    std::string problem_;
    std::vector<FanucArgumentWord> written_;
    bool repeated_ = false;
};
