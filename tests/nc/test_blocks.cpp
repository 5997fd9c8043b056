// Blocks, modal state, line numbers, the final trim and the machining time.

#include <gtest/gtest.h>

#include <string>

#include "ncrun.h"

TEST(Blocks, LineFeedRightAfterANumberEndsTheBlock) {
    NcJob job;
    runprogram(job, "Z0\nX10. Y20.\nX30. Y40. \nX50.  \nY60.;note\nX70.\n");
    auto nodes = nodesof(job);
    // X50 with two blanks joins Y60; the remark after Y60 joins X70.
    ASSERT_EQ(nodes.size(), 4u);
    EXPECT_EQ(nodes[1].x, 10.0);
    EXPECT_EQ(nodes[2].x, 30.0);
    EXPECT_EQ(nodes[2].line, 3);
    EXPECT_EQ(nodes[3].x, 70.0);
    EXPECT_EQ(nodes[3].y, 60.0);
    EXPECT_EQ(nodes[3].line, 6);
}

TEST(Blocks, LinesWithoutWordsMakeNoBlock) {
    NcJob job;
    runprogram(job, "%\nZ1.\n\n(comment)\n   \nX1.\n%\n");
    auto nodes = nodesof(job);
    // The closing percent line belongs to the last block, which reads no word: trimmed.
    ASSERT_EQ(nodes.size(), 2u);
    EXPECT_EQ(nodes[0].line, 2);
    EXPECT_EQ(nodes[1].line, 6);
}

TEST(Blocks, NoHeightNoNodesNoTime) {
    NcJob job;
    runprogram(job, "G1 X10. Y10. F100.\nG0 X20.\nG1 X0 Y0\n");
    EXPECT_EQ(job.nodes.nodecount(), 0);
    EXPECT_EQ(job.timetext, "Time:    0.000");
}

TEST(Blocks, FinalTrimDropsTheEmptyLastBlockOnly) {
    NcJob withfeed;
    runprogram(withfeed, "Z1.\nX1.\n");
    EXPECT_EQ(withfeed.nodes.nodecount(), 2);
    // A last block closed by the end of the text, an ESC or a Ctrl-Z keeps its move, on the
    // line of its last word.
    for (const char* end : {"", "\x1b", "\x1a", " ;end", " (end)"}) {
        NcJob without;
        runprogram(without, std::string("Z1.\nX1.") + end);
        auto nodes = nodesof(without);
        ASSERT_EQ(nodes.size(), 2u) << end;
        EXPECT_EQ(nodes[1].x, 1.0) << end;
        EXPECT_EQ(nodes[1].line, 2) << end;
    }
    // Every chord of a last arc stays, its end point too.
    NcJob arc;
    runprogram(arc, "G0 X0 Y0 Z0\nG3 X10. Y0 I5. F100.");
    ASSERT_GT(arc.nodes.nodecount(), 3);
    EXPECT_EQ(arc.nodes.node(arc.nodes.lastnode()).line, 2);
    EXPECT_EQ(arc.nodes.node(arc.nodes.lastnode()).x, 10.0);
    EXPECT_EQ(arc.nodes.node(arc.nodes.lastnode() - 1).line, 2);
    NcJob single;
    runprogram(single, "Z1.");
    EXPECT_EQ(single.nodes.nodecount(), 1);
    // An empty last block whose position was never stored takes no other node with it.
    NcJob unknown;
    runprogram(unknown, "G0 X1. Z5.\nZ999.\n");
    EXPECT_EQ(unknown.nodes.nodecount(), 1);
}

TEST(Blocks, AStopEndsTheRunAfterTheBlockBeingRead) {
    NcJob job;
    job.InitPlot(0);
    job.stoprequested = true;
    job.PlotMemory("G0 X0 Y0 Z0\nX1.\nX2.\n");
    EXPECT_EQ(job.nodes.nodecount(), 1);
    EXPECT_EQ(job.stoppedline, 1);
    EXPECT_EQ(job.timetext, "Time:    0.000");
    job.InitPlot(0);
    EXPECT_FALSE(job.stoprequested);
    EXPECT_EQ(job.stoppedline, -1);
    // The other reading stops alike.
    job.dialect = NcDialect::Ngc;
    job.stoprequested = true;
    job.PlotMemory("G0 X0 Y0 Z0\nX1.\nX2.\n");
    EXPECT_EQ(job.stoppedline, 1);
    ASSERT_GE(job.nodes.lastnode(), 0);
    EXPECT_EQ(job.nodes.node(job.nodes.lastnode()).line, 1);
}

TEST(ModalState, IncrementalAddsToTheBlockStart) {
    NcJob job;
    runprogram(job, "G0 X1. Y1. Z1.\nG91 X2. Y-1. Z1000\nX2.\nG90 X0\n");
    auto nodes = nodesof(job);
    ASSERT_EQ(nodes.size(), 4u);
    EXPECT_EQ(nodes[1].x, 3.0);
    EXPECT_EQ(nodes[1].y, 0.0);
    EXPECT_EQ(nodes[1].z, 2.0);
    EXPECT_EQ(nodes[2].x, 5.0);
    EXPECT_EQ(nodes[3].x, 0.0);
}

TEST(ModalState, GCodesRoundHalvesToEvenAndUnknownOnesAreIgnored) {
    NcJob job;
    // G0.5 rounds to G0 (rapid colour); G1.5 and G2.5 round to G2, an arc.
    runprogram(job, "Z0 G1 F100.\nG0.5 X1.\nG1 X2.\nG54 G43 G80 X3.\n");
    auto nodes = nodesof(job);
    ASSERT_EQ(nodes.size(), 4u);
    EXPECT_EQ(nodes[1].color, 4);
    EXPECT_EQ(nodes[2].color, 11);
    EXPECT_EQ(nodes[3].color, 11);  // G54 G43 G80 leave the motion at G1
    NcJob arc;
    runprogram(arc, "Z0\nG1.5 X10. Y0 I5. F100.\n");
    EXPECT_GT(arc.nodes.nodecount(), 2);
}

TEST(MachiningTime, RapidsAt8000AndFeedsAtTheirFeed) {
    NcJob job;
    runprogram(job, "G0 X0 Y0 Z0\nX8000.\nG1 X8000. Y300. F100.\nG1 X8000. Y400. F0\n");
    // 8000 / 8000 + 300 / 100; a feed of 0 adds nothing.
    EXPECT_EQ(job.timetext, "Time:    4.000");
    NcJob arcs;
    runprogram(arcs, "G0 X10. Y0 Z0\nG3 X-10. Y0 I-10. J0 F10.\n");
    EXPECT_EQ(arcs.timetext, "Time:    2.000");  // the chord, not the arc length
}

TEST(MachiningTime, CountsFromTheFirstBlockThatStartsWithAHeight) {
    NcJob job;
    runprogram(job, "G1 F1. X1000.\nZ0\nX3.\n");
    // The first two blocks start without a height; only X1000 -> X3 counts.
    EXPECT_EQ(job.timetext, "Time:  997.000");
}
