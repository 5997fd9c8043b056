// Subprograms in the same file: M98 P calls program P (its upper digits, past the last four,
// repeat it, as do L and K), M99 returns to the block after the call or, with P, to that
// sequence number of the caller; G65 calls with arguments in a local level of its own.

#include <cmath>
#include <string>

#include "nc/fanuc/fanuccodes.h"
#include "nc/fanuc/fanucinterpreter.h"
#include "nc/fanuc/fanucmacro.h"

namespace {

// More repeats than any part program makes; a bigger count is a typing fault.
constexpr double kMaxRepeats = 9999;

bool whole(double v, double low, double high) {
    return v >= low && v <= high && v == std::floor(v);
}

}  // namespace

void FanucInterpreter::calls(const Codes& codes, const NgcBlock& block) {
    if (codes.call == 990) return giveback(block);
    if (codes.call != 980 && codes.call != 650) return;
    const bool macro = codes.call == 650;
    const char* name = macro ? "G65" : "M98";
    if (!block.has('P') || !whole(block.get('P'), 0, 99999999)) {
        return problem(std::string(name) + " needs P, a program number");
    }
    int64_t number = static_cast<int64_t>(block.get('P'));
    double repeats = 1;
    if (!macro && number > 9999) {
        repeats = static_cast<double>(number / 10000);
        number %= 10000;
    }
    for (const char letter : {'L', 'K'}) {
        // G65 takes K as an argument.
        if (macro && letter == 'K') continue;
        if (!block.has(letter)) continue;
        repeats = block.get(letter);
        if (!whole(repeats, 0, kMaxRepeats)) {
            return problem(std::string(name) + " needs " + letter + " as a whole number of repeats");
        }
    }
    if (repeats > kMaxRepeats) return problem(std::string(name) + " repeats more than 9999 times");
    if (repeats == 0) return;
    call(number, static_cast<int64_t>(repeats), macro, block);
}

void FanucInterpreter::call(int64_t number, int64_t repeats, bool macro, const NgcBlock& block) {
    FanucPlace body;
    if (!program_.findprogram(number, body)) {
        return alarm("program O" + std::to_string(number) + " not found");
    }
    if (stack_.size() >= kMaxNesting) {
        return alarm("calls nested more than " + std::to_string(kMaxNesting) + " deep");
    }
    if (macro && !macro_->enter(block)) return alarm("macro calls nested too deep");
    stack_.push_back(Call{next_, body, repeats - 1, macro});
    macro_->jumped();
    next_ = body;
}

void FanucInterpreter::giveback(const NgcBlock& block) {
    const bool sequence = block.has('P');
    const double p = sequence ? block.get('P') : -1;
    if (sequence && !whole(p, 0, 99999)) return problem("M99 needs P, a sequence number");
    if (stack_.empty()) {
        if (sequence) {
            jumpto(static_cast<int64_t>(p));
            return;
        }
        // The control would start the main program again; drawing it once shows it all.
        job_.notice.ignore("M99 at the end of the main program (run once)", line_);
        ended_ = true;
        return;
    }
    Call& top = stack_.back();
    if (top.repeats > 0) {
        --top.repeats;
        next_ = top.body;
        return;
    }
    const Call done = top;
    stack_.pop_back();
    macro_->unwind(stack_.size());
    if (done.macro) macro_->leave();
    next_ = done.back;
    if (sequence) {
        FanucPlace found;
        if (!program_.findsequence(static_cast<int64_t>(p), done.back, found)) {
            return alarm("sequence number N" + std::to_string(static_cast<int64_t>(p)) + " not found");
        }
        next_ = found;
    }
}
