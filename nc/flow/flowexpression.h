#pragma once
// Expressions of the computing readings: read once into a flat list of steps, worked out as
// often as a loop needs them without reading the text again. Neither reading nor working out
// recurses without bound: nesting deeper than kMaxDepth is a problem, whatever the input.
//
// The language: a value is a number (with an optional sign), `[expression]`, a parameter
// (`#` followed by a value, or `#<name>` where the reading allows names) or a function:
//   ABS ACOS ASIN COS EXP FIX FUP ROUND LN SIN SQRT TAN of `[expression]`, ATAN[y]/[x],
//   EXISTS[#<name>]. Angles are in degrees.
// Binary operators inside brackets, tightest first, each level from left to right:
//   **   then   * / MOD   then   + -   then   EQ NE GT GE LT LE   then   AND OR XOR.
// A comparison or logical operator gives 1 or 0; a logical one takes any non-zero as true.

#include <cstdint>
#include <string>
#include <vector>

#include "nc/flow/flowparameters.h"
#include "nc/flow/flowvalue.h"

enum class FlowOp : uint8_t {
    Number, Numbered, Named, Exists, Negate,
    Abs, Acos, Asin, Cos, Exp, Fix, Fup, Round, Ln, Sin, Sqrt, Tan, Atan,
    Power, Multiply, Divide, Mod, Add, Subtract,
    Eq, Ne, Gt, Ge, Lt, Le, And, Or, Xor,
};

// The order and logic operators, the same in every evaluator: true with r set for Gt to Xor,
// false for any other operator (left to the caller).
inline bool flowcompare(FlowOp op, double x, double y, double& r) {
    switch (op) {
        case FlowOp::Gt: r = x > y; return true;
        case FlowOp::Ge: r = x >= y; return true;
        case FlowOp::Lt: r = x < y; return true;
        case FlowOp::Le: r = x <= y; return true;
        case FlowOp::And: r = x != 0 && y != 0; return true;
        case FlowOp::Or: r = x != 0 || y != 0; return true;
        case FlowOp::Xor: r = (x != 0) != (y != 0); return true;
        default: return false;
    }
}

struct FlowStep {
    FlowOp op;
    int32_t name = 0;  // Named, Exists; Numbered: 1 when the number is `number`, not computed
    double number = 0;  // Number, Numbered
};

// The shape most loop lines' expressions have, a value and then operators that each take one
// more value or apply a function to the running one ("#2*0.1+0.05", "#1 LT 2850",
// "SIN[#3*15]"), worked out in one pass over a single running value, with parameters of a
// fixed number already placed. Filled by flowchain (see flowchain.h); empty otherwise.
struct FlowChain {
    enum class Source : uint8_t {
        None,      // op works on the running value alone: a function, or # of it
        Number,    // `number`
        Direct,    // the lookup's direct[slot]
        Numbered,  // the lookup's parameter `number`, asked for
    };
    // The common links as one case each: the running value loaded, or an operator applied
    // to it and a number or a direct parameter. Other: as op and source say.
    enum class Fused : uint8_t {
        Other, LoadNumber, LoadDirect,
        MultiplyNumber, MultiplyDirect, AddNumber, AddDirect, SubtractNumber, SubtractDirect,
        LtNumber, LtDirect, GtNumber, GtDirect,
    };
    struct Link {
        FlowOp op;  // Number on the first link: the running value starts as the operand
        Source source;
        Fused fused;
        int32_t slot;
        double number;
    };
    std::vector<Link> links;
};

// Steps in postfix order.
struct FlowExpression {
    std::vector<FlowStep> steps;
    FlowChain chain;
    // A bare number as written, and whether it had a decimal point: the Fanuc family reads
    // X10 as ten thousandths but X[10] and X#1 as they are.
    bool literal = false;
    bool point = false;

    bool constant() const { return steps.size() == 1 && steps[0].op == FlowOp::Number; }
};

class FlowParser {
  public:
    static constexpr int kMaxDepth = 200;

    // namedparameters: `#<name>` is a parameter (its id from `names`, lower case, blanks
    // dropped) and EXISTS is known.
    FlowParser(FlowNames& names, bool namedparameters) : names_(names), named_(namedparameters) {}

    // Reads one value starting at p (blanks skipped) and moves p past it. False with `problem`
    // set when the text is not a value.
    bool value(const char*& p, const char* end, FlowExpression& out);
    // The target of `#...=`: p just past the '#'. Either a name (isname, name set) or a
    // number expression in `out`.
    bool target(const char*& p, const char* end, FlowExpression& out, bool& isname, int32_t& name);

    std::string problem;

  private:
    bool operand(const char*& p, const char* end, std::vector<FlowStep>& steps, int depth);
    bool bracket(const char*& p, const char* end, std::vector<FlowStep>& steps, int depth);
    bool parametername(const char*& p, const char* end, int32_t& name);
    bool fail(std::string text) {
        problem = std::move(text);
        return false;
    }

    FlowNames& names_;
    bool named_;
};

// Works an expression out. False with `problem` naming what went wrong (division by zero, the
// square root of a negative number ...) or the lookup's own problem.
bool flowevaluate(const FlowExpression& expression, FlowLookup& lookup, FlowValue& out,
                  std::string& problem);
