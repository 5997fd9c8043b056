#include "nc/fanuc/fanucmacro.h"

#include <cmath>
#include <string>

#include "nc/fanuc/fanucinterpreter.h"

// How a macro line's words reach the block the reading acts on: computed values, null words
// left out, and a kept line's constant words filled in once.

namespace {

bool isijk(char letter) {
    return letter == 'I' || letter == 'J' || letter == 'K';
}

}  // namespace

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
            const char letter = s.words[i].letter;
            const bool plain = letter != 'N' && letter != 'O';
            const bool other = letter == 'A' || letter == 'B' || letter == 'C' || letter == 'U' || letter == 'V' || letter == 'W';
            preset.computed.push_back({static_cast<uint16_t>(i), plain ? 1u << (letter - 'A') : 0u, other});
        } else if (!addword(preset.block, s.words[i], {e.steps[0].number, false}, problem)) {
            preset = Preset{};
            return;
        }
    }
    preset.working = preset.block;
    preset.ready = true;
}

void FanucMacro::presetwords(const FanucStatement& s, Preset& preset) {
    FanucBlock& block = preset.working;
    block.words.letters = preset.block.words.letters;
    block.words.otheraxes = preset.block.words.otheraxes;
    block.points = preset.block.points;
    for (const Preset::Computed& c : preset.computed) {
        const FanucWord& word = s.words[c.index];
        FlowValue v;
        // A block that fails here is not executed, and the next run writes every computed
        // word again: a value left from an earlier run is never seen.
        if (!computed(word.value, v)) return;
        if (c.mask != 0 && !v.empty && std::isfinite(v.value)) {
            // What addword does for a computed letter seen once in the line.
            block.words.letters |= c.mask;
            if (c.otheraxis) block.words.otheraxes |= c.mask;
            block.words.value[word.letter - 'A'] = v.value;
            block.points |= c.mask;
            continue;
        }
        if (c.mask != 0) block.words.value[word.letter - 'A'] = preset.block.words.value[word.letter - 'A'];
        if (!addword(block, word, v, problem_)) return reading_.problem(problem_);
    }
    const NgcBlock& w = block.words;
    if (w.letters != 0 || w.gcount != 0 || w.mcount != 0) reading_.execute(block);
}
