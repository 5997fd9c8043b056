// What the default reading passed over: each kind counted once with its first line, the
// earliest first; numbers read as thousandths counted with the first one as written.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ncrun.h"

TEST(ReadingNotice, EveryKindWithoutEffectIsCountedWithItsFirstLine) {
    NcJob job;
    runprogram(job,
               "G21 G90 G17 G40\n"
               "G0 X0 Y0 Z5.\n"
               "G81 X10. Y10. Z-1. R1.\n"
               "X20.\n"
               "G80 G92.1\n"
               "G92 X0 A90. B0\n"
               "g1 x10 M98 P100\n"
               "(tool1 note) G81. Z15\n"
               "M3 M99 C1. U1. V1. W1.\n"
               "tool1 X5 Y-25\n");
    const std::vector<std::string> expected{
        "ignored: G21 1 time, first at line 1",   "ignored: G40 1 time, first at line 1",
        "ignored: G81 2 times, first at line 3",  "ignored: G80 1 time, first at line 5",
        "ignored: G92.1 1 time, first at line 5", "ignored: G92 1 time, first at line 6",
        "ignored: A 1 time, first at line 6",     "ignored: B 1 time, first at line 6",
        "ignored: M98 1 time, first at line 7",   "ignored: g 1 time, first at line 7",
        "ignored: x 1 time, first at line 7",     "ignored: M99 1 time, first at line 9",
        "ignored: C 1 time, first at line 9",     "ignored: U 1 time, first at line 9",
        "ignored: V 1 time, first at line 9",     "ignored: W 1 time, first at line 9",
        "thousandths: 3 numbers, first Z15 at line 8 read as 0.015"};
    EXPECT_EQ(job.notice.reportlines(), expected);

    // A new file starts with nothing to say.
    runprogram(job, "G0 X1. Y2. Z3.\n");
    EXPECT_TRUE(job.notice.empty());
}

TEST(ReadingNotice, AFileOfEndlessDistinctCodesKeepsTheListShort) {
    std::string text;
    for (int code = 100; code < 200; ++code) text += "G" + std::to_string(code) + "\n";
    NcJob job;
    runprogram(job, text);
    const std::vector<std::string> lines = job.notice.reportlines();
    ASSERT_EQ(lines.size(), 64u);
    EXPECT_EQ(lines[62], "ignored: G162 1 time, first at line 63");
    EXPECT_EQ(lines[63], "ignored: other codes 37 times, first at line 64");
}
