#pragma once
// The operators of expressions on values already found, shared by every way an expression is
// worked out so that each gives the same result to the last bit and the same problems.

#include <cmath>
#include <string>

#include "nc/flow/flowexpression.h"

namespace flowdetail {

constexpr double kDegree = 3.14159265358979323846 / 180;
// Two values this close compare equal: computed lengths carry rounding, written ones do not
// differ this little.
constexpr double kEqualWithin = 0.0001;

inline bool equal(const FlowValue& a, const FlowValue& b) {
    if (a.empty || b.empty) return a.empty == b.empty;
    return std::fabs(a.value - b.value) < kEqualWithin;
}

}  // namespace flowdetail

// Two operands, a before b; out may be a.
inline bool flowbinary(FlowOp op, const FlowValue& a, const FlowValue& b, FlowValue& out, std::string& problem) {
    const double x = a.value, y = b.value;
    double r = 0;
    switch (op) {
        case FlowOp::Power:
            if (x < 0 && y != std::floor(y)) {
                problem = "negative number to a fractional power";
                return false;
            }
            r = std::pow(x, y);
            break;
        case FlowOp::Multiply: r = x * y; break;
        case FlowOp::Divide:
        case FlowOp::Mod:
            if (y == 0) {
                problem = "division by zero";
                return false;
            }
            if (op == FlowOp::Divide) {
                r = x / y;
            } else {
                // Never negative, whatever the signs: MOD keeps an angle or an index in range.
                r = std::fmod(x, y);
                if (r < 0) r += std::fabs(y);
            }
            break;
        case FlowOp::Add: r = x + y; break;
        case FlowOp::Subtract: r = x - y; break;
        case FlowOp::Eq: r = flowdetail::equal(a, b); break;
        case FlowOp::Ne: r = !flowdetail::equal(a, b); break;
        default: flowcompare(op, x, y, r); break;
    }
    if (!std::isfinite(r)) {
        problem = "result too large";
        return false;
    }
    out = {r, false};
    return true;
}

// A function of one operand, or the sign (Negate to Tan; ATAN takes two).
inline bool flowunary(FlowOp op, double x, double& r, std::string& problem) {
    using flowdetail::kDegree;
    r = 0;
    switch (op) {
        case FlowOp::Negate: r = -x; break;
        case FlowOp::Abs: r = std::fabs(x); break;
        case FlowOp::Acos:
        case FlowOp::Asin:
            if (!(x >= -1 && x <= 1)) {
                problem = std::string(op == FlowOp::Acos ? "ACOS" : "ASIN") + " of a number outside -1 to 1";
                return false;
            }
            r = (op == FlowOp::Acos ? std::acos(x) : std::asin(x)) / kDegree;
            break;
        case FlowOp::Cos: r = std::cos(x * kDegree); break;
        case FlowOp::Sin: r = std::sin(x * kDegree); break;
        case FlowOp::Tan: r = std::tan(x * kDegree); break;
        case FlowOp::Exp: r = std::exp(x); break;
        case FlowOp::Fix: r = std::floor(x); break;
        case FlowOp::Fup: r = std::ceil(x); break;
        case FlowOp::Round: r = std::round(x); break;
        case FlowOp::Ln:
            if (!(x > 0)) {
                problem = "LN of zero or a negative number";
                return false;
            }
            r = std::log(x);
            break;
        case FlowOp::Sqrt:
            if (x < 0) {
                problem = "square root of a negative number";
                return false;
            }
            r = std::sqrt(x);
            break;
        default: break;
    }
    if (!std::isfinite(r)) {
        problem = "result too large";
        return false;
    }
    return true;
}
