// The compensation filter without a reader: programmed moves in, tool-centre moves out,
// every expected point worked out by hand.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "nc/compensation/cuttercompensation.h"

namespace {

struct Recorder : CompSink {
    std::vector<CompMove> moves;
    std::vector<std::string> problems;
    void draw(const CompMove& move) override { moves.push_back(move); }
    void problem(int32_t line, std::string message) override {
        problems.push_back(std::to_string(line) + ": " + message);
    }
};

// Feeds programmed moves in the XY plane and keeps the programmed position.
struct Program {
    Recorder out;
    CutterCompensation comp{out};
    double at[3] = {0, 0, 0};
    int32_t line = 0;

    void on(bool left, double radius) { comp.on(left, radius, 0, 1, at); }
    void line_to(double x, double y, double z = 0) { move(1, x, y, z, 0, 0); }
    void arc_to(int32_t motion, double x, double y, double cx, double cy) { move(motion, x, y, at[2], cx, cy); }
    void move(int32_t motion, double x, double y, double z, double cx, double cy) {
        CompMove m;
        m.line = ++line;
        m.motion = motion;
        m.end[0] = x;
        m.end[1] = y;
        m.end[2] = z;
        m.centre[0] = cx;
        m.centre[1] = cy;
        comp.move(m, at);
        at[0] = x;
        at[1] = y;
        at[2] = z;
    }
};

void expectmove(const CompMove& m, int32_t motion, double x, double y, int32_t line) {
    EXPECT_EQ(m.motion, motion);
    EXPECT_NEAR(m.end[0], x, 1e-9);
    EXPECT_NEAR(m.end[1], y, 1e-9);
    EXPECT_EQ(m.line, line);
}

}  // namespace

TEST(CutterCompensation, EntryThenConvexCornersByArcsAndConcaveOnesAtTheCrossing) {
    // Left of the path, radius 1, from (0, -5): up to (0, 0), along X to 10, up to 10, on
    // along X to 20.
    Program p;
    p.at[1] = -5;
    p.on(true, 1);
    p.line_to(0, 0);
    p.line_to(10, 0);
    p.line_to(10, 10);
    p.line_to(20, 10);
    p.comp.off();
    const auto& m = p.out.moves;
    ASSERT_EQ(m.size(), 6u);
    // The entry line touches the radius-1 circle about (0, 0): distance 5, so the touching
    // point E has E.(E - start) = 0 with |E| = 1: E = (-sqrt(0.96), -0.2).
    expectmove(m[0], 1, -std::sqrt(0.96), -0.2, 1);
    // It turns right onto X: outside for a tool on the left, so clockwise round (0, 0)
    // to (0, 1), where the offset of the first side starts.
    expectmove(m[1], 2, 0, 1, 2);
    EXPECT_EQ(m[1].centre[0], 0);
    EXPECT_EQ(m[1].centre[1], 0);
    // Left turn at (10, 0): the tool is inside; y = 1 and x = 9 cross at (9, 1).
    expectmove(m[2], 1, 9, 1, 2);
    // Right turn at (10, 10): clockwise round it from (9, 10) to (10, 11).
    expectmove(m[3], 1, 9, 10, 3);
    expectmove(m[4], 2, 10, 11, 4);
    EXPECT_EQ(m[4].centre[0], 10);
    // G40: the last move ends square to its end.
    expectmove(m[5], 1, 20, 11, 4);
    EXPECT_TRUE(p.out.problems.empty());
}

TEST(CutterCompensation, ArcsGrowOrShrinkByTheRadiusOnEachSide) {
    // A half circle about (0, 0) from (10, 0) counter-clockwise to (-10, 0), entered along
    // +Y from (10, -10). Right of a counter-clockwise arc is its outside: radius 12 for a
    // tool of radius 2; on the left, inside, 8.
    for (const bool left : {false, true}) {
        SCOPED_TRACE(left ? "left" : "right");
        Program p;
        p.at[0] = 10;
        p.at[1] = -10;
        p.line_to(10, -20);  // before compensation: passed on as it is
        p.on(left, 2);
        p.line_to(10, 0);
        p.arc_to(3, -10, 0, 0, 0);
        p.comp.off();
        const auto& m = p.out.moves;
        ASSERT_EQ(m.size(), 4u);
        expectmove(m[0], 1, 10, -20, 1);
        // Entry from (10, -20) to (10, 0), 20 long: it touches the radius-2 circle about
        // (10, 0) at E = (10 -/+ 2 sqrt(1 - 0.1^2), -2 * 0.1).
        const double side = left ? -1 : 1;
        expectmove(m[1], 1, 10 + side * 2 * std::sqrt(0.99), -0.2, 2);
        // The entry leans away from the tool's side, so the corner to the arc is convex on
        // both sides: round (10, 0), clockwise on the left, to where the arc's track starts.
        expectmove(m[2], left ? 2 : 3, left ? 8 : 12, 0, 3);
        EXPECT_EQ(m[2].centre[0], 10);
        expectmove(m[3], 3, left ? -8 : -12, 0, 3);
        EXPECT_EQ(m[3].centre[0], 0);
    }
}

