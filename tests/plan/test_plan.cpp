// Planned times worked out by hand from the trapezoid: at 100 mm/s and 500 mm/s2 a move
// needs 0.2 s and 10 mm to reach full speed and as much to stop.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "nc/ncrun.h"
#include "plan/toolpathplan.h"
#include "plan/travelcheck.h"

namespace {

std::string profiletext(const std::string& extra = "", double zrapid = 6000, double zaccel = 500,
                        double deviation = 0.01) {
    std::string text = "[machine]\nunits=mm\njunction_deviation=" + std::to_string(deviation) +
                       "\ntool_change_seconds=7\n";
    for (const char* axis : {"x", "y", "z"}) {
        const bool z = axis[0] == 'z';
        text += std::string("[") + axis +
                "]\nmin=-1000\nmax=1000\nrapid=" + std::to_string(z ? zrapid : 6000) +
                "\naccel=" + std::to_string(z ? zaccel : 500) + "\n";
    }
    return text + "[origin]\nx=0\ny=0\nz=0\n" + extra;
}

MachineProfile profile(double zrapid = 6000, double zaccel = 500, double deviation = 0.01) {
    const MachineProfileRead read = readmachineprofile(profiletext("", zrapid, zaccel, deviation));
    EXPECT_EQ(read.error, "");
    return read.profile;
}

ToolpathPlan plan(const std::string& program, const MachineProfile& machine = profile(),
                  NcDialect dialect = NcDialect::Korven) {
    NcJob job;
    job.dialect = dialect;
    runprogram(job, program);
    return plantoolpath(job.nodes, job.events, job.inchunits, machine);
}

// Square corner at 500 mm/s2 and 0.01 mm: v^2 = a*d*s/(1-s) with s = sin 45 degrees,
// 12.0711 mm2/s2. Each 50 mm leg: 0.2 s up, (100 - 3.4743)/500 s down, the rest cruising.
double squarecornerleg() {
    const double s = std::sqrt(0.5);
    const double v2 = 500 * 0.01 * s / (1 - s);
    const double down = (10000 - v2) / 1000;
    return 0.2 + (100 - std::sqrt(v2)) / 500 + (50 - 10 - down) / 100;
}

}  // namespace

TEST(Plan, StraightMovesAccelerateCruiseAndStop) {
    const ToolpathPlan single = plan("G1 X0 Y0 Z0 F6000\nX100.\n");
    ASSERT_TRUE(single.ok) << single.problem;
    EXPECT_NEAR(single.planned, 1.2, 1e-6);
    EXPECT_NEAR(single.feedonly, 1.0, 1e-6);
    // Too short to reach full speed: up to sqrt(500 * 10) and down again.
    EXPECT_NEAR(plan("G1 X0 Y0 Z0 F6000\nX10.\n").planned, 0.2828427, 1e-6);
    // A straight-on join keeps full speed.
    EXPECT_NEAR(plan("G1 X0 Y0 Z0 F6000\nX50.\nX100.\n").planned, 1.2, 1e-6);
}

TEST(Plan, CornersSlowDownAndReversalsStop) {
    EXPECT_NEAR(plan("G1 X0 Y0 Z0 F6000\nX50.\nY50.\n").planned, 2 * squarecornerleg(), 1e-5);
    EXPECT_NEAR(plan("G1 X0 Y0 Z0 F6000\nX50.\nX0\n").planned, 1.4, 1e-6);
    // A tiny allowance still gives a finite time: the corner is taken at nearly nothing.
    const ToolpathPlan tight = plan("G1 X0 Y0 Z0 F6000\nX50.\nY50.\n", profile(6000, 500, 1e-6));
    EXPECT_TRUE(std::isfinite(tight.planned));
    EXPECT_GT(tight.planned, 2 * squarecornerleg());
    EXPECT_LT(tight.planned, 1.4 + 1e-9);
}

TEST(Plan, RapidsGoAtTheSlowestAxisShare) {
    // Z at 10 mm/s and 100 mm/s2; X10 Z10 gives Z a share of 0.7071, so the move may go
    // 14.142 mm/s at 141.42 mm/s2: 0.1 s and 0.7071 mm up, as much down, and 12.728 mm
    // cruising in 0.9 s.
    const ToolpathPlan p = plan("G0 X0 Y0 Z0\nX10. Z10.\n", profile(600, 100));
    ASSERT_TRUE(p.ok) << p.problem;
    EXPECT_NEAR(p.planned, 1.1, 1e-6);
    // A feed above the axes' rates is held to them.
    EXPECT_NEAR(plan("G1 X0 Y0 Z0 F60000\nX100.\n").planned, 1.2, 1e-6);
}

