#include <gtest/gtest.h>

#include <string>

#include "app/commandline.h"

namespace {

CommandLine parsed(std::string_view text) {
    CommandLine cmd;
    cmd.parse(text);
    return cmd;
}

// The invariants every reader relies on: no empty word stored, nothing after cmdlast.
void expectwellformed(const CommandLine& cmd) {
    ASSERT_LE(cmd.cmdlast, kCmdWordCapacity - 1);
    for (int i = 0; i < kCmdWordCapacity; ++i) {
        if (i <= cmd.cmdlast) {
            EXPECT_FALSE(cmd.cmdwords[i].empty()) << "entry " << i;
        } else {
            EXPECT_TRUE(cmd.cmdwords[i].empty()) << "entry " << i;
        }
    }
}

TEST(CommandLineSplit, UnparsedStateAndProgramPathOnly) {
    CommandLine fresh;
    EXPECT_EQ(fresh.cmdlast, -1);
    CommandLine cmd = parsed("korven");
    EXPECT_EQ(cmd.cmdlast, 0);
    EXPECT_EQ(cmd.cmdwords[0], "korven");
    CommandLine empty = parsed("");
    EXPECT_EQ(empty.cmdlast, -1);
    expectwellformed(empty);
}

TEST(CommandLineSplit, QuotesJoinAndAreDropped) {
    CommandLine cmd = parsed("\"/opt/my tools/korven\"   a\"b c\"d \"\"  \"\" e");
    expectwellformed(cmd);
    ASSERT_EQ(cmd.cmdlast, 2);
    EXPECT_EQ(cmd.cmdwords[0], "/opt/my tools/korven");
    EXPECT_EQ(cmd.cmdwords[1], "ab cd");  // quoted and unquoted text that touch form one word
    EXPECT_EQ(cmd.cmdwords[2], "e");      // empty quotes and runs of blanks store nothing
    EXPECT_EQ(cmd.cmdwords[3], "");
}

TEST(CommandLineSplit, ControlBytesEndWordsEvenInQuotes) {
    CommandLine cmd = parsed("k \"my\tpart one.nc\"\r\n");
    expectwellformed(cmd);
    ASSERT_EQ(cmd.cmdlast, 2);
    EXPECT_EQ(cmd.cmdwords[1], "my");
    // The tab ends the word but not the quotes: the blank after it still belongs to a word.
    EXPECT_EQ(cmd.cmdwords[2], "part one.nc");
}

TEST(CommandLineSplit, ZeroByteEndsTheTextAndHighBytesAreKept) {
    CommandLine cmd = parsed(std::string_view("k \xC3\xA9t\xFF\0 hidden", 12));
    ASSERT_EQ(cmd.cmdlast, 1);
    EXPECT_EQ(cmd.cmdwords[1], "\xC3\xA9t\xFF");
}

TEST(CommandLineSplit, KeepsOnlyTheFirst128Words) {
    std::string text = "k";
    for (int i = 1; i <= 200; ++i) text += " w" + std::to_string(i);
    CommandLine cmd = parsed(text);
    expectwellformed(cmd);
    EXPECT_EQ(cmd.cmdlast, 127);
    EXPECT_EQ(cmd.cmdwords[127], "w127");
}

TEST(CommandLineOptions, ReservedOptionsAreConsumedInAnyCaseAndPosition) {
    CommandLine cmd = parsed(
        "k /q \"my part.nc\" /Quit /MIN /min /p /PRINT /debug /savebmp "
        "/SNAPSHOT /ul /UR /bl /br /rapidmode:7 /RAPIDMODE");
    expectwellformed(cmd);
    ASSERT_EQ(cmd.cmdlast, 1);
    EXPECT_EQ(cmd.cmdwords[1], "my part.nc");
    EXPECT_EQ(cmd.cmdarcmode, 0);
    EXPECT_FALSE(cmd.cmdrambuffer);
}

TEST(CommandLineOptions, UnknownSlashWordsAndProgramPathStay) {
    CommandLine cmd = parsed("/Q /X /QQ /RAMBUFFERS /q");
    ASSERT_EQ(cmd.cmdlast, 3);
    EXPECT_EQ(cmd.cmdwords[0], "/Q");  // the program path is never an option
    EXPECT_EQ(cmd.cmdwords[1], "/X");
    EXPECT_EQ(cmd.cmdwords[2], "/QQ");
    EXPECT_EQ(cmd.cmdwords[3], "/RAMBUFFERS");
    EXPECT_FALSE(cmd.cmdrambuffer);
}

TEST(CommandLineOptions, RamBufferLeavesTheVacatedEntryEmpty) {
    CommandLine cmd = parsed("k part.nc /rambuffer");
    EXPECT_TRUE(cmd.cmdrambuffer);
    EXPECT_EQ(cmd.cmdlast, 1);
    EXPECT_EQ(cmd.cmdwords[2], "");
}

TEST(CommandLineOptions, NoSettingsIsConsumedOnlyWhole) {
    CommandLine cmd = parsed("k --no-settings part.nc --NO-SETTINGS-X");
    EXPECT_TRUE(cmd.cmdnosettings);
    EXPECT_EQ(cmd.cmdlast, 2);
    EXPECT_EQ(cmd.cmdwords[1], "part.nc");
    EXPECT_EQ(cmd.cmdwords[2], "--NO-SETTINGS-X");
}

TEST(CommandLineOptions, ArcModeValues) {
    struct Case {
        const char* word;
        int expected;
    };
    const Case cases[] = {
        {"/ARCMODE:centerstart", 1},
        {"/ARCMODE=2", 2},
        {"/arcmode:Absolute", 2},
        {"/ARCMODE:1", 1},
        {"/ARCMODE 0", 0},
        {"/ARCMODE:3", 0},
        {"/ARCMODE", 0},
        {"/ARCMODE:", 0},
        {"/ARCMODEX2", 2},
        {"/ARCMODE::2", 0},
        {"/ARCMODE:2x", 0},
        {"/ARCMODEABSOLUTE", 0},
    };
    for (const Case& c : cases) {
        CommandLine cmd = parsed(std::string("k \"") + c.word + "\" part.nc");
        EXPECT_EQ(cmd.cmdarcmode, c.expected) << c.word;
        ASSERT_EQ(cmd.cmdlast, 1) << c.word;  // consumed whatever its value
        EXPECT_EQ(cmd.cmdwords[1], "part.nc");
    }
}

TEST(CommandLineOptions, LaterValidArcModeWinsAndInvalidKeepsEarlier) {
    EXPECT_EQ(parsed("k /ARCMODE:2 /ARCMODE:1").cmdarcmode, 1);
    EXPECT_EQ(parsed("k /ARCMODE:2 /ARCMODE:9").cmdarcmode, 2);
}

TEST(CommandLineOptions, DialectChoice) {
    EXPECT_EQ(parsed("k part.nc").cmddialect, NcDialect::Korven);
    EXPECT_EQ(parsed("k /dialect:ngc part.nc").cmddialect, NcDialect::Ngc);
    EXPECT_EQ(parsed("k /DIALECT=NGC").cmddialect, NcDialect::Ngc);
    EXPECT_EQ(parsed("k /DIALECT:fanuc part.nc").cmddialect, NcDialect::Fanuc);
    EXPECT_EQ(parsed("k /DIALECT:NGC /DIALECT:KORVEN").cmddialect, NcDialect::Korven);
    const CommandLine unknown = parsed("k /DIALECT:NGC /DIALECT:ISO part.nc");
    EXPECT_EQ(unknown.cmddialect, NcDialect::Ngc);  // an unknown language keeps the earlier choice
    ASSERT_EQ(unknown.cmdlast, 1);
    EXPECT_EQ(unknown.cmdwords[1], "part.nc");
}

TEST(CommandLineOptions, ToolTableKeepsTheCaseOfItsFileName) {
    const CommandLine tools = parsed("k /tools:\"/Shop Tools/Mill.TBL\" part.nc /TOOLS:");
    EXPECT_EQ(tools.cmdtools, "/Shop Tools/Mill.TBL");
    ASSERT_EQ(tools.cmdlast, 1);
    EXPECT_EQ(tools.cmdwords[1], "part.nc");
}

TEST(CommandLineOptions, ParsingAgainStartsAfresh) {
    CommandLine cmd = parsed("k /rambuffer /arcmode:2 /dialect:ngc a b c");
    cmd.parse("k");
    EXPECT_EQ(cmd.cmdlast, 0);
    EXPECT_EQ(cmd.cmdarcmode, 0);
    EXPECT_EQ(cmd.cmddialect, NcDialect::Korven);
    EXPECT_FALSE(cmd.cmdrambuffer);
    expectwellformed(cmd);
}

TEST(CommandLineRemoveWord, ShiftsDownAndIgnoresBadIndexes) {
    CommandLine cmd = parsed("k a b c");
    cmd.removeword(0);
    cmd.removeword(4);
    cmd.removeword(-1);
    EXPECT_EQ(cmd.cmdlast, 3);
    cmd.removeword(1);
    ASSERT_EQ(cmd.cmdlast, 2);
    EXPECT_EQ(cmd.cmdwords[1], "b");
    EXPECT_EQ(cmd.cmdwords[2], "c");
    EXPECT_EQ(cmd.cmdwords[3], "");
    cmd.removeword(2);
    cmd.removeword(1);
    EXPECT_EQ(cmd.cmdlast, 0);
    expectwellformed(cmd);
}

TEST(CommandLineWords, ShellWordsAreTakenWholeAndEmptyOnesDropped) {
    // The shell has already unquoted them: a quote or a blank is part of the file name.
    const char* argv[] = {"/usr/bin/korven", "2\" flange.nc", "", "/q"};
    CommandLine cmd = parsecommandline(4, argv);
    ASSERT_EQ(cmd.cmdlast, 1);
    EXPECT_EQ(cmd.cmdwords[1], "2\" flange.nc");
    EXPECT_EQ(interpretpositional(cmd).ncpath, "2\" flange.nc");
    expectwellformed(cmd);

    // An empty program path keeps its entry; the first parameter stays a parameter.
    const char* noprogram[] = {"", "part.nc", "/RAMBUFFER"};
    cmd = parsecommandline(3, noprogram);
    ASSERT_EQ(cmd.cmdlast, 1);
    EXPECT_EQ(cmd.cmdwords[1], "part.nc");
    EXPECT_TRUE(cmd.cmdrambuffer);
    expectwellformed(cmd);
    EXPECT_EQ(parsecommandline(0, nullptr).cmdlast, 0);
}

}  // namespace
