#include "nc/fanuc/fanucblock.h"

#include "nc/decimalscan.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace {

bool blank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

bool isdigit(char c) {
    return c >= '0' && c <= '9';
}

bool isletter(char c) {
    const char u = static_cast<char>(c & ~0x20);
    return u >= 'A' && u <= 'Z';
}

constexpr uint32_t bit(char c) {
    return 1u << (c - 'A');
}
constexpr uint32_t kOtherAxes = bit('A') | bit('B') | bit('C') | bit('U') | bit('V') | bit('W');

}  // namespace

bool fanucnumber(const char*& p, const char* end, double& value, bool& point) {
    while (p < end && blank(*p)) ++p;
    bool negative = false;
    if (p < end && (*p == '-' || *p == '+')) {
        negative = *p == '-';
        ++p;
        while (p < end && blank(*p)) ++p;
    }
    return decimalscan::unsignedvalue(p, end, negative, value, point);
}

int64_t fanucsequence(const char* p, const char* end) {
    while (p < end && blank(*p)) ++p;
    if (p < end && *p == '/') ++p;
    while (p < end && blank(*p)) ++p;
    if (p == end || (*p | 0x20) != 'n') return -1;
    ++p;
    while (p < end && blank(*p)) ++p;
    int64_t n = 0;
    int digits = 0;
    for (; p < end && isdigit(*p) && digits < 12; ++p, ++digits) n = n * 10 + (*p - '0');
    return digits > 0 ? n : -1;
}

FanucLineKind FanucBlockParser::parse(const char* p, const char* end, FanucBlock& block) {
    NgcBlock& words = block.words;
    words.letters = 0;
    words.otheraxes = 0;
    words.gcount = 0;
    words.mcount = 0;
    block.points = 0;
    block.sequence = -1;
    while (p < end && blank(*p)) ++p;
    if (p < end && *p == '%') return FanucLineKind::Percent;
    if (p < end && *p == '/') return FanucLineKind::Deleted;
    bool first = true;
    while (p < end) {
        const char c = *p;
        if (blank(c)) {
            ++p;
            continue;
        }
        if (c == '(') {
            while (p < end && *p != ')') ++p;
            if (p == end) return bad("comment not closed");
            ++p;
            continue;
        }
        if (c == ';') break;  // the end of block as the manuals write it
        if (c == '#' || c == '[') return FanucLineKind::Macro;
        if (!isletter(c) && !(c == ':' && first)) {
            char text[48];
            std::snprintf(text, sizeof text, "unexpected character 0x%02X", c & 0xFF);
            if (c > ' ' && c < 127) std::snprintf(text, sizeof text, "unexpected character '%c'", c);
            return bad(text);
        }
        // ':' heads a program as O does on tapes of the ISO code.
        const char letter = c == ':' ? 'O' : static_cast<char>(c & ~0x20);
        const char* const wordstart = p++;
        // A letter followed by a letter is a keyword (IF, WHILE, GOTO, END ...).
        const char* look = p;
        while (look < end && blank(*look)) ++look;
        if (look < end && (isletter(*look) || *look == '#' || *look == '[' || *look == '=')) {
            return FanucLineKind::Macro;
        }
        if (look + 1 < end && (*look == '-' || *look == '+') && (look[1] == '#' || look[1] == '[')) {
            return FanucLineKind::Macro;
        }
        double value = 0;
        bool point = false;
        if (!fanucnumber(p, end, value, point)) {
            return bad(std::string(1, letter) + " without a number");
        }
        if (letter == 'O' && first) {
            if (point || value < 0 || value > 99999999) return bad("bad program number");
            number = static_cast<int64_t>(value);
            return FanucLineKind::Header;
        }
        first = false;
        if (letter == 'G' || letter == 'M') {
            const double tenths = std::nearbyint(value * 10);
            const bool whole = std::fabs(value * 10 - tenths) < 1e-6 && std::fabs(tenths) < 1e5;
            if (!whole || (letter == 'M' && static_cast<int32_t>(tenths) % 10 != 0)) {
                std::string word(wordstart, static_cast<size_t>(p - wordstart) > 40 ? 40 : static_cast<size_t>(p - wordstart));
                return bad("unknown code " + word);
            }
            int& count = letter == 'G' ? words.gcount : words.mcount;
            if (count == NgcBlock::kMaxCodes) return bad("too many codes");
            (letter == 'G' ? words.gcodes : words.mcodes)[count++] = static_cast<int32_t>(tenths);
            continue;
        }
        if (letter == 'N') {
            block.sequence = value >= 0 && value < 1e12 ? static_cast<int64_t>(value) : -1;
            continue;
        }
        if (letter == 'O') return bad("O inside a block");
        const uint32_t mask = bit(letter);
        if (words.letters & mask) {
            // I J K again are a macro call's further arguments: read in order as a macro line.
            if (letter == 'I' || letter == 'J' || letter == 'K') return FanucLineKind::Macro;
            return bad(std::string("two ") + letter + " words");
        }
        words.letters |= mask;
        words.otheraxes |= mask & kOtherAxes;
        words.value[letter - 'A'] = value;
        if (point) block.points |= mask;
    }
    return FanucLineKind::Block;
}
