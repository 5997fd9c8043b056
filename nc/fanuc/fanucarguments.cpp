#include "nc/fanuc/fanucarguments.h"

namespace {

// The variable of a letter that is an argument once per call, 0 for the others.
int argumentof(char letter) {
    switch (letter) {
        case 'A': return 1;  case 'B': return 2;  case 'C': return 3;  case 'I': return 4;
        case 'J': return 5;  case 'K': return 6;  case 'D': return 7;  case 'E': return 8;
        case 'F': return 9;  case 'H': return 11; case 'M': return 13; case 'Q': return 17;
        case 'R': return 18; case 'S': return 19; case 'T': return 20; case 'U': return 21;
        case 'V': return 22; case 'W': return 23; case 'X': return 24; case 'Y': return 25;
        case 'Z': return 26;
        default: return 0;
    }
}

bool islength(char letter) {
    switch (letter) {
        case 'X': case 'Y': case 'Z': case 'I': case 'J': case 'K': case 'R': return true;
        default: return false;
    }
}

constexpr int kMaxSets = 10;

}  // namespace

void fanucarguments(const NgcBlock& block, FanucArguments& out) {
    for (int i = 0; i < 26; ++i) {
        const char letter = static_cast<char>('A' + i);
        const int index = argumentof(letter);
        if (index > 0 && block.has(letter)) out.value[static_cast<size_t>(index - 1)] = {block.get(letter), false};
    }
    // M is read as a code: its value is the argument.
    if (block.mcount > 0) out.value[12] = {block.mcodes[0] / 10.0, false};
}

bool fanucarguments(const std::vector<FanucArgumentWord>& words, double increment, double scale,
                    FanucArguments& out, std::string& problem) {
    int seen[3] = {0, 0, 0};  // how many I, J and K so far
    for (const FanucArgumentWord& w : words) {
        int index = argumentof(w.letter);
        if (w.letter == 'I' || w.letter == 'J' || w.letter == 'K') {
            int& n = seen[w.letter - 'I'];
            if (n == kMaxSets) {
                problem = std::string("a call takes ") + w.letter + " at most 10 times";
                return false;
            }
            index = 4 + 3 * n + (w.letter - 'I');
            ++n;
        }
        if (index == 0) continue;
        double v = w.value;
        if (islength(w.letter)) v = (w.point ? v : v * increment) * scale;
        out.value[static_cast<size_t>(index - 1)] = {v, false};
    }
    return true;
}
