// The tool table file, and compensation through the RS274/NGC reading with it.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "nc/offsettable.h"
#include "nc/tooltable.h"
#include "tests/nc/ncrun.h"

TEST(ToolTable, LettersInAnyOrderUnitsAndBadValuesByLine) {
    const ToolTable table = ToolTable::parse(
        "; shop tools\n"
        "T1 P1 D6 Z50 ;6 mm flat\n"
        "z60 d10 t2 p2 r5 X1 Y2 Q3 ;ball\n"
        ";units=inch\n"
        "T3 P3 D.25 Z2 R0.05\n"
        "T4 A118 D0.5 I7 J8 U9 V1 W2 B3 C4\n"
        "T5 D-3\n"
        "T6 Dnan\n"
        "T7 D2 R1.5\n"
        "P8 D2\n"
        ";units=mm\n"
        "T1 D12\n"
        "T9 D1 E4\n");
    ASSERT_EQ(table.tools().size(), 5u);
    const ToolEntry* one = table.find(1);
    ASSERT_NE(one, nullptr);
    EXPECT_EQ(one->diameter, 6);
    EXPECT_EQ(one->length, 50);
    EXPECT_EQ(one->comment, "6 mm flat");
    EXPECT_EQ(one->shape(), ToolShape::Flat);
    EXPECT_EQ(table.find(2)->shape(), ToolShape::Ball);
    EXPECT_EQ(table.find(2)->pocket, 2);
    const ToolEntry* three = table.find(3);
    EXPECT_DOUBLE_EQ(three->diameter, 6.35);
    EXPECT_DOUBLE_EQ(three->length, 50.8);
    EXPECT_EQ(three->shape(), ToolShape::BullNose);
    EXPECT_EQ(table.find(4)->shape(), ToolShape::Point);
    EXPECT_DOUBLE_EQ(table.find(4)->diameter, 12.7);
    EXPECT_EQ(table.find(5), nullptr);
    EXPECT_EQ(table.find(9)->diameter, 1);  // back in millimetres
    ASSERT_EQ(table.problems().size(), 6u);
    EXPECT_EQ(table.problems()[0].line, 7);
    EXPECT_EQ(table.problems()[0].message, "diameter D must not be negative");
    EXPECT_EQ(table.problems()[1].message, "bad number in Dnan");
    EXPECT_EQ(table.problems()[2].line, 9);  // R beyond half the diameter
    EXPECT_EQ(table.problems()[3].message, "no T word: not a tool");
    EXPECT_EQ(table.problems()[4].message, "tool 1 given again (first at line 2)");
    EXPECT_EQ(table.problems()[5].message, "unknown word E ignored");

    EXPECT_FALSE(ToolTable::readfile("/nonexistent/tool.tbl").found());
    EXPECT_FALSE(ToolTable::readfile("/tmp").found());
    EXPECT_EQ(ToolTable::besideprogram("/parts/a/plate.nc"), "/parts/a/tool.tbl");
}

namespace {

std::vector<Tnodedata> runwith(NcJob& job, const std::string& table, const std::string& text) {
    job.dialect = NcDialect::Ngc;
    job.tools = table.empty() ? ToolTable() : ToolTable::parse(table);
    runprogram(job, text);
    return nodesof(job);
}

}  // namespace

TEST(NgcCompensation, ToolsFromTheTableInTheProgramsUnits) {
    // A 0.5 inch tool (12.7 mm) read by an inch program: radius 0.25 to the right of +X.
    NcJob job;
    auto nodes = runwith(job, ";units=inch\nT7 D0.5\n",
                         "G20 G90 F10\nG0 X-1 Y0 Z0\nG42 D7 G1 X0\nG1 X2\nG40 X3\n");
    ASSERT_GE(nodes.size(), 4u);
    EXPECT_NEAR(nodes[nodes.size() - 2].x, 2, 1e-12);
    EXPECT_NEAR(nodes[nodes.size() - 2].y, -0.25, 1e-12);
    EXPECT_TRUE(job.notice.problems().empty());

    // No table, or a tool it does not hold: named once each, the moves drawn as programmed.
    const std::string program = "G0 X-10 Z0\nG41 D3 G1 X0 F100\nG1 X10\nG40 G1 Y5\n"
                                "G41 D3 G1 X0\nG40 Y0\nG42 D4 X10\nG40\n";
    for (const std::string& table : {std::string(), std::string("T1 D6\n")}) {
        NcJob plain;
        nodes = runwith(plain, table, program);
        ASSERT_EQ(nodes.size(), 8u);
        EXPECT_EQ(nodes[2].y, 0);
        EXPECT_EQ(nodes[3].x, 10);
        const auto& ignored = plain.notice.ignored();
        ASSERT_EQ(ignored.size(), table.empty() ? 1u : 2u);
        EXPECT_EQ(ignored[0].code, table.empty() ? "G41/G42 without a tool table" : "G41/G42 D3 not in the tool table");
        EXPECT_EQ(ignored[0].count, table.empty() ? 3 : 2);
    }
}

TEST(NgcCompensation, BadRadiiAndBlocksItCannotFollowAreNamed) {
    NcJob job;
    runwith(job, "",
            "G0 X-10 Z0 F100\n"
            "G41.1 D-2 G1 X0\n"           // 2: negative
            "G42.1 G1 X1\n"               // 3: no D
            "G18 G41.1 D2 G1 X2\n"        // 4: not in XY
            "G17 G41.1 D2 G1 X20\n"
            "G42.1 D2 X30\n"              // 6: already on
            "G81 X40 R1 Z-1\n"            // 7: a cycle
            "G0 X50\n"
            "G40 G0 X60\n");
    std::vector<std::string> problems;
    for (const auto& p : job.notice.problems()) problems.push_back(std::to_string(p.line) + ": " + p.message);
    const std::vector<std::string> expected = {
        "2: G41.1 needs D, the tool diameter, not negative",
        "3: G42.1 needs D, the tool diameter",
        "4: G41.1 works in the XY plane (G17) only",
        "6: G42.1 with cutter compensation already on",
        "7: G81 with cutter compensation on",
    };
    EXPECT_EQ(problems, expected);
}

