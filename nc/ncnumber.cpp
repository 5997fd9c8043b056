#include "nc/ncnumber.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace {

constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                             1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr uint64_t kExactMantissa = uint64_t{1} << 53;

}  // namespace

double NumberText::value() const {
    // Broken text: the digits read before the break, as a whole number, without sign.
    const bool negative = negative_ && !broken_;
    const int64_t fraction = broken_ ? 0 : fractiondigits_;
    const int64_t exponent = dropped_ - fraction;
    // A lone minus sign is no number at all; "-0" and "-." are a negative zero.
    if (kept_ == 0) return negative && (anydigit_ || point_) ? -0.0 : 0.0;
    // Both operands exact, one rounding: the result is the correctly rounded value.
    if (kept_ <= 19 && mantissa_ <= kExactMantissa && exponent >= -22 && exponent <= 22) {
        double v = static_cast<double>(mantissa_);
        v = exponent < 0 ? v / kPow10[-exponent] : v * kPow10[exponent];
        return negative ? -v : v;
    }
    return slowvalue(negative, exponent);
}

double NumberText::slowvalue(bool negative, int64_t exponent) const {
    std::string text(digits_, static_cast<size_t>(kept_));
    int64_t e = exponent;
    if (sticky_) {
        // A trailing 1 past every kept digit rounds exactly like the dropped nonzero tail.
        text.push_back('1');
        --e;
    }
    text.push_back('e');
    text += std::to_string(e);
    double v = 0.0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), v);
    if (result.ec == std::errc::result_out_of_range) {
        const int64_t magnitude = e + static_cast<int64_t>(kept_);
        v = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return negative ? -v : v;
}
