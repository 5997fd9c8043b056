// Removed volumes and alarms worked out by hand from the solids a tool leaves.

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstring>
#include <string>

#include "nc/ncrun.h"
#include "sim/stocksimulation.h"
#include "sim/sweep.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

struct Simulated {
    NcJob job;
    std::unique_ptr<sim::StockSimulation> sim;
};

// Runs the program with the tool table text on a given stock and simulates every move.
void simulate(Simulated& s, const std::string& table, const std::string& program,
              sim::StockBox stock, double cell)
{
    if (!table.empty())
        s.job.tools = ToolTable::parse(table);
    runprogram(s.job, program);
    sim::StockRequest request;
    request.stockGiven = true;
    request.stock = stock;
    request.cell = cell;
    s.sim = std::make_unique<sim::StockSimulation>(s.job, request, 2);
    ASSERT_TRUE(s.sim->ready()) << s.sim->problem();
    ASSERT_TRUE(s.sim->runAll());
}

double removed(const std::string& table, const std::string& program, sim::StockBox stock, double cell)
{
    Simulated s;
    simulate(s, table, program, stock, cell);
    return s.sim ? s.sim->removedVolume() : -1;
}

TEST(StockVolume, HandWorkedSolidsWithinOnePercentAtATwentiethOfTheDiameter)
{
    // Slot: 50 x 6 x 2 plus the two half discs at its ends.
    EXPECT_NEAR(removed("T1 D6\n", "T1 M6\nG0 X0. Y0. Z5.\nG1 Z-2. F100.\nX50.\nG0 Z5.\n",
                        {-10, -10, -10, 60, 10, 0}, 0.3),
                656.55, 6.5);
    // Ball plunged by its radius: a hemisphere, 2/3 pi 5^3.
    EXPECT_NEAR(removed("T1 D10 R5\n", "T1 M6\nG0 X0. Y0. Z5.\nG1 Z-5. F100.\nG0 Z5.\n",
                        {-10, -10, -10, 10, 10, 0}, 0.5),
                261.80, 2.6);
    // 90 degree V along 40 at depth 2: a triangle of width 4 and height 2 times 40, plus a
    // cone of radius 2 and height 2 split over the two ends.
    EXPECT_NEAR(removed("T1 D10 A90\n", "T1 M6\nG0 X0. Y0. Z5.\nG1 Z-2. F100.\nX40.\nG0 Z5.\n",
                        {-10, -10, -10, 50, 10, 0}, 0.5),
                160 + kPi * 4 * 2 / 3, 1.7);
    // Bull nose D10 R2 plunged 3: the 2 mm of torus under a 1 mm cylinder of radius 5;
    // pi * (integral of (3 + sqrt(4 - u^2))^2 over u in [0, 2]) + 25 pi = pi (26 - 8/3 + 6 pi + 25).
    EXPECT_NEAR(removed("T1 D10 R2\n", "T1 M6\nG0 X0. Y0. Z5.\nG1 Z-3. F100.\nG0 Z5.\n",
                        {-10, -10, -10, 10, 10, 0}, 0.5),
                kPi * (26 - 8.0 / 3 + 6 * kPi + 25), 2.2);
}

TEST(StockSweep, RampsAreMinimisedExactlyNotSampled)
{
    // A ball of radius 5 ramping down at 45 degrees sweeps a cylinder about its centre line;
    // straight below the line the surface lies 5 * sqrt(2) under the axis, which runs at 5 - x.
    sim::Cutter ball;
    ball.kind = sim::CutterKind::Ball;
    ball.radius = ball.corner = 5;
    EXPECT_NEAR(sim::lowestOver(ball, {0, 0, 0}, {10, 0, -10}, 2, 0), 5 - 2 - 5 * std::sqrt(2.0), 1e-9);
    // A flat end mill ramping down is lowest where it leaves the column: at x = 2 the tool's
    // edge passes last when the tip is at x = 2 + 3 (depth -5) for a radius of 3.
    sim::Cutter flat;
    flat.radius = 3;
    EXPECT_NEAR(sim::lowestOver(flat, {0, 0, 0}, {10, 0, -10}, 2, 0), -5, 1e-9);
    // A 90 degree V rising at a slope of 1/2, column 1 to the side: lowest where the rise
    // balances the flank, a distance h = s p / sqrt(k^2 - s^2) = 0.57735 behind the column,
    // at t/2 + sqrt(1 + h^2) with the tip at t = 4 - h.
    sim::Cutter vee;
    vee.kind = sim::CutterKind::Vee;
    vee.radius = 5;
    vee.coneSlope = 1;
    const double h = 0.5 / std::sqrt(0.75);
    EXPECT_NEAR(sim::lowestOver(vee, {0, 0, 0}, {10, 0, 5}, 4, 1), 0.5 * (4 - h) + std::sqrt(1 + h * h), 1e-9);
    // Plunging steeper than its flank, the V is lowest where the move ends, on its path too.
    EXPECT_NEAR(sim::lowestOver(vee, {0, 0, 0}, {1, 0, -5}, 0.5, 0), -4.5, 1e-9);
    EXPECT_EQ(sim::lowestOver(flat, {0, 0, 0}, {10, 0, 0}, 5, 3.01), HUGE_VAL);
}

} // namespace