TEST(OffsetTable, RegistersFirstThenTheirValueInEitherUnit) {
    const OffsetTable table = OffsetTable::parse(
        "; mill 2 offsets\n"
        "D12 R3.0 ;radius\n"
        "d13 d6\n"
        "H3 Z120.5\n"
        "D 14R-1\n"
        ";units=inch\n"
        "H4 Z2\n"
        "D15 R0.125 X1\n"
        "D16 D6 R3\n"
        "D1.5 R1\n"
        "H5 R1\n"
        "T1 D6\n"
        ";units=mm\n"
        "D12 R9\n"
        "D17 R1\n");
    double v = 0;
    EXPECT_TRUE(table.radius(12, v) && v == 3);
    EXPECT_TRUE(table.radius(13, v) && v == 3);
    EXPECT_TRUE(table.radius(14, v) && v == -1);  // kept with its sign
    EXPECT_TRUE(table.length(3, v) && v == 120.5);
    EXPECT_TRUE(table.length(4, v) && v == 50.8);
    EXPECT_TRUE(table.radius(15, v) && v == 3.175);
    EXPECT_TRUE(table.radius(17, v) && v == 1);  // back in millimetres
    EXPECT_FALSE(table.radius(3, v));             // H3 is a length
    EXPECT_FALSE(table.radius(16, v));
    std::vector<std::string> problems;
    for (const auto& p : table.problems()) problems.push_back(std::to_string(p.line) + ": " + p.message);
    const std::vector<std::string> expected = {
        "8: unknown word X ignored",
        "9: D16 needs R, the radius, or D, the diameter",
        "10: register number D must be a whole number",
        "11: unknown word R ignored",
        "11: H5 needs Z, the tool length",
        "12: a register line starts with D or H",
        "14: D12 given again (first at line 2)",
    };
    EXPECT_EQ(problems, expected);
    EXPECT_FALSE(OffsetTable::readfile("/tmp").found());
    EXPECT_EQ(OffsetTable::besideprogram("/parts/a/plate.nc"), "/parts/a/offset.tbl");
}

TEST(NgcCompensation, TheContourAsProgrammedIsKeptOnlyWhereCompensationDrewBesideIt) {
    NcJob job;
    runwith(job, "", "G0 X-10 Y0 Z0\nG1 X0 F100\nG1 X10\n");
    EXPECT_TRUE(job.contour.empty());
    runwith(job, "", "G0 X-10 Y0 Z0\nG1 X-5 F100\nG41.1 D2 G1 X0\nG1 X10\nG3 X20 Y10 J10\nG40 G1 X30\nG1 X40\n");
    // One point a move, from the entry to the exit move, not the moves before or after.
    const auto& points = job.contour.points();
    ASSERT_EQ(points.size(), 5u);
    ASSERT_EQ(job.contour.pieces(), std::vector<size_t>{0});  // one connected line
    const float expected[5][2] = {{-5, 0}, {0, 0}, {10, 0}, {20, 10}, {30, 10}};
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_TRUE(points[i].x == expected[i][0] && points[i].y == expected[i][1]) << i;
        if (i > 0) {
            EXPECT_LE(points[i - 1].node, points[i].node);
        }
    }
    // Drawn, the arc is cut into chords on its circle about (10, 10).
    std::vector<std::array<double, 2>> drawn;
    int starts = 0;
    job.contour.walk(0, points.size(), [&] { ++starts; },
                     [&](double x, double y, double) { drawn.push_back({x, y}); });
    EXPECT_EQ(starts, 1);
    ASSERT_GT(drawn.size(), 8u);
    EXPECT_EQ(drawn.back(), (std::array<double, 2>{30, 10}));
    for (size_t i = 3; i + 1 < drawn.size(); ++i) {
        EXPECT_NEAR(std::hypot(drawn[i][0] - 10, drawn[i][1] - 10), 10, 1e-4) << i;
    }
    runwith(job, "", "G0 X0 Y0\n");
    EXPECT_TRUE(job.contour.empty());  // a new program starts without one
}

TEST(FanucCompensation, ATableThatIsThereButCannotBeReadIsNamedNotTakenForMissing) {
    // offset.tbl a folder, the named tool table absent: each named once, at the first G41.
    char folder[] = "/tmp/korven-offsets-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::filesystem::path dir(folder);
    std::filesystem::create_directory(dir / "offset.tbl");
    std::ofstream(dir / "plate.nc") << "G0 X-10 Y0\nG41 D1 G1 X0 F100\nX10\nG41 D1 X20\nG40 X30\n";
    NcJob job;
    job.dialect = NcDialect::Fanuc;
    job.toolfile = (dir / "shop.tbl").string();
    job.InitPlot(0);
    job.interpreting = true;
    job.PlotOnly((dir / "plate.nc").string());
    std::vector<std::string> problems;
    for (const auto& p : job.notice.problems()) problems.push_back(std::to_string(p.line) + ": " + p.message);
    EXPECT_EQ(problems, (std::vector<std::string>{"2: offset.tbl cannot be read", "2: shop.tbl cannot be read"}));
    EXPECT_EQ(job.notice.ignored().size(), 1u);  // and drawn as programmed, never guessed
    std::filesystem::remove_all(dir);
}
