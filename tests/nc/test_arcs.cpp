// Arc chords, the three planes, arc modes and radius words.

#include <gtest/gtest.h>

#include <cmath>

#include "nc/arcgeometry.h"
#include "ncrun.h"

namespace {
constexpr double kPi = 3.141592653589793;
}

TEST(AT, CoversTheFullTurnFromZero) {
    EXPECT_EQ(AT(0, 0), kPi / 2);
    EXPECT_EQ(AT(0, -1), 4.71238898038469);
    EXPECT_EQ(AT(1, 0), 0.0);
    EXPECT_EQ(AT(-1, 0), kPi);
    EXPECT_NEAR(AT(1, -1), 7 * kPi / 4, 1e-15);
    EXPECT_NEAR(AT(-1, -1), 5 * kPi / 4, 1e-15);
}

TEST(DrawCircleSeg, HalfCircleBothWays) {
    ChordList c;
    ASSERT_EQ(DrawCircleSeg(3, 0, 10, 0, -10, 0, -10, 0, c), 25);
    EXPECT_NEAR(c.second[12], 10 * std::sin(12 * kPi / 25), 1e-12);
    EXPECT_GT(c.second[12], 9.9);
    EXPECT_EQ(c.first[25], -10.0);
    ASSERT_EQ(DrawCircleSeg(2, 0, 10, 0, -10, 0, -10, 0, c), 25);
    EXPECT_LT(c.second[12], -9.9);
}

TEST(DrawCircleSeg, ClockwiseTheLongWayRound) {
    ChordList c;
    // From angle 0 down to -3pi/2: three quarters of a turn.
    ASSERT_EQ(DrawCircleSeg(2, 0, 10, 0, -10, 0, 0, 10, c), 38);
    EXPECT_LT(c.second[10], 0.0);
}

TEST(DrawCircleSeg, ArcModesPlaceTheCentre) {
    ChordList absolute, fromend;
    // Quarter from (10, 0) to (0, 10) about the origin, written three ways.
    ASSERT_EQ(DrawCircleSeg(3, 2, 10, 0, 0, 0, 0, 10, absolute), 12);
    ASSERT_EQ(DrawCircleSeg(3, 1, 10, 0, 0, -10, 0, 10, fromend), 12);
    for (int k = 1; k < 12; ++k) {
        EXPECT_NEAR(std::hypot(absolute.first[k], absolute.second[k]), 10, 1e-12);
        EXPECT_EQ(absolute.first[k], fromend.first[k]);
    }
}

TEST(DrawCircleSeg, SameStartAndEndAngleDrawsOneChord) {
    ChordList c;
    EXPECT_EQ(DrawCircleSeg(2, 0, 10, 0, -10, 0, 10, 0, c), 1);
    // No offsets: radius 0 about the start, inner points on the start.
    ASSERT_EQ(DrawCircleSeg(3, 0, 5, 5, 0, 0, 10, 5, c), 38);
    EXPECT_EQ(c.first[1], 5.0);
    EXPECT_EQ(c.second[1], 5.0);
}

TEST(Planes, G18DrawsInnerPointsAtTheEndY) {
    NcJob job;
    runprogram(job, "G0 X0 Y0 Z0\nG18 G2 X10. Y5. Z0 I5. K0 F100.\n");
    auto nodes = nodesof(job);
    ASSERT_EQ(nodes.size(), 26u);
    for (size_t k = 1; k < nodes.size(); ++k) EXPECT_EQ(nodes[k].y, 5.0);
    // G2 turns down in the Z, X frame: from 3pi/2 through pi, where Z is -5.
    EXPECT_LT(nodes[13].z, -4.9);
}

TEST(Planes, G19UsesJAndK) {
    NcJob job;
    runprogram(job, "G0 X3. Y0 Z0\nG19 G3 Y10. Z0 J5. K0 F100.\n");
    auto nodes = nodesof(job);
    ASSERT_EQ(nodes.size(), 26u);
    for (size_t k = 1; k < nodes.size(); ++k) EXPECT_EQ(nodes[k].x, 3.0);
    EXPECT_LT(nodes[13].z, -4.9);
}

