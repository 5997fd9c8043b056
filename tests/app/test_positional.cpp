#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "app/commandline.h"

namespace {

StartupParameters startwith(std::string_view text) {
    CommandLine cmd;
    cmd.parse(text);
    return interpretpositional(cmd);
}

TEST(Positional, NothingGivenKeepsDefaults) {
    StartupParameters start = startwith("korven");
    EXPECT_FALSE(start.openatidle);
    EXPECT_FALSE(start.zlimitsgiven);
    EXPECT_EQ(start.ncfilename, "");
    EXPECT_DOUBLE_EQ(start.zupperlimit, 99.999);
    EXPECT_DOUBLE_EQ(start.zlowerlimit, -99.999);
    EXPECT_FALSE(interpretpositional(CommandLine{}).openatidle);  // never parsed
}

TEST(Positional, TwoNumbersSetLimitsInEitherOrder) {
    for (const char* text : {"k 5 -2.5", "k -2.5 5", "k /q -2.5 /MIN 5 part.nc"}) {
        StartupParameters start = startwith(text);
        EXPECT_TRUE(start.zlimitsgiven) << text;
        EXPECT_FALSE(start.openatidle) << text;
        EXPECT_DOUBLE_EQ(start.zupperlimit, 5.0) << text;
        EXPECT_DOUBLE_EQ(start.zlowerlimit, -2.5) << text;
    }
}

TEST(Positional, FileAndNumberTakeTheNumberBranch) {
    StartupParameters start = startwith("k part.nc 5");
    EXPECT_FALSE(start.openatidle);
    EXPECT_DOUBLE_EQ(start.zupperlimit, 5.0);
    EXPECT_DOUBLE_EQ(start.zlowerlimit, 0.0);  // a word that is no number reads as 0
}

TEST(Positional, OneWordIsTheFileEvenWhenItLooksLikeAnOption) {
    StartupParameters start = startwith("k /X");
    EXPECT_TRUE(start.openatidle);
    EXPECT_EQ(start.ncfilename, "/X");
    start = startwith("k \"/tmp/my part.nc\" /Q");
    EXPECT_TRUE(start.openatidle);
    EXPECT_EQ(start.ncpath, "/tmp/my part.nc");
}

TEST(Positional, LongPathIsCutForDisplayButKeptWholeForOpening) {
    std::string path = "/data/" + std::string(300, 'p') + ".nc";
    StartupParameters start = startwith("k " + path);
    EXPECT_TRUE(start.openatidle);
    EXPECT_EQ(start.ncpath, path);
    EXPECT_EQ(start.ncfilename, path.substr(0, 255));
}

TEST(Positional, CutNeverSplitsAUtf8Character) {
    std::string text = std::string(254, 'a') + "\xE4\xB8\xAD" + "b";  // 3-byte character at 254
    EXPECT_EQ(cutshortstring(text), std::string(254, 'a'));
    std::string fits = std::string(252, 'a') + "\xE4\xB8\xAD" + "b";  // ends exactly at 255
    EXPECT_EQ(cutshortstring(fits), fits.substr(0, 255));
    std::string latin = std::string(300, '\xE9');  // not UTF-8: a plain byte cut
    EXPECT_EQ(cutshortstring(latin).size(), 255u);
}

TEST(CmdNumber, ReadsTheLongestNumericPrefix) {
    struct Case {
        const char* word;
        double expected;
    };
    const Case cases[] = {
        {"5", 5.0},       {"  -2.5", -2.5}, {"+1.5e2", 150.0}, {"1.5E+1", 15.0},
        {"2.5e-1", 0.25}, {".5", 0.5},      {"5.", 5.0},       {"5mm", 5.0},
        {"1e", 1.0},      {"1e+", 1.0},     {"3.2.1", 3.2},    {"part.nc", 0.0},
        {"", 0.0},        {"-", 0.0},       {".", 0.0},        {"1,5", 1.0},
        {"inf", 0.0},     {"1e-999", 0.0},  {"0e999", 0.0},    {"0.000001e-400", 0.0},
    };
    for (const Case& c : cases) EXPECT_DOUBLE_EQ(cmdnumber(c.word), c.expected) << c.word;
}

TEST(CmdNumber, BeyondDoubleRangeSaturatesWithSign) {
    EXPECT_EQ(cmdnumber("1e999"), HUGE_VAL);
    EXPECT_EQ(cmdnumber("-1e999"), -HUGE_VAL);
    EXPECT_EQ(cmdnumber("1" + std::string(400, '0')), HUGE_VAL);
    EXPECT_EQ(cmdnumber("0." + std::string(400, '0') + "1"), 0.0);
    EXPECT_EQ(cmdnumber("1e99999999999999999999"), HUGE_VAL);
}

}  // namespace
