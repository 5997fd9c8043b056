#pragma once

#include <cstdint>

// Gathers the characters of one word's number ('-', '.' and digits, in any order) and
// converts them the way programs expect: an optional leading minus, digits and one point;
// "." alone or nothing reads 0. A minus after the first character or a second point
// breaks the form: the value is then the whole number of the digits before that
// character, unsigned. Conversion is correctly rounded for any length of text.
class NumberText {
  public:
    void push(char c) {
        ++length_;
        if (c >= '0' && c <= '9') {
            anydigit_ = true;
            if (!broken_) pushdigit(c);
        } else if (c == '.') {
            if (point_ && !broken_) broken_ = true;
            if (!broken_) fractional_ = true;
            point_ = true;
        } else if (length_ == 1) {
            negative_ = true;
        } else {
            broken_ = true;
        }
    }

    bool haspoint() const { return point_; }
    double value() const;

    // Significant digits kept exactly; anything past them only matters as "not zero".
    static constexpr int kKeptDigits = 800;

  private:
    void pushdigit(char c) {
        if (fractional_) ++fractiondigits_;
        if (kept_ == 0 && c == '0') return;
        mantissa_ = mantissa_ * 10 + static_cast<uint64_t>(c - '0');
        if (kept_ < kKeptDigits) {
            digits_[kept_++] = c;
        } else {
            ++dropped_;
            if (c != '0') sticky_ = true;
        }
    }
    double slowvalue(bool negative, int64_t exponent) const;

    char digits_[kKeptDigits + 1];
    uint64_t mantissa_ = 0;
    int64_t fractiondigits_ = 0;
    int64_t dropped_ = 0;
    int64_t length_ = 0;
    int kept_ = 0;
    bool negative_ = false;
    bool point_ = false;
    bool fractional_ = false;
    bool broken_ = false;
    bool sticky_ = false;
    bool anydigit_ = false;
};
