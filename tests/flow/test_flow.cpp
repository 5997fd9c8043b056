// Expressions worked out by hand from the operators' order and the functions' definitions;
// the problems a bad expression must give instead of a value or a crash.

#include <gtest/gtest.h>

#include <string>

#include <cstring>

#include "nc/flow/flowchain.h"
#include "nc/flow/flowexpression.h"
#include "nc/flow/flowrun.h"

namespace {

// #0 is the Fanuc family's null; #1..#99 hold numbers.
class Lookup : public FlowLookup {
  public:
    FlowParameters numbers{{{0, 0}, {1, 99}}, FlowValue{}};
    Lookup() {
        numbers.set(0, FlowValue::null());
        direct = &numbers.get(1);
        directfirst = 1;
        directlast = 99;
    }
    bool numbered(double number, FlowValue& out, std::string& problem) override {
        int32_t index = 0;
        if (!numbers.find(number, index, problem)) return false;
        out = numbers.get(index);
        return true;
    }
    bool named(int32_t, FlowValue& out, std::string&) override {
        out = {7, false};
        return true;
    }
    bool exists(int32_t name) override { return name == 0; }
};

struct Result {
    bool ok = false;
    FlowValue value;
    std::string problem;
};

Result eval(const std::string& text, Lookup& lookup) {
    FlowNames names;
    FlowParser parser(names, true);
    FlowExpression e;
    Result r;
    const char* p = text.data();
    if (!parser.value(p, text.data() + text.size(), e)) {
        r.problem = parser.problem;
        return r;
    }
    r.ok = flowevaluate(e, lookup, r.value, r.problem);
    // Where a loop's kept line takes the quick form, it must agree to the bit, problems too.
    flowchain(e, lookup);
    if (!e.chain.links.empty()) {
        Result c;
        c.ok = flowchained(e.chain, lookup, c.value, c.problem);
        EXPECT_EQ(c.ok, r.ok) << text;
        EXPECT_EQ(c.problem, r.problem) << text;
        EXPECT_EQ(c.value.empty, r.value.empty) << text;
        EXPECT_EQ(std::memcmp(&c.value.value, &r.value.value, sizeof(double)), 0) << text;
    }
    return r;
}

bool chained(const std::string& text) {
    FlowNames names;
    FlowParser parser(names, true);
    FlowExpression e;
    const char* p = text.data();
    Lookup lookup;
    EXPECT_TRUE(parser.value(p, text.data() + text.size(), e)) << text;
    flowchain(e, lookup);
    return !e.chain.links.empty();
}

double value(const std::string& text) {
    Lookup lookup;
    lookup.numbers.set(1, {3, false});
    lookup.numbers.set(3, {5, false});
    const Result r = eval(text, lookup);
    EXPECT_TRUE(r.ok) << text << ": " << r.problem;
    return r.value.value;
}

std::string problem(const std::string& text) {
    Lookup lookup;
    const Result r = eval(text, lookup);
    EXPECT_FALSE(r.ok) << text;
    return r.problem;
}

}  // namespace

TEST(FlowExpression, OperatorsBindInTheirOrderAndGoLeftToRight) {
    EXPECT_EQ(value("[2+3*4**2]"), 50);      // 4**2 = 16, *3 = 48, +2
    EXPECT_EQ(value("[10-4-3]"), 3);          // (10-4)-3
    EXPECT_EQ(value("[2**3**2]"), 64);        // (2**3)**2
    EXPECT_EQ(value("[7/2*2]"), 7);           // (7/2)*2
    EXPECT_EQ(value("[1+2 EQ 3 AND 4 GT 5]"), 0);  // (3 EQ 3) AND (4 GT 5)
    EXPECT_EQ(value("[1 OR 0 AND 0]"), 0);    // one level: (1 OR 0) AND 0
    EXPECT_EQ(value("[1 XOR 1 + 0]"), 0);     // 1 XOR (1+0)
    EXPECT_EQ(value("[-7 MOD 3]"), 2);        // never negative
    EXPECT_EQ(value("[0.1*3 EQ 0.3]"), 1);    // rounding does not make them differ
    EXPECT_EQ(value("[-2**2]"), 4);           // the sign belongs to the value
    EXPECT_EQ(value("##1"), 5);               // #1 = 3, #3 = 5
    EXPECT_EQ(value("#[#1-2]"), 3);
    EXPECT_EQ(value("[ 1 . 5 + 1 ]"), 2.5);   // blanks anywhere
}

TEST(FlowExpression, FunctionsWorkInDegrees) {
    EXPECT_NEAR(value("SIN[30]"), 0.5, 1e-12);
    EXPECT_NEAR(value("cos[60]"), 0.5, 1e-12);
    EXPECT_NEAR(value("ATAN[1]/[-1]"), 135, 1e-12);  // second quadrant: y 1, x -1
    EXPECT_NEAR(value("ACOS[0]"), 90, 1e-12);
    EXPECT_NEAR(value("TAN[45]"), 1, 1e-12);
    EXPECT_EQ(value("ROUND[-2.5]"), -3);
    EXPECT_EQ(value("FIX[-2.5]"), -3);
    EXPECT_EQ(value("FUP[-2.5]"), -2);
    EXPECT_EQ(value("SQRT[[3**2]+[4**2]]"), 5);
    EXPECT_NEAR(value("LN[EXP[2]]"), 2, 1e-12);
    EXPECT_EQ(value("EXISTS[#<a>]"), 1);
    EXPECT_EQ(value("[#<a>*2]"), 14);
}

