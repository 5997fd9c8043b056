// Which points widen the toolpath extents.

#include <gtest/gtest.h>

#include <cmath>

#include "ncrun.h"

TEST(Extents, RapidsNeverCount) {
    NcJob job;
    runprogram(job, "G0 X-50. Y-50. Z20.\nG0 Z-3.\nX90. Y90.\nG1 F100.\nG0 Z20.\n");
    EXPECT_EQ(job.xmin, 9999.0);
    EXPECT_EQ(job.xmax, -9999.0);
    EXPECT_EQ(job.zmaxtext, "ZMax: -9999.000");
    EXPECT_EQ(job.zmintext, "ZMin: 9999.000");
    EXPECT_EQ(job.zmaxcolor, 0u);
    EXPECT_EQ(job.zmincolor, 0u);
}

TEST(Extents, APlungeCountsByItsEndOnly) {
    NcJob job;
    job.zlowerlimit = -2;
    // Drilled from Z20 to Z-3 and out again: only the bottom of the hole is cut.
    runprogram(job, "G0 X-50. Y-50. Z20.\nG1 Z-3. F100.\nG0 Z20.\nX90. Y90.\n");
    EXPECT_EQ(job.xmin, -50.0);
    EXPECT_EQ(job.xmax, -50.0);
    EXPECT_EQ(job.ymin, -50.0);
    EXPECT_EQ(job.ymax, -50.0);
    EXPECT_EQ(job.zmin, -3.0);
    EXPECT_EQ(job.zmax, -3.0);
    EXPECT_EQ(job.zmincolor, 255u);  // below the lower limit: a drill can trip it now
    // A feed block that does not move widens nothing.
    runprogram(job, "G0 X1. Y1. Z5.\nG1 F100.\nZ5.\n");
    EXPECT_EQ(job.zmin, 9999.0);
}

TEST(Extents, AFeedAfterARapidBringsItsStartPointIn) {
    NcJob job;
    runprogram(job, "G0 X1. Y2. Z5.\nG1 Z-1. F100.\nX4. Y6.\nG0 Z5.\n");
    // The plunge ended at (1, 2, -1); the feed to (4, 6, -1) brings that start in.
    EXPECT_EQ(job.xmin, 1.0);
    EXPECT_EQ(job.xmax, 4.0);
    EXPECT_EQ(job.ymin, 2.0);
    EXPECT_EQ(job.ymax, 6.0);
    EXPECT_EQ(job.zmin, -1.0);
    EXPECT_EQ(job.zmax, -1.0);
}

TEST(Extents, ConsecutiveFeedsDoNotAddTheStartAgain) {
    NcJob job;
    // The first feed starts at the block start of the very first move (999, 999, 999),
    // which is never brought in: the last point before it was no rapid.
    runprogram(job, "G1 X1. Y1. Z0 F10.\nX2.\nZ-5.\nX3.\n");
    EXPECT_EQ(job.xmin, 1.0);
    EXPECT_EQ(job.zmin, -5.0);  // the plunge's end enters as the start of X3
    EXPECT_EQ(job.zmax, 0.0);
}

TEST(Extents, ArcInnerPointsCount) {
    NcJob job;
    runprogram(job, "G0 X10. Y0 Z0\nG1 X10. Y0 F5.\nG3 X-10. Y0 I-10. J0\n");
    EXPECT_NEAR(job.ymax, 10 * std::sin(12 * 3.141592653589793 / 25), 1e-12);
    EXPECT_EQ(job.ymin, 0.0);
    EXPECT_EQ(job.xmin, -10.0);
}

TEST(Extents, ZLimitsColourTheTexts) {
    NcJob job;
    job.zupperlimit = 5;
    job.zlowerlimit = -2;
    runprogram(job, "G0 X0 Y0 Z0\nG1 X1. Z6. F1.\nX2. Z-2.\n");
    EXPECT_EQ(job.zmaxcolor, 255u);
    EXPECT_EQ(job.zmincolor, 0u);  // exactly on the lower limit is inside
    EXPECT_EQ(job.zmaxtext, "ZMax:    6.000");
    EXPECT_EQ(job.zmintext, "ZMin:   -2.000");
}