TEST(Plan, DwellsAndToolChangesStopTheMachineAndTakeTheirTime) {
    const ToolpathPlan dwell = plan("G1 X50 F6000\nG4 P2.5\nX100\n", profile(), NcDialect::Ngc);
    ASSERT_TRUE(dwell.ok) << dwell.problem;
    EXPECT_NEAR(dwell.planned, 0.7 + 2.5 + 0.7, 1e-6);
    EXPECT_NEAR(dwell.feedonly, 0.5 + 2.5 + 0.5, 1e-6);

    const ToolpathPlan tools =
        plan("T1 M6\nG1 X100 F6000\nT2 M6\nG0 X0\n", profile(), NcDialect::Ngc);
    ASSERT_TRUE(tools.ok) << tools.problem;
    EXPECT_NEAR(tools.planned, 7 + 1.2 + 7 + 1.2, 1e-6);
    ASSERT_EQ(tools.tools.size(), 2u);
    EXPECT_EQ(tools.tools[0].tool, 1);
    EXPECT_NEAR(tools.tools[0].seconds, 8.2, 1e-6);
    EXPECT_EQ(tools.tools[1].tool, 2);
    EXPECT_NEAR(tools.tools[1].seconds, 8.2, 1e-6);
    // The time of a run of nodes: the second move alone.
    EXPECT_NEAR(plannedseconds(tools, 2, 2), 8.2, 1e-5);
}

TEST(Plan, BadProgramsGiveAFiniteTimeOrSayWhichLine) {
    const ToolpathPlan nofeed = plan("G1 X0 Y0 Z0 F6000\nX10.\nF0\nX20.\n");
    EXPECT_FALSE(nofeed.ok);
    EXPECT_NE(nofeed.problem.find("cannot plan"), std::string::npos);
    EXPECT_NE(nofeed.problem.find("line 4"), std::string::npos) << nofeed.problem;
    // No feed matters only where the tool moves.
    EXPECT_TRUE(plan("G1 X0 Y0 Z0\nZ0\n").ok);
    const ToolpathPlan far = plan("G1 X0 Y0 Z0 F6000\nX1000000000000000000000000000000.\n");
    ASSERT_TRUE(far.ok);
    EXPECT_TRUE(std::isfinite(far.planned));
    EXPECT_GT(far.planned, 1e27);
    const ToolpathPlan beyond = plan(
        "G1 X0 Y0 Z0 F6000\nX1" + std::string(150, '0') + ".\n");
    ASSERT_TRUE(beyond.ok);
    EXPECT_TRUE(std::isfinite(beyond.planned));
    const ToolpathPlan still = plan("G1 X0 Y0 Z0 F6000\nX0\nX0\n");
    ASSERT_TRUE(still.ok);
    EXPECT_EQ(still.planned, 0);
}

TEST(Travel, ExtentsOfEveryMoveAndLimitsPerAxis) {
    NcJob job;
    runprogram(job, "G0 X0 Y0 Z50.\nG1 Z-5. F100\nX20.\nG0 X120. Z10.\nX-30.\n");
    const AllExtents e = allextents(job.nodes);
    ASSERT_TRUE(e.any);
    EXPECT_EQ(e.min[0], -30);
    EXPECT_EQ(e.max[0], 120);
    EXPECT_EQ(e.min[2], -5);
    EXPECT_EQ(e.max[2], 50);
    // X travel 0..100 with the work origin at machine X 10: X120. is 30 past, X-30. 20
    // short; Z travel down to -100 with the origin at -100 leaves Z-5. 5 below.
    MachineProfile m = profile();
    m.axis[0].min = 0;
    m.axis[0].max = 100;
    m.origin[0] = 10;
    m.axis[2].min = -100;
    m.origin[2] = -100;
    const std::vector<LimitBreak> breaks = checklimits(job.nodes, false, m);
    ASSERT_EQ(breaks.size(), 2u);
    EXPECT_EQ(breaks[0].axis, 0);
    EXPECT_NEAR(breaks[0].amount, 30, 1e-9);
    EXPECT_EQ(breaks[0].line, 4);
    EXPECT_EQ(breaks[1].axis, 2);
    EXPECT_NEAR(breaks[1].amount, -5, 1e-9);
    EXPECT_EQ(breaks[1].line, 2);
}