TEST(FlowExpression, NullReadsAsZeroButIsNotZero) {
    Lookup lookup;
    EXPECT_TRUE(eval("#0", lookup).value.empty);
    EXPECT_EQ(eval("[#0+1]", lookup).value.value, 1);
    EXPECT_EQ(eval("[#0 EQ 0]", lookup).value.value, 0);
    EXPECT_EQ(eval("[#0 EQ #0]", lookup).value.value, 1);
    EXPECT_EQ(eval("[#0 LT 1]", lookup).value.value, 1);
}

TEST(FlowExpression, BadExpressionsAreNamedProblems) {
    EXPECT_EQ(problem("[1/[2-2]]"), "division by zero");
    EXPECT_EQ(problem("[1 MOD 0]"), "division by zero");
    EXPECT_EQ(problem("SQRT[-1]"), "square root of a negative number");
    EXPECT_EQ(problem("LN[0]"), "LN of zero or a negative number");
    EXPECT_EQ(problem("ASIN[2]"), "ASIN of a number outside -1 to 1");
    EXPECT_EQ(problem("[-8**0.5]"), "negative number to a fractional power");
    EXPECT_EQ(problem("FOO[1]"), "unknown function FOO");
    EXPECT_EQ(problem("[1 PLUS 2]"), "unknown operator PLUS");
    EXPECT_EQ(problem("[1+2"), "expression not closed with ']'");
    EXPECT_EQ(problem("#"), "# without a parameter number");
    EXPECT_EQ(problem("[1+]"), "unexpected character ']' where a value belongs");
    EXPECT_EQ(problem("#X"), "# without a parameter number");
    EXPECT_EQ(problem("#100"), "parameter #100 does not exist");
    EXPECT_EQ(problem("#1.5"), "parameter number #1.5 is not whole");
    // A hundred thousand levels: refused, not a stack overflow.
    const std::string deep = std::string(100000, '[') + "1" + std::string(100000, ']');
    EXPECT_EQ(problem(deep), "expression nested too deep");
    EXPECT_EQ(problem(std::string(100000, '-') + "1"), "expression nested too deep");
    EXPECT_EQ(problem(std::string(100000, '#') + "1"), "expression nested too deep");
}

TEST(FlowRun, BoundsCallsAndRuns) {
    FlowStack stack;
    for (int i = 0; i < FlowStack::kMaxDepth; ++i) ASSERT_TRUE(stack.push({}));
    EXPECT_FALSE(stack.push({}));
    EXPECT_EQ(stack.depth(), size_t{FlowStack::kMaxDepth});

    FlowSteps steps(5);
    int64_t runs = 0;
    for (int i = 0; i < 4; ++i) ASSERT_TRUE(steps.step(runs, 12));
    EXPECT_FALSE(steps.step(runs, 12));
    EXPECT_EQ(steps.message, "stopped: line 12 ran 5 times");

    bool cancel = true;
    int polls = 0;
    FlowSteps cancelled(FlowSteps::kDefaultLimit, &cancel, [&polls] { ++polls; });
    runs = 0;
    bool going = true;
    for (int64_t i = 0; i < FlowSteps::kPollSteps && going; ++i) going = cancelled.step(runs, 1);
    EXPECT_FALSE(going);
    EXPECT_EQ(polls, 1);
    EXPECT_EQ(cancelled.message, "");
}

TEST(FlowExpression, LoopLinesTakeTheQuickForm) {
    EXPECT_TRUE(chained("[#2*0.1+0.05]"));
    EXPECT_TRUE(chained("[#1 LT 2850]"));
    EXPECT_TRUE(chained("[SIN[#3*15]-#0]"));
    EXPECT_TRUE(chained("#[#1+1]"));
    // Not a chain: the right operand is itself worked out first.
    EXPECT_FALSE(chained("[1+2*3]"));
    EXPECT_FALSE(chained("[#1+SIN[#2]]"));
    // Both forms, on values that give the problems and the null's rules.
    EXPECT_EQ(value("[#1*2-#3 LT 1]"), 0);  // 3*2-5 = 1
    EXPECT_EQ(value("[#0 EQ #9]"), 0);       // null is not zero
    EXPECT_EQ(value("[#0+1 EQ 1]"), 1);      // but counts as zero
    EXPECT_EQ(problem("[#1/#2]"), "division by zero");
    Lookup large;
    large.numbers.set(5, {1e300, false});
    EXPECT_EQ(eval("[#5*#5]", large).problem, "result too large");
    EXPECT_EQ(problem("[#1-#120]"), problem("#120"));
}
