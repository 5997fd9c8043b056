// The RS274/NGC reading where a report is a poor witness: whole turns and helices, the long
// way round, and lines that straddle the read buffer.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>

#include "tests/nc/ncrun.h"

namespace {

std::vector<Tnodedata> runngc(const std::string& text) {
    NcJob job;
    job.dialect = NcDialect::Ngc;
    runprogram(job, text);
    return nodesof(job);
}

double maxy(const std::vector<Tnodedata>& nodes) {
    double y = -1e300;
    for (const Tnodedata& n : nodes) y = std::max(y, n.y);
    return y;
}

}  // namespace

TEST(NgcArcs, WholeTurnsAndHelicesTurnTheStandardWay) {
    // A full circle of radius 10 is 50 chords; counter-clockwise in XY starts upward.
    auto nodes = runngc("G0 X10\nG3 X10 I-10 F100\n");
    ASSERT_EQ(nodes.size(), 2u + 50u);
    EXPECT_GT(nodes[2].y, 0);
    EXPECT_NEAR(nodes[1 + 25].x, -10, 1e-9);  // half way round
    EXPECT_EQ(nodes.back().x, 10);
    EXPECT_EQ(nodes.back().y, 0);

    // Two clockwise turns down 4: 2 per turn, starting downward.
    nodes = runngc("G0 X10\nG2 X10 Z-4 I-10 P2 F100\n");
    ASSERT_EQ(nodes.size(), 2u + 100u);
    EXPECT_LT(nodes[2].y, 0);
    EXPECT_NEAR(nodes[1 + 50].z, -2, 1e-9);
    EXPECT_NEAR(nodes[1 + 25].z, -1, 1e-9);
    EXPECT_EQ(nodes.back().z, -4);

    // G18: clockwise seen from +Y takes X toward +Z; G19: counter-clockwise seen from +X
    // takes Y toward +Z.
    nodes = runngc("G0 X10\nG18 G2 X10 I-10 F100\n");
    EXPECT_GT(nodes[2].z, 0);
    EXPECT_LT(nodes[2].x, 10);
    nodes = runngc("G0 Y10\nG19 G3 Y10 J-10 F100\n");
    EXPECT_GT(nodes[2].z, 0);
}

TEST(NgcArcs, NegativeRadiusGoesTheLongWay) {
    // Chord 10, radius 5.5: the centres lie 2.2913 either side of the chord.
    EXPECT_NEAR(maxy(runngc("G2 X10 R5.5 F100\n")), 5.5 - std::sqrt(5.5 * 5.5 - 25), 1e-3);
    EXPECT_NEAR(maxy(runngc("G2 X10 R-5.5 F100\n")), 5.5 + std::sqrt(5.5 * 5.5 - 25), 1e-3);
}

TEST(NgcLines, LinesAcrossTheReadBufferKeepTheirWordsAndNumbers) {
    // Lines of changing length so that every position of the buffer's end falls inside one.
    std::string text;
    int lines = 0;
    while (text.size() < 3 * 1024 * 1024) {
        ++lines;
        text += "G1 X" + std::to_string(lines) + " (" + std::string(lines % 97, 'c') + ")\n";
    }
    text += "G1 Y7";  // the last line without a line feed
    const auto nodes = runngc(text);
    ASSERT_EQ(nodes.size(), static_cast<size_t>(lines) + 2);
    for (int i = 1; i <= lines; ++i) {
        ASSERT_EQ(nodes[static_cast<size_t>(i)].x, i);
        ASSERT_EQ(nodes[static_cast<size_t>(i)].line, i);
    }
    EXPECT_EQ(nodes.back().y, 7);
    EXPECT_EQ(nodes.back().line, lines + 1);

    // The same text from a file large enough to be split on a thread of its own.
    const std::string path = ::testing::TempDir() + "ngc_lines.nc";
    std::ofstream(path, std::ios::binary) << text;
    NcJob job;
    job.dialect = NcDialect::Ngc;
    int progress = 0;
    job.working = [&progress](const std::string&, double) { ++progress; };
    job.InitPlot(0);
    job.interpreting = true;
    job.PlotOnly(path);
    std::remove(path.c_str());
    const auto fromfile = nodesof(job);
    ASSERT_EQ(fromfile.size(), nodes.size());
    for (size_t i = 0; i < nodes.size(); ++i) {
        ASSERT_EQ(fromfile[i].x, nodes[i].x);
        ASSERT_EQ(fromfile[i].line, nodes[i].line);
    }
    EXPECT_GE(progress, 1);  // the end of loading at least, on this thread
}

