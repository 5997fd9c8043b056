#pragma once

#include <charconv>
#include <cmath>
#include <cstdint>

// The digits of a word's value after its sign, as the readings that allow blanks inside a number
// take them. Inline: it runs once a word, and a call out of the reading's loop shows in its speed.
namespace decimalscan {

inline bool blank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

inline bool digit(char c) {
    return c >= '0' && c <= '9';
}

// Blanks inside the number, a second point or many digits: the text from start is gathered
// and checked. Kept out of line, so that the common form inlined into a reading's loop stays
// small and needs no large frame.
[[gnu::noinline, gnu::cold]] inline bool gatheredvalue(const char* start, const char*& p, const char* end,
                                                       bool negative, double& value, bool& point) {
    char text[400];
    int length = 0;
    int digits = 0;
    point = false;
    for (p = start; p < end; ++p) {
        const char c = *p;
        if (digit(c)) {
            ++digits;
        } else if (c == '.') {
            if (point) return false;
            point = true;
        } else if (blank(c)) {
            continue;
        } else {
            break;
        }
        if (length < 399) text[length++] = c;
    }
    if (digits == 0) return false;
    double v = 0;
    const auto result = std::from_chars(text, text + length, v);
    if (result.ec != std::errc()) v = HUGE_VAL;  // out of range: larger than any machine
    value = negative ? -v : v;
    return true;
}

// Reads from p up to the first character that is neither a digit, a point nor a blank; false
// when there is no digit or a second point. `point` tells whether the number was written with
// one. A number past any double reads as HUGE_VAL, so a reading can name it instead of failing.
inline bool unsignedvalue(const char*& p, const char* end, bool negative, double& value, bool& point) {
    static constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    constexpr uint64_t kExactMantissa = uint64_t{1} << 53;
    // The common form first: digits and one point, nothing between them. The whole part and
    // the fraction are scanned by loops of their own, which keep nothing but the mantissa
    // for each digit: this is the feed's busiest loop. The cursor is a local: the caller's
    // could be any byte the text's bytes might alias, and would be stored at every digit.
    const char* const start = p;
    const char* q = start;
    uint64_t mantissa = 0;  // wraps past 19 digits: those go the slow way
    for (unsigned d; q < end && (d = static_cast<unsigned>(*q) - unsigned{'0'}) < 10; ++q) mantissa = mantissa * 10 + d;
    int digits = static_cast<int>(q - start), fraction = 0;
    point = q < end && *q == '.';
    if (point) {
        const char* const first = ++q;
        for (unsigned d; q < end && (d = static_cast<unsigned>(*q) - unsigned{'0'}) < 10; ++q) mantissa = mantissa * 10 + d;
        fraction = static_cast<int>(q - first);
        digits += fraction;
    }
    const char* after = q;
    while (after < end && blank(*after)) ++after;
    const bool goeson = after < end && (digit(*after) || *after == '.');
    if (!goeson && digits > 0 && digits <= 19 && mantissa <= kExactMantissa && fraction <= 22) {
        p = q;
        value = static_cast<double>(mantissa) / kPow10[fraction];
        if (negative) value = -value;
        return true;
    }
    return gatheredvalue(start, p, end, negative, value, point);
}

}  // namespace decimalscan
