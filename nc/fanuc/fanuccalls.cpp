// Subprograms in the same file: M98 P calls program P (its upper digits, past the last four,
// repeat it, as do L and K), M99 returns to the block after the call or, with P, to that
// sequence number of the caller; G65 calls with arguments in a local level of its own, and
// G66 makes such a call after each move until G67. G66 calls stack: a move calls the one
// specified last, the moves of its macro the one in force before it, and G67 cancels the
// last. A line that is no block (a header, the tape's '%') ends a program as a return would.

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

void FanucInterpreter::calls(const Codes& codes, const NgcBlock& block, bool moved) {
    if (codes.group[12] == 670) modalcancel();
    if (codes.call == 660) return modalstart(block);
    if (codes.call == 990) return giveback(block);
    if (codes.call != 980 && codes.call != 650) {
        const int called = modalcalled();
        if (moved && called != kNoModal && !ended_) {
            const FanucModalCall& modal = modals_[static_cast<size_t>(called)];
            // L0 keeps the call in force and runs nothing.
            if (modal.repeats > 0) call(modal.number, modal.repeats, &modal.arguments, called);
        }
        return;
    }
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
    if (!macro) return call(number, static_cast<int64_t>(repeats), nullptr, kNoModal);
    FanucArguments given;
    if (!arguments(block, given)) return;
    call(number, static_cast<int64_t>(repeats), &given, kNoModal);
}

void FanucInterpreter::modalstart(const NgcBlock& block) {
    if (!block.has('P') || !whole(block.get('P'), 0, 99999999)) {
        return problem("G66 needs P, a program number");
    }
    double repeats = 1;
    if (block.has('L')) {
        repeats = block.get('L');
        if (!whole(repeats, 0, kMaxRepeats)) return problem("G66 needs L as a whole number of repeats");
    }
    // A G66 in a loop without G67 would otherwise pile calls up without end; the control
    // nests far fewer.
    if (modals_.size() >= kMaxNesting) {
        return alarm("calls nested more than " + std::to_string(kMaxNesting) + " deep");
    }
    FanucModalCall next;
    if (!arguments(block, next.arguments)) return;
    next.outer = modalcalled();
    next.number = static_cast<int64_t>(block.get('P'));
    next.repeats = static_cast<int64_t>(repeats);
    modals_.push_back(next);
    // Inside a macro a G66 called, the moves after this block call the new one; elsewhere
    // they call the last specified anyway.
    if (modalview_ != kLastModal) modalview_ = static_cast<int>(modals_.size()) - 1;
}

void FanucInterpreter::modalcancel() {
    if (modals_.empty()) return;
    const int last = static_cast<int>(modals_.size()) - 1;
    const int outer = modals_.back().outer;
    // Levels whose moves called the cancelled one call what it called.
    if (modalview_ == last) modalview_ = outer;
    for (Call& c : stack_) {
        if (c.callerview == last) c.callerview = outer;
    }
    modals_.pop_back();
}

bool FanucInterpreter::arguments(const NgcBlock& block, FanucArguments& out) {
    const std::vector<FanucArgumentWord>* written = macro_->writtenarguments();
    if (written == nullptr) {
        fanucarguments(block, out);
        return true;
    }
    std::string message;
    if (!fanucarguments(*written, inch_ ? 0.0001 : 0.001, wordscale(), out, message)) {
        problem(message);
        return false;
    }
    // M is read as a code: its value is the argument, unless a fourth I took #13.
    if (block.mcount > 0 && out.value[12].empty) out.value[12] = {block.mcodes[0] / 10.0, false};
    return true;
}

void FanucInterpreter::call(int64_t number, int64_t repeats, const FanucArguments* arguments, int modal) {
    FanucPlace body;
    if (!program_.findprogram(number, body)) {
        return alarm("program O" + std::to_string(number) + " not found");
    }
    if (stack_.size() >= kMaxNesting) {
        return alarm("calls nested more than " + std::to_string(kMaxNesting) + " deep");
    }
    const bool macro = arguments != nullptr;
    if (macro && !macro_->enter(*arguments)) return alarm("macro calls nested too deep");
    stack_.push_back(Call{next_, body, repeats - 1, macro, modalview_});
    // The moves of a macro a G66 called make the call in force before that one; other
    // calls keep their caller's.
    if (modal != kNoModal) modalview_ = modals_[static_cast<size_t>(modal)].outer;
    macro_->jumped();
    next_ = body;
}

bool FanucInterpreter::jumpto(int64_t n) {
    FanucPlace found;
    if (!program_.findsequence(n, current_, found)) {
        alarm("sequence number N" + std::to_string(n) + " not found");
        return false;
    }
    next_ = found;
    macro_->jumped();
    return true;
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
    modalview_ = done.callerview;
    next_ = done.back;
    if (sequence) {
        FanucPlace found;
        if (!program_.findsequence(static_cast<int64_t>(p), done.back, found)) {
            return alarm("sequence number N" + std::to_string(static_cast<int64_t>(p)) + " not found");
        }
        next_ = found;
    }
}

void FanucInterpreter::dispatch(FanucLineKind kind, const FanucBlock& block, const std::string& message) {
    switch (kind) {
        case FanucLineKind::Block:
            if (haswords(block)) {
                mainstarted_ = true;
                execute(block);
            }
            break;
        case FanucLineKind::Percent:
            // The tape's closing '%' ends the program; a subprogram should have returned.
            if (!mainstarted_) break;
            if (!stack_.empty()) {
                problem("subprogram ends without M99");
                giveback(NgcBlock{});
                break;
            }
            ended_ = true;
            break;
        case FanucLineKind::Header:
            if (!stack_.empty()) {
                problem("subprogram ends without M99");
                giveback(NgcBlock{});
            } else if (mainstarted_) {
                ended_ = true;  // the next program in the file: the main one is over
            } else {
                mainstarted_ = true;
            }
            break;
        case FanucLineKind::Deleted:
        case FanucLineKind::Macro:
            break;
        case FanucLineKind::Bad:
            mainstarted_ = true;
            problem(message);
            break;
    }
}