TEST(CutterCompensation, GougesAreNamedAndTheReadingGoesOn) {
    {
        // An inside arc of radius 3 for a tool of radius 3: the held move ends square to
        // its end, the arc is drawn straight to its end, and the next line enters afresh.
        Program p;
        p.at[0] = -10;
        p.on(true, 3);
        p.line_to(0, 0);
        p.line_to(10, 0);
        p.arc_to(3, 10, 6, 10, 3);
        p.line_to(20, 6);
        p.comp.off();
        ASSERT_EQ(p.out.problems.size(), 1u);
        EXPECT_EQ(p.out.problems[0], "3: gouge: inside arc of radius 3.000 tighter than tool radius 3.000 at line 3");
        const auto& m = p.out.moves;
        ASSERT_GE(m.size(), 3u);
        expectmove(m[m.size() - 3], 1, 10, 3, 2);
        expectmove(m[m.size() - 2], 1, 10, 6, 3);
        // A new entry from (10, 6) to (20, 6), 10 long: on the left at 3 * sqrt(1 - 0.3^2).
        EXPECT_NEAR(m.back().end[1], 6 + 3 * std::sqrt(1 - 0.09), 1e-9);
    }
    {
        // A step 2 wide between two inside corners, tool radius 3: the crossing falls
        // before the short move's start.
        Program p;
        p.at[0] = -10;
        p.on(true, 3);
        p.line_to(0, 0);
        p.line_to(10, 0);
        p.line_to(10, 10);
        p.line_to(8, 10);
        p.line_to(8, 20);
        p.comp.off();
        ASSERT_EQ(p.out.problems.size(), 1u);
        EXPECT_EQ(p.out.problems[0], "4: gouge: move too short for tool radius 3.000 at line 4");
    }
    {
        Program p;
        p.on(false, 5);
        p.line_to(3, 4);                 // entry exactly as long as the radius
        p.arc_to(2, 13, 4, 8, 4);        // the same fault: named once
        p.on(false, 5);
        p.arc_to(2, 3, 4, 8, 4);         // a start on an arc
        p.line_to(30, 4);                // a proper entry at last
        p.comp.off();
        ASSERT_EQ(p.out.problems.size(), 2u);
        EXPECT_EQ(p.out.problems[0], "1: gouge: entry move not longer than tool radius 5.000 at line 1");
        EXPECT_EQ(p.out.problems[1], "3: compensation cannot start on an arc at line 3");
        const auto& m = p.out.moves;
        ASSERT_EQ(m.size(), 4u);
        expectmove(m[0], 1, 3, 4, 1);
        expectmove(m[1], 2, 13, 4, 2);
        expectmove(m[2], 2, 3, 4, 3);
        // 27 long from (3, 4): the right-hand touching point, 5 * 5/27 back, 5 * sqrt(...)
        // below.
        expectmove(m[3], 1, 30 - 25.0 / 27, 4 - 5 * std::sqrt(1 - 25.0 / 729), 4);
    }
}

TEST(CutterCompensation, MovesAlongZWaitAtTheHeldMovesEnd) {
    Program p;
    p.at[0] = -10;
    p.on(true, 1);
    p.line_to(0, 0);
    p.line_to(10, 0);
    for (int i = 0; i < 100000; ++i) p.line_to(10, 0, -1);  // a plunge, then nothing at all
    p.line_to(10, 10, -1);
    p.comp.off();
    const auto& m = p.out.moves;
    ASSERT_EQ(m.size(), 2u + 1u + 100000u + 1u);
    // The plunges stand at the concave crossing (9, 1) of the two sides.
    expectmove(m[2], 1, 9, 1, 2);
    expectmove(m[3], 1, 9, 1, 3);
    EXPECT_EQ(m[3].end[2], -1);
    expectmove(m[m.size() - 2], 1, 9, 1, 100002);
    expectmove(m.back(), 1, 9, 10, 100003);
}

TEST(CutterCompensation, RadiusZeroLeavesThePathAsProgrammed) {
    Program p;
    p.at[0] = -10;
    p.on(false, 0);
    p.line_to(0, 0);
    p.line_to(10, 0);
    p.arc_to(2, 20, 0, 15, 0);
    p.line_to(20, -10);
    p.comp.off();
    const auto& m = p.out.moves;
    ASSERT_EQ(m.size(), 4u);
    expectmove(m[0], 1, 0, 0, 1);
    expectmove(m[1], 1, 10, 0, 2);
    expectmove(m[2], 2, 20, 0, 3);
    expectmove(m[3], 1, 20, -10, 4);
    EXPECT_TRUE(p.out.problems.empty());
}
