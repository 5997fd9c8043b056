// Comments, the ARCMODE: directive and the bytes that end the text.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "ncrun.h"

namespace {

int32_t arcmodeafter(const std::string& comment, int32_t start = 0) {
    NcJob job;
    runprogram(job, comment + "\n", start);
    return job.arcmode;
}

}  // namespace

TEST(Directive, NamesAndNumbersInAnyCase) {
    EXPECT_EQ(arcmodeafter("(ARCMODE:ABSOLUTE)"), 2);
    EXPECT_EQ(arcmodeafter("(arcmode:2)"), 2);
    EXPECT_EQ(arcmodeafter("(ArcMode:CenterStart)"), 1);
    EXPECT_EQ(arcmodeafter("(ARCMODE:STARTCENTER)", 2), 0);
    EXPECT_EQ(arcmodeafter("(ARCMODE:0)", 1), 0);
}

TEST(Directive, AnythingElseChangesNothing) {
    EXPECT_EQ(arcmodeafter("( ARCMODE:2)"), 0);
    EXPECT_EQ(arcmodeafter("(ARCMODE: 2)"), 0);
    EXPECT_EQ(arcmodeafter("(ARCMODE:3)", 1), 1);
    EXPECT_EQ(arcmodeafter("(ARCMODE:)", 1), 1);
    EXPECT_EQ(arcmodeafter("(ARCMODE:2 )"), 0);
}

TEST(Directive, TakesEffectForArcsAfterIt) {
    NcJob job;
    runprogram(job, "G0 X10. Y0 Z0\n(ARCMODE:ABSOLUTE)G3 X-10. Y0 I0 J0\n");
    auto nodes = nodesof(job);
    ASSERT_EQ(nodes.size(), 26u);
    for (size_t k = 1; k + 1 < nodes.size(); ++k)
        EXPECT_NEAR(std::hypot(nodes[k].x, nodes[k].y), 10.0, 1e-12);
    // Without the directive I0 J0 puts the centre on the start: radius 0, a quarter turn
    // from pi/2 to pi, 12 chords whose inner points all sit on the start.
    NcJob plain;
    runprogram(plain, "G0 X10. Y0 Z0\nG3 X-10. Y0 I0 J0\n");
    nodes = nodesof(plain);
    ASSERT_EQ(nodes.size(), 13u);
    for (size_t k = 1; k + 1 < nodes.size(); ++k) EXPECT_EQ(nodes[k].x, 10.0);
}

TEST(Comments, EndANumberAndTheByteAfterIsNotACommentAgain) {
    NcJob job;
    runprogram(job, "Z0 X10(tool change)\nY5\n");
    auto nodes = nodesof(job);
    ASSERT_EQ(nodes.size(), 2u);
    EXPECT_EQ(nodes[0].x, 0.01);
    EXPECT_EQ(nodes[0].line, 1);  // the comment's line feed ended the block
    // A second parenthesis straight after a comment opens nothing: its words are read.
    NcJob job2;
    runprogram(job2, "Z0 (a)(X5.)\n");
    ASSERT_EQ(job2.nodes.nodecount(), 1);
    EXPECT_EQ(job2.nodes.node(0).x, 5.0);
}

TEST(Comments, CountLinesAndHideEveryByteUntilTheClosingParenthesis) {
    NcJob job;
    runprogram(job, "Z1.\n(line\n\x1a\x1b\r(X9.\n)\nX2.\n");
    auto nodes = nodesof(job);
    ASSERT_EQ(nodes.size(), 2u);
    EXPECT_EQ(nodes[1].x, 2.0);
    EXPECT_EQ(nodes[1].line, 5);
}

TEST(Comments, UnclosedCommentRunsToTheEnd) {
    NcJob job;
    runprogram(job, "Z1. X1.\n(never closed X5.\nX7.\n");
    // The comment leaves the last block without a word: the final trim takes its node.
    auto nodes = nodesof(job);
    ASSERT_EQ(nodes.size(), 1u);
    EXPECT_EQ(nodes[0].x, 1.0);
    EXPECT_EQ(nodes[0].line, 1);
    EXPECT_FALSE(job.interpreting);

    // After a word, the comment's line feeds do not move the block to the file's end.
    const std::string text = "G0 X0 Y0 Z0\nG1 X1. F100\nX2. (never closed\nX3.\nY3.\n";
    for (const NcDialect dialect : {NcDialect::Korven, NcDialect::Ngc}) {
        job.dialect = dialect;
        runprogram(job, text);
        nodes = nodesof(job);
        const bool korven = dialect == NcDialect::Korven;
        ASSERT_FALSE(nodes.empty());
        // The other reading refuses the line whole, as comments there end on their line.
        EXPECT_EQ(nodes.back().x, korven ? 2.0 : 3.0);
        EXPECT_EQ(nodes.back().line, korven ? 3 : 5);
    }
}

TEST(EndOfText, CtrlZAndEscEndTheProgram) {
    for (const char* stop : {"\x1a", "\x1b"}) {
        NcJob job;
        runprogram(job, std::string("Z1. X1.\nX2.\n") + stop + "X3.\nX4.\n");
        auto nodes = nodesof(job);
        ASSERT_EQ(nodes.size(), 2u);
        EXPECT_EQ(nodes.back().x, 2.0);
    }
}