namespace {

const sim::StockBox kBlock{-10, -10, -10, 10, 10, 0};

TEST(StockAlarms, RapidsIntoMaterialButNotGrazesOrFeeds)
{
    Simulated s;
    simulate(s, "T1 D6\n",
             "T1 M6\n"
             "G0 X-20. Y0. Z-0.1\n"     // line 2: outside the stock
             "X20.\n"                   // line 3: grazes the top by 0.1, under a cell
             "G1 Y-6. Z-1. F100.\n"
             "X-20.\n"                  // line 5: a feed through material is no alarm
             "G0 Y6. Z-2.\n"
             "X20.\n"                   // line 7: rapid through 2 mm of material
             "X-20.\n"                  // line 8: back through its own slot
             "Z-3.\n"
             "X20.\n"                   // line 10: 1 mm deeper
             "G0 Z5.\n",
             kBlock, 0.3);
    const auto& alarms = s.sim->alarms();
    ASSERT_EQ(alarms.size(), 2u);
    EXPECT_EQ(alarms[0].text(), "rapid through material at line 7, X20.000 Y6.000 Z-2.000, depth 2.000");
    EXPECT_EQ(alarms[1].line, 10);
    EXPECT_NEAR(alarms[1].depth, 1.0, 1e-6);
}

TEST(StockAlarms, PlungePastTheFluteLengthIntoMaterial)
{
    // Flutes 10 long: 8 deep is fine, 4 more down its own hole too (the shank slides in the
    // hole), 12 into fresh material is not.
    Simulated s;
    simulate(s, "T1 D6 Z10\n",
             "T1 M6\nG0 X0. Y0. Z5.\nG1 Z-8. F100.\nZ-12.\nG0 Z5.\nX5.\nG1 Z-12.\nG0 Z5.\n",
             {-10, -10, -20, 10, 10, 0}, 0.3);
    ASSERT_EQ(s.sim->alarms().size(), 1u);
    EXPECT_EQ(s.sim->alarms()[0].text(),
              "plunge past the flute length at line 7, X5.000 Y0.000 Z-12.000, depth 12.000");
}

TEST(StockRun, GoingBackRestoresAKeptStateAndRunsOnToTheSameHeights)
{
    std::string program = "T1 M6\nG0 X-9. Y-9. Z1.\nG1 Z-1. F100.\n";
    for (int i = 0; i < 40; ++i)
        program += "G1 X" + std::to_string(i % 2 ? -9 : 9) + ". Y" + std::to_string(-9 + i * 0.4) + "\n";
    Simulated all, half;
    simulate(all, "T1 D3 R1.5\n", program, kBlock, 0.2);
    simulate(half, "T1 D3 R1.5\n", program, kBlock, 0.2);
    ASSERT_TRUE(half.sim->runTo(20));
    ASSERT_TRUE(all.sim->runTo(20));
    EXPECT_EQ(all.sim->position(), 20);
    const sim::HeightMap& a = all.sim->heightMap();
    const sim::HeightMap& b = half.sim->heightMap();
    EXPECT_EQ(0, std::memcmp(a.heights(), b.heights(), a.cellCount() * sizeof(float)));

    std::atomic<bool> cancel{true};
    EXPECT_FALSE(all.sim->runAll({}, &cancel));
    EXPECT_LE(all.sim->position(), 20);
}

TEST(StockRun, BadInputGetsAMessageNotACrash)
{
    NcJob job;
    runprogram(job, "G0 X0. Y0. Z5.\nG1 Z-1. F100.\nX10.\n");  // no table at all
    sim::StockRequest request;
    {
        sim::StockSimulation simulation(job, request, 1);
        ASSERT_TRUE(simulation.ready());
        ASSERT_EQ(simulation.notices().size(), 1u);
        EXPECT_EQ(simulation.notices()[0], "no tool was selected: simulated as a 6 mm flat end mill");
        EXPECT_EQ(simulation.stock().z1, 0);  // every cut below Z 0
        EXPECT_EQ(simulation.stock().x0, -3);
    }
    request.stockGiven = true;
    request.stock = {0, 0, 1, 10, 10, 1};
    EXPECT_NE(sim::StockSimulation(job, request).problem().find("no thickness"), std::string::npos);
    request.stock = {0, 0, 0, 100000, 100000, 1};
    request.cell = 1;
    EXPECT_NE(sim::StockSimulation(job, request).problem().find("40000000000 bytes"), std::string::npos);

    job.tools = ToolTable::parse("T1 D0\nT2 D1000000000000000000000000000000\n");
    runprogram(job, "T1 M6\nG0 X0. Y0. Z5.\nG1 Z-1. F100.\nT2 M6\nG1 X10.\n");
    sim::StockSimulation sized(job);
    ASSERT_EQ(sized.notices().size(), 2u);
    EXPECT_EQ(sized.notices()[1], "tool T2 has diameter 1e+30: simulated as a 6 mm flat end mill");

    // Coordinates no part has: left out, the rest simulated.
    NodeStore nodes;
    nodes.initnodedata();
    MoveEvents events;
    for (double x : {0.0, 5.0, 1e30, std::nan(""), 10.0})
        nodes.pushnodedata(1, 11, x, 0, -1);
    sim::StockSimulation far(nodes, events, ToolTable(), false);
    ASSERT_TRUE(far.ready());
    EXPECT_TRUE(far.runAll());
    EXPECT_EQ(far.notices().back(), "3 moves reach past 1000000 or have no number for a coordinate: left out of the simulation");
    EXPECT_EQ(far.stock().x1, 8);

    // A fine grid and a move billions of cells away from it: nothing cut, no index overflows.
    sim::StockRequest fine;
    fine.stockGiven = true;
    fine.stock = {0, 0, -1, 1, 0.001, 0};
    fine.cell = 1e-4;
    nodes.resetnodedata();
    for (double y : {-900000.0, 900000.0})
        nodes.pushnodedata(1, 11, 900000, y, -1);
    sim::StockSimulation away(nodes, events, ToolTable(), false, fine);
    ASSERT_TRUE(away.runAll());
    EXPECT_EQ(away.removedVolume(), 0);
}

} // namespace
