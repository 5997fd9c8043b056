#include "nc/fanuc/fanucmacro.h"

#include <cmath>

#include "nc/fanuc/fanucinterpreter.h"

namespace {

// Lines kept read; a program that is all macro lines must not keep every one of them.
constexpr size_t kMaxKept = 1 << 16;

}  // namespace

FanucMacro::Kept* FanucMacro::keptat(int64_t offset) {
    const uint64_t hash = static_cast<uint64_t>(offset) * 0x9E3779B97F4A7C15ull;
    Recent& recent = recent_[static_cast<size_t>(hash >> (64 - kRecentBits))];
    if (recent.offset == offset) return recent.kept;
    const auto found = kept_.find(offset);
    if (found == kept_.end()) return nullptr;
    recent = {offset, &found->second};
    return recent.kept;
}

void FanucMacro::forgetkept() {
    kept_.clear();
    recent_.fill(Recent{});
    last_ = nullptr;
}

const FanucStatement* FanucMacro::statement(const char* begin, const char* end) {
    const int64_t at = reading_.current().offset;
    if (counting_) {
        if (const Kept* kept = keptat(at)) return &kept->statement;
    }
    if (!fanucstatement(begin, end, parser_, scratch_, problem_)) {
        reading_.problem(problem_);
        return nullptr;
    }
    if (!counting_) return &scratch_;
    if (kept_.size() >= kMaxKept) forgetkept();
    Kept& kept = kept_[at];
    kept.statement = scratch_;
    kept.next = reading_.next();
    kept.runs = runs_[at];
    chain(kept.statement);
    prepare(kept.statement, kept.preset);
    return &kept.statement;
}

bool FanucMacro::failed() {
    reading_.problem(problem_);
    return false;
}

void FanucMacro::chain(FanucStatement& s) {
    for (FlowExpression* e : {&s.target, &s.value, &s.condition, &s.jump}) flowchain(*e, variables_);
    for (FanucWord& word : s.words) flowchain(word.value, variables_);
    int32_t index = 0;
    std::string problem;
    if (s.target.constant() && variables_.find(s.target.steps[0].number, true, index, problem)) s.variable = index;
}

void FanucMacro::execute(const char* begin, const char* end) {
    const FanucStatement* s = statement(begin, end);
    if (s == nullptr) return;
    // A line read just now and kept runs as it will on every pass.
    Kept* kept = counting_ ? keptat(reading_.current().offset) : nullptr;
    if (kept != nullptr && kept->preset.ready) return presetwords(*s, kept->preset);
    run(*s);
}

FanucMacro::Kept* FanucMacro::follow(const FanucPlace& at) {
    Kept* kept = keptat(at.offset);
    if (kept != nullptr && last_ != nullptr) {
        last_->after = kept;
        last_->afteroffset = at.offset;
    }
    return kept;
}

void FanucMacro::run(const FanucStatement& statement) {
    const FanucStatement* s = &statement;
    using Kind = FanucStatement::Kind;
    FlowValue test;
    switch (s->kind) {
        case Kind::Words:
            return words(s->words);
        case Kind::Assign:
            return assign(*s);
        case Kind::IfGoto:
        case Kind::IfThen:
            if (!evaluate(s->condition, test)) return;
            // Null is not true.
            if (test.empty || test.value == 0) return;
            if (s->kind == Kind::IfGoto) return gotoline(s->jump);
            return s->assigns ? assign(*s) : words(s->words);
        case Kind::Goto:
            return gotoline(s->jump);
        case Kind::While:
            return loopstart(*s, true);
        case Kind::Do:
            return loopstart(*s, false);
        case Kind::End:
            return loopend(s->loop);
    }
}

void FanucMacro::assign(const FanucStatement& s) {
    FlowValue number, value;
    if (s.variable > 0) {
        if (evaluate(s.value, value)) variables_.set(s.variable, value);
        return;
    }
    if (!evaluate(s.target, number) || !evaluate(s.value, value)) return;
    int32_t index = 0;
    if (!variables_.find(number.value, true, index, problem_)) return reading_.problem(problem_);
    variables_.set(index, value);
}

void FanucMacro::gotoline(const FlowExpression& jump) {
    FlowValue n;
    if (!evaluate(jump, n)) return;
    if (n.empty || !(n.value >= 0 && n.value <= 99999)) {
        return reading_.problem("GOTO needs a sequence number 0 to 99999");
    }
    counting_ = true;
    reading_.jumpto(static_cast<int64_t>(std::nearbyint(n.value)));
}

void FanucMacro::loopstart(const FanucStatement& s, bool test) {
    const FanucPlace here = reading_.current();
    // Loops belong to the program they are written in: a subprogram may use the same number.
    const size_t level = reading_.depth();
    bool runs = true;
    if (test) {
        FlowValue v;
        if (!evaluate(s.condition, v)) return;
        runs = !v.empty && v.value != 0;
    }
    // Coming round again finds the loop open already.
    const bool open = !loops_.empty() && loops_.back().start.offset == here.offset;
    if (runs) {
        if (!open) {
            for (size_t i = loops_.size(); i-- > 0;) {
                if (loops_[i].id == s.loop && loops_[i].level == level) loops_.erase(loops_.begin() + static_cast<long>(i));
            }
            loops_.push_back(Loop{s.loop, level, here});
        }
        return;
    }
    if (open) loops_.pop_back();
    FanucPlace found;
    if (!reading_.text().findkeyword("END", s.loop, reading_.next(), found)) {
        return reading_.alarm("DO" + std::to_string(s.loop) + " without END" + std::to_string(s.loop));
    }
    // On after the END line.
    const char *b = nullptr, *e = nullptr;
    reading_.text().line(found, b, e, reading_.next());
}

void FanucMacro::loopend(int64_t id) {
    for (size_t i = loops_.size(); i-- > 0;) {
        if (loops_[i].level != reading_.depth()) break;
        if (loops_[i].id != id) continue;
        loops_.resize(i + 1);
        counting_ = true;
        reading_.next() = loops_[i].start;
        return;
    }
    reading_.problem("END" + std::to_string(id) + " without DO" + std::to_string(id));
}

bool FanucMacro::step(const FanucPlace& at) {
    if (!counting_) return true;
    Kept* kept = keptat(at.offset);
    return counted(kept != nullptr ? kept->runs : runs_[at.offset], at.line);
}

bool FanucMacro::stopped() {
    if (!steps_.message.empty()) reading_.problem(steps_.message);
    return false;
}

void FanucMacro::unwind(size_t depth) {
    while (!loops_.empty() && loops_.back().level > depth) loops_.pop_back();
}

bool FanucMacro::enter(const FanucArguments& arguments) {
    counting_ = true;
    if (!variables_.enter()) return false;
    for (int32_t i = 0; i < FanucVariables::kLocals; ++i) {
        if (!arguments.value[static_cast<size_t>(i)].empty) variables_.set(i + 1, arguments.value[static_cast<size_t>(i)]);
    }
    return true;
}

void FanucMacro::leave() {
    variables_.leave();
}
