#include <cmath>
#include <new>
#include <vector>

#include "nc/flow/flowexpression.h"

namespace {

constexpr double kDegree = 3.14159265358979323846 / 180;
// Two values this close compare equal: computed lengths carry rounding, written ones do not
// differ this little.
constexpr double kEqualWithin = 0.0001;

bool equal(const FlowValue& a, const FlowValue& b) {
    if (a.empty || b.empty) return a.empty == b.empty;
    return std::fabs(a.value - b.value) < kEqualWithin;
}

// A value found without a call: a number, or a parameter the lookup hands out directly.
inline bool quick(const FlowStep& step, const FlowLookup& lookup, FlowValue& v) {
    if (step.op == FlowOp::Number) {
        v = {step.number, false};
        return true;
    }
    if (step.op != FlowOp::Numbered || step.name != 1) return false;
    const double n = step.number;
    if (!(n >= lookup.directfirst && n <= lookup.directlast)) return false;
    const int32_t whole = static_cast<int32_t>(n);
    if (whole != n) return false;
    v = lookup.direct[whole - lookup.directfirst];
    return true;
}

// Two operands, a before b; out may be a.
inline bool binary(FlowOp op, const FlowValue& a, const FlowValue& b, FlowValue& out, std::string& problem) {
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
        case FlowOp::Eq: r = equal(a, b); break;
        case FlowOp::Ne: r = !equal(a, b); break;
        default: flowcompare(op, x, y, r); break;
    }
    if (!std::isfinite(r)) {
        problem = "result too large";
        return false;
    }
    out = {r, false};
    return true;
}

// The stack never holds more values than there are steps: a line's expressions fit the
// small one.
class Stack {
  public:
    explicit Stack(size_t most) {
        if (most > kSmall) large_.resize(most);
        base_ = most > kSmall ? large_.data() : reinterpret_cast<FlowValue*>(small_);
    }
    void push_back(FlowValue v) { new (&base_[size_++]) FlowValue(v); }
    void pop_back() { --size_; }
    FlowValue& back() { return base_[size_ - 1]; }
    FlowValue& operator[](size_t i) { return base_[i]; }
    size_t size() const { return size_; }

  private:
    static constexpr size_t kSmall = 32;
    // Left unset: nothing is read before it is pushed.
    alignas(FlowValue) unsigned char small_[kSmall * sizeof(FlowValue)];
    std::vector<FlowValue> large_;
    FlowValue* base_;
    size_t size_ = 0;
};

}  // namespace

bool flowevaluate(const FlowExpression& expression, FlowLookup& lookup, FlowValue& out,
                  std::string& problem) {
    const std::vector<FlowStep>& steps = expression.steps;
    if (steps.size() == 1 && steps[0].op == FlowOp::Number) {
        out = {steps[0].number, false};
        return true;
    }
    // A loop's counting and stepping ("#2 LT 2000", "#2+1") most often has this form.
    if (steps.size() == 3 && steps[2].op >= FlowOp::Power) {
        FlowValue a, b;
        if (quick(steps[0], lookup, a) && quick(steps[1], lookup, b)) return binary(steps[2].op, a, b, out, problem);
    }
    Stack stack(steps.size());
    for (const FlowStep& step : steps) {
        FlowValue known;
        if (quick(step, lookup, known)) {
            stack.push_back(known);
            continue;
        }
        if (step.op == FlowOp::Numbered && step.name == 1) {
            FlowValue v;
            if (!lookup.numbered(step.number, v, problem)) return false;
            stack.push_back(v);
            continue;
        }
        if (step.op == FlowOp::Named || step.op == FlowOp::Exists) {
            FlowValue v;
            if (step.op == FlowOp::Exists) {
                v.value = lookup.exists(step.name) ? 1 : 0;
            } else if (!lookup.named(step.name, v, problem)) {
                return false;
            }
            stack.push_back(v);
            continue;
        }
        FlowValue& a = stack[stack.size() - (step.op >= FlowOp::Power ? 2 : 1)];
        if (step.op == FlowOp::Numbered) {
            if (!lookup.numbered(a.value, a, problem)) return false;
            continue;
        }
        if (step.op < FlowOp::Power) {
            // One operand: a function or the sign.
            const double x = a.value;
            double r = 0;
            switch (step.op) {
                case FlowOp::Negate: r = -x; break;
                case FlowOp::Abs: r = std::fabs(x); break;
                case FlowOp::Acos:
                case FlowOp::Asin:
                    if (!(x >= -1 && x <= 1)) {
                        problem = std::string(step.op == FlowOp::Acos ? "ACOS" : "ASIN") +
                                  " of a number outside -1 to 1";
                        return false;
                    }
                    r = (step.op == FlowOp::Acos ? std::acos(x) : std::asin(x)) / kDegree;
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
                case FlowOp::Atan: {
                    // Two operands after all: y below x.
                    const double y = stack[stack.size() - 2].value;
                    stack.pop_back();
                    stack.back() = {std::atan2(y, x) / kDegree, false};
                    continue;
                }
                default: break;
            }
            a = {r, false};
            if (!std::isfinite(r)) {
                problem = "result too large";
                return false;
            }
            continue;
        }
        if (!binary(step.op, a, stack.back(), a, problem)) return false;
        stack.pop_back();
    }
    out = stack.back();
    return true;
}