TEST(Planes, HelixIsFlatAtItsEndHeight) {
    NcJob job;
    runprogram(job, "G0 X10. Y0 Z0\nG3 X-10. Y0 Z-2. I-10. J0 F100.\n");
    auto nodes = nodesof(job);
    ASSERT_EQ(nodes.size(), 26u);
    for (size_t k = 1; k < nodes.size(); ++k) EXPECT_EQ(nodes[k].z, -2.0);
}

TEST(RadiusWords, ExactlyHalfTheChordIsFineShorterIsReported) {
    NcJob job;
    EXPECT_EQ(runprogram(job, "G0 X0 Y0 Z0\nG2 X10. Y0. R5.\n").arcerrors, 0);
    EXPECT_EQ(runprogram(job, "G0 X0 Y0 Z0\nG2 X10. Y0. R4.\n").arcerrors, 1);
    // Once per R word.
    EXPECT_EQ(runprogram(job, "G0 X0 Y0 Z0\nG2 X10. Y0. R4. R3.\nR2.\n").arcerrors, 2);
}

TEST(RadiusWords, OverflowThatHidesTheAnswerIsReportedWithOffsetsZero) {
    // Products overflow to inf - inf: the radius cannot be shown to reach, so it does not.
    const double inf = HUGE_VAL;
    double i = 7, j = 7;
    EXPECT_FALSE(arcradiuscenter(2, i, j, 0, 999, 999, 1e76, 0));
    EXPECT_EQ(i, 0.0);
    EXPECT_EQ(j, 0.0);
    j = i = 7;  // the vertical-chord branch
    EXPECT_FALSE(arcradiuscenter(3, i, j, inf, 0, 0, 0, inf));
    EXPECT_EQ(i, 0.0);
    EXPECT_EQ(j, 0.0);
}

TEST(RadiusWords, PositiveForTheShortArcNegativeForTheLong) {
    double i = 0, j = 0;
    ASSERT_TRUE(arcradiuscenter(2, i, j, 10, 0, 0, 10, 10));
    EXPECT_NEAR(i, 10, 1e-12);  // clockwise quarter from (0,0) to (10,10): centre (10, 0)
    EXPECT_NEAR(j, 0, 1e-12);
    ASSERT_TRUE(arcradiuscenter(3, i, j, 10, 0, 0, 10, 10));
    EXPECT_NEAR(i, 0, 1e-12);
    EXPECT_NEAR(j, 10, 1e-12);
    ASSERT_TRUE(arcradiuscenter(2, i, j, -10, 0, 0, 10, 10));
    EXPECT_NEAR(i, 0, 1e-12);
    EXPECT_NEAR(j, 10, 1e-12);
    // A vertical chord takes the other branch of the computation.
    ASSERT_TRUE(arcradiuscenter(3, i, j, 5, 0, 0, 0, 10));
    EXPECT_EQ(i, 0.0);
    EXPECT_EQ(j, 5.0);
}

TEST(RadiusWords, UseThePositionAsItStandsWhenRIsRead) {
    NcJob before, after;
    runprogram(before, "G0 X0 Y0 Z0\nG2 R6. X10. Y0\n");  // R first: chord of length 0
    runprogram(after, "G0 X0 Y0 Z0\nG2 X10. Y0 R6.\n");
    EXPECT_NE(nodesof(before)[5].y, nodesof(after)[5].y);
}

TEST(RadiusWords, G18SwapsTheTurningSense) {
    NcJob job;
    // G2 turns down in the Z, X frame: the short arc from X0 to X10 has its centre at
    // X5 Z5, which the radius word must find although it works in X, Z order.
    runprogram(job, "G0 X0 Y0 Z0\nG18 G2 X10. Z0 R7.0710678118654755 F100.\n");
    NcJob ref;
    runprogram(ref, "G0 X0 Y0 Z0\nG18 G2 X10. Z0 I5. K5. F100.\n");
    auto a = nodesof(job), b = nodesof(ref);
    ASSERT_EQ(a.size(), b.size());
    for (size_t k = 0; k < a.size(); ++k) {
        EXPECT_NEAR(a[k].x, b[k].x, 1e-9);
        EXPECT_NEAR(a[k].z, b[k].z, 1e-9);
    }
}
