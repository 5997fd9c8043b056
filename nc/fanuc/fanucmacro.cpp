#include "nc/fanuc/fanucmacro.h"

#include <cmath>

#include "nc/fanuc/fanucinterpreter.h"

namespace {

// Lines kept read; a program that is all macro lines must not keep every one of them.
constexpr size_t kMaxKept = 1 << 16;

bool isijk(char letter) {
    return letter == 'I' || letter == 'J' || letter == 'K';
}

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
    prepare(kept.statement, kept.preset);
    return &kept.statement;
}

bool FanucMacro::computed(const FlowExpression& e, FlowValue& out) {
    if (flowevaluate(e, variables_, out, problem_)) return true;
    reading_.problem(problem_);
    return false;
}

void FanucMacro::execute(const char* begin, const char* end) {
    const FanucStatement* s = statement(begin, end);
    if (s == nullptr) return;
    // A line read just now and kept runs as it will on every pass.
    const Kept* kept = counting_ ? keptat(reading_.current().offset) : nullptr;
    if (kept != nullptr && kept->preset.ready) return presetwords(*s, kept->preset);
    run(*s);
}

bool FanucMacro::rerun(const FanucPlace& at, FanucPlace& next, bool& stop) {
    if (!counting_) return false;
    Kept* kept = keptat(at.offset);
    if (kept == nullptr) return false;
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

bool FanucMacro::addword(FanucBlock& block, const FanucWord& word, const FlowValue& v, std::string& problem) {
    NgcBlock& w = block.words;
    // A null value leaves the word out, as if it were not written.
    if (v.empty) return true;
    const char letter = word.letter;
    if (!std::isfinite(v.value)) {
        problem = std::string(1, letter) + " is not a number";
        return false;
    }
    if (letter == 'G' || letter == 'M') {
        const double tenths = std::nearbyint(v.value * 10);
        if (std::fabs(v.value * 10 - tenths) > 1e-6 || std::fabs(tenths) >= 1e5 ||
            (letter == 'M' && static_cast<int32_t>(tenths) % 10 != 0)) {
            problem = "unknown code " + std::string(1, letter) + std::to_string(v.value);
            return false;
        }
        int& count = letter == 'G' ? w.gcount : w.mcount;
        if (count == NgcBlock::kMaxCodes) {
            problem = "too many codes";
            return false;
        }
        (letter == 'G' ? w.gcodes : w.mcodes)[count++] = static_cast<int32_t>(tenths);
        return true;
    }
    if (letter == 'N') return true;
    if (letter == 'O') {
        problem = "O inside a block";
        return false;
    }
    const uint32_t mask = 1u << (letter - 'A');
    if (w.letters & mask) {
        problem = std::string("two ") + letter + " words";
        return false;
    }
    w.letters |= mask;
    if (letter == 'A' || letter == 'B' || letter == 'C' || letter == 'U' || letter == 'V' || letter == 'W') {
        w.otheraxes |= mask;
    }
    w.value[letter - 'A'] = v.value;
    // Only a number written without a point counts in least increments.
    if (!(word.value.literal && !word.value.point)) block.points |= mask;
    return true;
}

void FanucMacro::words(const std::vector<FanucWord>& list) {
    FanucBlock block;
    NgcBlock& w = block.words;
    written_.clear();
    bool repeated = false;
    bool call = false;
    for (const FanucWord& word : list) {
        FlowValue v;
        if (!evaluate(word.value, v)) return;
        // A null value leaves the word out, as if it were not written.
        if (v.empty) continue;
        const char letter = word.letter;
        if (!std::isfinite(v.value)) return reading_.problem(std::string(1, letter) + " is not a number");
        if (letter == 'G' || letter == 'M') {
            const double tenths = std::nearbyint(v.value * 10);
            if (std::fabs(v.value * 10 - tenths) > 1e-6 || std::fabs(tenths) >= 1e5 ||
                (letter == 'M' && static_cast<int32_t>(tenths) % 10 != 0)) {
                return reading_.problem("unknown code " + std::string(1, letter) + std::to_string(v.value));
            }
            if (letter == 'G' && (tenths == 650 || tenths == 660)) call = true;
            int& count = letter == 'G' ? w.gcount : w.mcount;
            if (count == NgcBlock::kMaxCodes) return reading_.problem("too many codes");
            (letter == 'G' ? w.gcodes : w.mcodes)[count++] = static_cast<int32_t>(tenths);
            continue;
        }
        if (letter == 'N') continue;
        if (letter == 'O') return reading_.problem("O inside a block");
        const uint32_t mask = 1u << (letter - 'A');
        // Only a number written without a point counts in least increments.
        const bool point = !(word.value.literal && !word.value.point);
        written_.push_back({letter, v.value, point});
        if (w.letters & mask) {
            // I J K again: the next set of a call's arguments, known once the whole block is read.
            if (isijk(letter)) {
                repeated = true;
                continue;
            }
            return reading_.problem(std::string("two ") + letter + " words");
        }
        w.letters |= mask;
        if (letter == 'A' || letter == 'B' || letter == 'C' || letter == 'U' || letter == 'V' || letter == 'W') {
            w.otheraxes |= mask;
        }
        w.value[letter - 'A'] = v.value;
        if (point) block.points |= mask;
    }
    if (repeated && !call) {
        for (const char letter : {'I', 'J', 'K'}) {
            int count = 0;
            for (const FanucArgumentWord& a : written_) count += a.letter == letter;
            if (count > 1) return reading_.problem(std::string("two ") + letter + " words");
        }
    }
    if (w.letters == 0 && w.gcount == 0 && w.mcount == 0) return;
    repeated_ = repeated;
    reading_.execute(block);
    repeated_ = false;
}

void FanucMacro::prepare(const FanucStatement& s, Preset& preset) {
    preset = Preset{};
    if (s.kind != FanucStatement::Kind::Words || s.words.size() > 0xFFFF) return;
    // Only where working the constant words out first cannot change what the line does: none
    // of them is wrong, no letter but G, M and N comes twice (a call's repeated arguments are
    // read in written order), and no code is computed.
    uint32_t seen = 0, twice = 0, computedletters = 0;
    for (const FanucWord& word : s.words) {
        const uint32_t mask = 1u << (word.letter - 'A');
        twice |= seen & mask;
        seen |= mask;
        if (!word.value.constant()) computedletters |= mask;
    }
    constexpr uint32_t kCodes = (1u << ('G' - 'A')) | (1u << ('M' - 'A'));
    constexpr uint32_t kSequence = 1u << ('N' - 'A');
    if ((twice & ~(kCodes | kSequence)) != 0 || (computedletters & kCodes) != 0) return;
    std::string problem;
    for (size_t i = 0; i < s.words.size(); ++i) {
        const FlowExpression& e = s.words[i].value;
        if (!e.constant()) {
            preset.computed.push_back(static_cast<uint16_t>(i));
        } else if (!addword(preset.block, s.words[i], {e.steps[0].number, false}, problem)) {
            preset = Preset{};
            return;
        }
    }
    preset.ready = true;
}

void FanucMacro::presetwords(const FanucStatement& s, const Preset& preset) {
    FanucBlock block = preset.block;
    for (const uint16_t i : preset.computed) {
        const FanucWord& word = s.words[i];
        FlowValue v;
        if (!computed(word.value, v)) return;
        if (!addword(block, word, v, problem_)) return reading_.problem(problem_);
    }
    const NgcBlock& w = block.words;
    if (w.letters != 0 || w.gcount != 0 || w.mcount != 0) reading_.execute(block);
}

void FanucMacro::assign(const FanucStatement& s) {
    FlowValue number, value;
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

bool FanucMacro::counted(int64_t& runs, int64_t line) {
    if (steps_.step(runs, line)) return true;
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
