// Tool and feed slots, their colours, and the statistics texts.

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "nc/palette.h"
#include "ncrun.h"

TEST(Palette, SlotColoursComeFromThePalette) {
    const auto colors = calctcary();
    EXPECT_EQ(colors[0], 0xFFFF24u);  // index 11: 36, 255, 255
    EXPECT_EQ(colors[4], 0xFFFFFFu);
    EXPECT_EQ(colors[10], 0xDADADAu);
    EXPECT_EQ(kPalette[4], 0x0000B6u);  // rapids: red 182
}

TEST(FeedSlots, KeyIsRoundedFeedPlusToolWhenFIsRead) {
    NcJob job;
    runprogram(job, "T2 F500.\nF500. T2\nF500.\nT3 M6\nF499.5\n");
    ASSERT_EQ(job.feedslots.count, 1);
    EXPECT_EQ(job.feedslots.key[0], 502);
    EXPECT_EQ(job.feedslots.tool[0], 2);
    // F500 before T2 on the next line used tool 2 already; F499.5 rounds to 500 with T3.
    EXPECT_EQ(job.feedslots.key[1], 503);
    EXPECT_EQ(job.feedslots.tool[1], 3);
}

TEST(FeedSlots, ColourFollowsTheFWordOnly) {
    NcJob job;
    runprogram(job, "Z0\nG1 X1.\nF100.\nX2.\nT5\nX3.\nF200.\nX4.\nF100.\nX5.\n");
    const auto nodes = nodesof(job);
    ASSERT_EQ(nodes.size(), 10u);
    EXPECT_EQ(nodes[1].color, 7);   // before any F word
    EXPECT_EQ(nodes[3].color, 11);  // slot 0
    EXPECT_EQ(nodes[5].color, 11);  // T alone changes nothing
    EXPECT_EQ(nodes[7].color, 10);  // slot 1: 200 + 5
    EXPECT_EQ(nodes[9].color, 14);  // 100 + 5 is a third key: slot 2
    EXPECT_EQ(job.feedslots.count, 2);
}

TEST(FeedSlots, TheEleventhKeyOverflowsIntoColourSeven) {
    std::string program = "Z0 G1\n";
    for (int f = 1; f <= 12; ++f)
        program += "F" + std::to_string(f * 100) + " X" + std::to_string(f) + "\n";
    NcJob job;
    runprogram(job, program);
    EXPECT_EQ(job.feedslots.count, 9);
    EXPECT_EQ(job.feedslots.key[9], 1000);
    const auto nodes = nodesof(job);
    ASSERT_EQ(nodes.size(), 13u);
    EXPECT_EQ(nodes[10].color, 5);  // slot 9
    EXPECT_EQ(nodes[11].color, 7);
    EXPECT_EQ(nodes[12].color, 7);
}

TEST(FeedSlots, AreEmptiedByEveryRun) {
    NcJob job;
    runprogram(job, "F100.\n");
    EXPECT_EQ(job.feedslots.count, 0);
    runprogram(job, "G0 X1.\n");
    EXPECT_EQ(job.feedslots.count, -1);
}

TEST(Texts, RightAlignedInEightWithThreeDecimals) {
    NcJob job;
    runprogram(job, "G0 X0 Y0 Z0\nG1 X1.2345 F1.\n");
    EXPECT_EQ(job.timetext, "Time:    1.234");  // 1.2345 is a little under the half
    runprogram(job, "G0 X0 Y0 Z0\nG1 X123456.7 F1.\n");
    EXPECT_EQ(job.timetext, "Time: 123456.700");
    EXPECT_EQ(job.zmaxtext, "ZMax:    0.000");
}

TEST(Texts, AreCutAt255Characters) {
    NcJob job;
    runprogram(job, "G0 X0 Y0 Z0\nG1 X1. Z-1" + std::string(300, '0') + ". F1.\nX2.\n");
    EXPECT_EQ(job.zmintext.size(), 255u);
    EXPECT_EQ(job.zmintext.substr(0, 8), "ZMin: -1");
}

TEST(ToolFeed, EachMoveNamesItsOwnToolAndFeedInBothReadings) {
    // T1 F101 and T2 F100 share slot key 102; the moves must still tell them apart.
    const char* program = "G0 X0 Y0 Z0\nT1 F101\nG1 X1.\nT2 F100\nX2.\nT2 M6\nX3. F50\n";
    for (const NcDialect dialect : {NcDialect::Korven, NcDialect::Ngc}) {
        NcJob job;
        job.dialect = dialect;
        runprogram(job, program);
        std::map<int32_t, uint8_t> colour;  // line -> colour of its move
        for (int32_t n = 0; n <= job.nodes.lastnode(); ++n) {
            colour[job.nodes.node(n).line] = job.nodes.node(n).color;
        }
        ASSERT_EQ(colour[3], colour[5]);  // one slot for both
        // Line -> the T and F of its move: before any T or F, the first pair, the colliding
        // pair, a tool change without motion, and a feed changed on a move.
        const std::map<int32_t, std::pair<int32_t, double>> want = {
            {1, {0, 0}}, {3, {1, 101}}, {5, {2, 100}}, {6, {2, 100}}, {7, {2, 50}}};
        for (int32_t n = 0; n <= job.nodes.lastnode(); ++n) {
            const ToolFeed tf = job.toolfeedat(n);
            ASSERT_TRUE(tf.known);
            const auto expected = want.find(job.nodes.node(n).line);
            if (expected == want.end()) continue;
            EXPECT_EQ(tf.tool, expected->second.first) << "node " << n;
            EXPECT_EQ(tf.feed, expected->second.second) << "node " << n;
        }
        EXPECT_EQ(job.nodes.node(job.nodes.lastnode()).line, 7);
        EXPECT_FALSE(job.toolfeedat(-1).known);
        EXPECT_FALSE(job.toolfeedat(job.nodes.lastnode() + 1).known);
        // Per change, not per node.
        EXPECT_LE(job.events.feeds.size(), 4u);
        EXPECT_LE(job.events.tools.size(), 2u);
    }
}
