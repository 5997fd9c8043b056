// Any bytes must interpret safely.

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "ncrun.h"

TEST(BadInput, EmptyProgram) {
    NcJob job;
    runprogram(job, "");
    EXPECT_EQ(job.nodes.nodecount(), 0);
    EXPECT_EQ(job.timetext, "Time:    0.000");
    EXPECT_EQ(job.zmaxtext, "ZMax: -9999.000");
}

TEST(BadInput, RandomBytesAndNulsAndHighBytes) {
    std::mt19937 random(12345);
    for (int round = 0; round < 50; ++round) {
        std::string bytes(20000, '\0');
        for (auto& b : bytes) b = static_cast<char>(random() & 0xFF);
        NcJob job;
        runprogram(job, bytes);
        EXPECT_LE(job.nodes.nodecount(), 51 * 20000);
    }
    // A NUL or a high byte is a stray character: it ends a number but no block.
    static const char text[] = "Z1.\0X5.\n\xff\xfeX2.\x80Y3.\n";
    NcJob job;
    runprogram(job, std::string(text, sizeof text - 1));
    ASSERT_EQ(job.nodes.nodecount(), 2);
    EXPECT_EQ(job.nodes.node(0).x, 5.0);
    EXPECT_EQ(job.nodes.node(1).x, 2.0);
    EXPECT_EQ(job.nodes.node(1).y, 3.0);
}

TEST(BadInput, HugeLineCommentAndNumber) {
    NcJob job;
    runprogram(job, "Z0 X" + std::string(4 << 20, '7') + "\n");
    EXPECT_EQ(job.nodes.node(0).x, INFINITY);
    runprogram(job, "Z0 (" + std::string(4 << 20, 'c') + ")X1.\n");
    EXPECT_EQ(job.nodes.node(0).x, 1.0);
    runprogram(job, "Z0 X1." + std::string(4 << 20, ' ') + "Y2.\n");
    EXPECT_EQ(job.nodes.node(0).y, 2.0);
    runprogram(job, "Z0 X-." + std::string(5000, '0') + "1\n");
    EXPECT_EQ(job.nodes.node(0).x, 0.0);
    EXPECT_TRUE(std::signbit(job.nodes.node(0).x));
}

TEST(BadInput, NonFiniteCoordinatesAndArcs) {
    NcJob job;
    const std::string inf = "1" + std::string(400, '0') + ".";
    runprogram(job, "G0 X0 Y0 Z0\nG2 X" + inf + " Y-" + inf + " R" + inf + " F1.\nG3 X0 Y0 I" +
                        inf + "\nG91 X-" + inf + "\nX" + inf + "\nG90 G2 X1. Y1. R-" + inf + "\n");
    EXPECT_GT(job.nodes.nodecount(), 3);
}

TEST(BadInput, ExtremeToolAndFeedNumbers) {
    NcJob job;
    runprogram(job, "T" + std::string(30, '9') + " F99999999999.\nT-2147483649 F-1" +
                        std::string(400, '0') + "\nT2.5 F1.5 G1 X1. Z0\n");
    EXPECT_EQ(job.feedslots.count, 2);
    EXPECT_EQ(job.feedslots.tool[2], 2);
    EXPECT_EQ(job.feedslots.key[2], 4);
}
