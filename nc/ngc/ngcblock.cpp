#include "nc/ngc/ngcblock.h"

#include "nc/decimalscan.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string_view>

namespace {

bool blank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

bool isdigit(char c) {
    return c >= '0' && c <= '9';
}

// Letters the language knows besides G, M, N and O; A B C U V W are axes not drawn here.
constexpr uint32_t bit(char c) {
    return 1u << (c - 'A');
}
constexpr uint32_t kWordLetters = bit('A') | bit('B') | bit('C') | bit('D') | bit('F') |
                                  bit('H') | bit('I') | bit('J') | bit('K') | bit('L') |
                                  bit('P') | bit('Q') | bit('R') | bit('S') | bit('T') |
                                  bit('U') | bit('V') | bit('W') | bit('X') | bit('Y') | bit('Z');
constexpr uint32_t kOtherAxes = bit('A') | bit('B') | bit('C') | bit('U') | bit('V') | bit('W');

// A function's name where a number belongs: letters, then '['.
bool function(const char* p, const char* end) {
    while (p < end && ((*p | 0x20) >= 'a' && (*p | 0x20) <= 'z')) ++p;
    while (p < end && blank(*p)) ++p;
    return p < end && *p == '[';
}

std::string printable(const char* begin, const char* end) {
    std::string text;
    for (const char* p = begin; p < end && text.size() < 40; ++p) {
        if (!blank(*p)) text.push_back(*p);
    }
    return text;
}

}  // namespace

std::string ngccodename(char letter, int32_t tenths) {
    char buffer[24];
    const int64_t whole = tenths / 10;
    const int64_t tenth = tenths % 10 < 0 ? -(tenths % 10) : tenths % 10;
    const char* sign = tenths < 0 && whole == 0 ? "-" : "";
    if (tenth == 0) {
        std::snprintf(buffer, sizeof buffer, "%c%s%lld", letter, sign, static_cast<long long>(whole));
    } else {
        std::snprintf(buffer, sizeof buffer, "%c%s%lld.%lld", letter, sign,
                      static_cast<long long>(whole), static_cast<long long>(tenth));
    }
    return buffer;
}

bool NgcBlockParser::number(const char*& p, const char* end, double& value) {
    while (p < end && blank(*p)) ++p;
    bool negative = false;
    if (p < end && (*p == '-' || *p == '+')) {
        negative = *p == '-';
        ++p;
    }
    bool point = false;
    return decimalscan::unsignedvalue(p, end, negative, value, point);
}

NgcLineKind NgcBlockParser::parse(const char* p, const char* end, NgcBlock& block) {
    block.letters = 0;
    block.otheraxes = 0;
    block.gcount = 0;
    block.mcount = 0;
    while (p < end && blank(*p)) ++p;
    if (p < end && *p == '%') return NgcLineKind::Percent;
    if (p < end && *p == '/') return NgcLineKind::Deleted;
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
        if (c == ';') break;
        const char letter = static_cast<char>(c & ~0x20);
        if (letter < 'A' || letter > 'Z') {
            if (c == '#' || c == '[' || c == '@' || c == '^') return NgcLineKind::Computed;
            char text[48];
            std::snprintf(text, sizeof text, "unexpected character 0x%02X", c & 0xFF);
            if (c > ' ' && c < 127) std::snprintf(text, sizeof text, "unexpected character '%c'", c);
            return bad(text);
        }
        const char* const wordstart = p++;
        if (letter == 'O') return NgcLineKind::Computed;
        while (p < end && blank(*p)) ++p;
        // Numbers start below 'A'; a '[' or a function's name at or above it.
        if (p < end && (*p == '#' || (static_cast<unsigned char>(*p) >= 'A' && (*p == '[' || function(p, end))))) {
            return NgcLineKind::Computed;
        }
        double value = 0;
        if (!number(p, end, value)) {
            while (p < end && (isdigit(*p) || *p == '.' || blank(*p))) ++p;
            const std::string word = printable(wordstart, p);
            if (word.size() == 1) return bad(std::string(1, letter) + " without a number");
            return bad("bad number " + word);
        }
        if (letter == 'G' || letter == 'M') {
            const double tenths = std::nearbyint(value * 10);
            const bool whole = std::fabs(value * 10 - tenths) < 1e-6 && std::fabs(tenths) < 1e5;
            if (!whole || (letter == 'M' && static_cast<int32_t>(tenths) % 10 != 0)) {
                return bad("unknown code " + printable(wordstart, p));
            }
            int& count = letter == 'G' ? block.gcount : block.mcount;
            if (count == NgcBlock::kMaxCodes) return bad("too many codes");
            (letter == 'G' ? block.gcodes : block.mcodes)[count++] = static_cast<int32_t>(tenths);
            continue;
        }
        if (letter == 'N') continue;
        const uint32_t mask = bit(letter);
        if ((kWordLetters & mask) == 0) return bad(std::string("unknown word ") + letter);
        if (block.letters & mask) return bad(std::string("two ") + letter + " words");
        block.letters |= mask;
        block.otheraxes |= mask & kOtherAxes;
        block.value[letter - 'A'] = value;
    }
    return NgcLineKind::Block;
}