TEST(NgcCorpus, ProgramsWrittenForNgcDrawAsTheirPostsMeant) {
    if (!std::ifstream(std::string(KORVEN_CORPUS) + "/partkam_plate.nc")) {
        GTEST_SKIP() << "no corpus at " << KORVEN_CORPUS;
    }
    auto read = [](const char* name, NcJob& job) {
        SCOPED_TRACE(name);
        job.dialect = NcDialect::Ngc;
        job.InitPlot(0);
        job.interpreting = true;
        job.PlotOnly(std::string(KORVEN_CORPUS) + "/" + name);
        EXPECT_TRUE(job.notice.problems().empty());
    };
    NcJob plate, tile, copies, thread;
    read("partkam_plate.nc", plate);
    read("fusion_sheeptile_grbl.nc", tile);
    EXPECT_EQ(tile.zmin, -19.8);  // the post's own header: ZMIN=-19.8
    // The part twice: the second time in G55 moved by G10 L2 P2 Y-101.6.
    read("botomata_g10_tools.nc", copies);
    EXPECT_EQ(copies.ymax, 44.132);
    EXPECT_NEAR(copies.ymin, -44.132 - 101.6, 1e-9);
    // G91 from the start: down 0.6533 inch, then ten helix arcs up 0.0179 each; G42 D08 has
    // no tool table beside it, so it is drawn as if off.
    read("threadmill_g91_rhelix.gcode", thread);
    EXPECT_NEAR(thread.zmin, -0.6533, 1e-9);
    EXPECT_NEAR(thread.zmax, -0.6533 + 10 * 0.0179, 1e-9);
    EXPECT_TRUE(thread.inchunits);
    ASSERT_EQ(thread.notice.ignored().size(), 1u);
    EXPECT_EQ(thread.notice.ignored()[0].code, "G41/G42 without a tool table");
}

TEST(NgcUnits, OneLengthUnitThroughoutTheOneOfTheFirstMove) {
    // Metric from the first move: X1 after G20 is 25.4 mm.
    NcJob job;
    job.dialect = NcDialect::Ngc;
    runprogram(job, "G21 G90\nG1 X10 F100\nG20\nG1 X1\n");
    EXPECT_EQ(job.nodes.node(job.nodes.lastnode()).x, 25.4);
    EXPECT_FALSE(job.inchunits);
    ASSERT_EQ(job.notice.problems().size(), 1u);  // said once, on the line that changed it
    EXPECT_EQ(job.notice.problems()[0].line, 3);

    // Inches from the first move: Z stays at 1 inch, X50 mm is 1.9685 inch.
    runprogram(job, "G20\nG0 X0 Y0 Z1\nG21\nG1 X50 F100\n");
    const Tnodedata last = job.nodes.node(job.nodes.lastnode());
    EXPECT_NEAR(last.x, 50 / 25.4, 1e-12);
    EXPECT_EQ(last.z, 1);
    EXPECT_TRUE(job.inchunits);

    // A change before any move converts what is held: F100 mm/min is 3.937 inch/min, so the
    // inch of feed takes 0.254 min after the rapid inch of 0.000125 min.
    runprogram(job, "G21 F100\nG20\nG0 X1\nG1 X2\n");
    EXPECT_TRUE(job.inchunits);
    EXPECT_EQ(job.nodes.node(job.nodes.lastnode()).x, 2);
    EXPECT_EQ(job.timetext, "Time:    0.254");
    EXPECT_TRUE(job.notice.problems().empty());
}

TEST(NgcBlocks, SafetyLineFullCircleAndEveryProblemCounted) {
    // G0 beside G80: the cycle is cancelled, G0 is the motion, G20 and G91 hold.
    NcJob job;
    job.dialect = NcDialect::Ngc;
    runprogram(job, "G00 G17 G20 G40 G49 G80 G91\nG0 X1 Y1 Z1\nX1\n");
    EXPECT_TRUE(job.notice.problems().empty());
    EXPECT_TRUE(job.inchunits);
    EXPECT_EQ(job.nodes.node(job.nodes.lastnode()).x, 2);
    runprogram(job, "G81 X0 Y0 R1 Z-1 F100\nG0 G80 X5\n");
    EXPECT_TRUE(job.notice.problems().empty());
    EXPECT_EQ(job.nodes.node(job.nodes.lastnode()).x, 5);
    EXPECT_EQ(job.nodes.node(job.nodes.lastnode()).z, 1);  // no hole drilled there

    // Offsets and no axis word: a whole circle about (1.5, 0.5), 50 chords back to the start.
    runprogram(job, "G0 X1 Y0 Z0\nG17 G2 I.5 J.5 F100\n");
    EXPECT_TRUE(job.notice.problems().empty());
    const auto nodes = nodesof(job);
    ASSERT_EQ(nodes.size(), 2u + 50u);
    EXPECT_NEAR(nodes[1 + 25].x, 2, 1e-9);  // half way round, opposite the start
    EXPECT_NEAR(nodes[1 + 25].y, 1, 1e-9);
    EXPECT_EQ(nodes.back().x, 1);
    EXPECT_EQ(nodes.back().y, 0);

    // Past the listed thousand, problems are still counted; their summary names no line.
    std::string text;
    for (int i = 0; i < 1500; ++i) text += "G1 X1 X2\n";
    runprogram(job, text);
    EXPECT_EQ(job.notice.problemcount(), 1500);
    EXPECT_EQ(job.notice.problems().size(), 1000u);
    EXPECT_EQ(job.notice.reportlines().back(), "500 more problems not listed");
}
