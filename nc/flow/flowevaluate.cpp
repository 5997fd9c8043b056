#include <cmath>
#include <new>
#include <vector>

#include "nc/flow/flowarithmetic.h"

namespace {

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
        if (quick(steps[0], lookup, a) && quick(steps[1], lookup, b)) return flowbinary(steps[2].op, a, b, out, problem);
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
            if (step.op == FlowOp::Atan) {
                // Two operands after all: y below x.
                const double y = stack[stack.size() - 2].value;
                const double x = a.value;
                stack.pop_back();
                stack.back() = {std::atan2(y, x) / flowdetail::kDegree, false};
                continue;
            }
            double r = 0;
            if (!flowunary(step.op, a.value, r, problem)) return false;
            a = {r, false};
            continue;
        }
        if (!flowbinary(step.op, a, stack.back(), a, problem)) return false;
        stack.pop_back();
    }
    out = stack.back();
    return true;
}
