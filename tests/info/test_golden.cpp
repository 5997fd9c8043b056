// Report cases: each folder under cases/ holds program.nc, the expected report of
// `korven-info --nodes` in expected.txt, optional extra arguments in args.txt and the
// expected messages in expected-stderr.txt.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string readfile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> casenames() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(KORVEN_INFO_CASES)) {
        if (fs::exists(entry.path() / "program.nc")) names.push_back(entry.path().filename());
    }
    std::sort(names.begin(), names.end());
    return names;
}

struct InfoRun {
    std::string out;
    std::string err;
    int status = -1;
};

InfoRun runinfo(const std::string& arguments) {
    const fs::path errfile =
        fs::temp_directory_path() / ("korven-info-err-" + std::to_string(::getpid()));
    const std::string command =
        std::string("'") + KORVEN_INFO_EXE + "' " + arguments + " 2>'" + errfile.string() + "'";
    InfoRun run;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return run;
    char buffer[65536];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, n);
    const int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.err = readfile(errfile);
    fs::remove(errfile);
    return run;
}

std::string trimmed(std::string s) {
    while (!s.empty() && (s.back() == '\n' || s.back() == ' ')) s.pop_back();
    return s;
}

class InfoCase : public ::testing::TestWithParam<std::string> {};

}  // namespace

TEST_P(InfoCase, ReportMatches) {
    const fs::path dir = fs::path(KORVEN_INFO_CASES) / GetParam();
    const std::string args =
        fs::exists(dir / "args.txt") ? trimmed(readfile(dir / "args.txt")) : "";
    const InfoRun run = runinfo("--nodes " + args + " '" + (dir / "program.nc").string() + "'");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, readfile(dir / "expected.txt"));
    const std::string expectederr =
        fs::exists(dir / "expected-stderr.txt") ? readfile(dir / "expected-stderr.txt") : "";
    EXPECT_EQ(run.err, expectederr);
}

std::string casename(const ::testing::TestParamInfo<std::string>& param) {
    return param.param;
}

INSTANTIATE_TEST_SUITE_P(Cases, InfoCase, ::testing::ValuesIn(casenames()), casename);

#ifndef KORVEN_GOLDEN_CASES_ONLY
TEST(InfoErrors, UnreadableFileGivesOneLineAndNoReport) {
    for (const std::string& path : {std::string("/nonexistent/part.nc"), std::string("/tmp")}) {
        const InfoRun run = runinfo("'" + path + "'");
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.find("korven-info: " + path + ": "), 0u) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1);
    }
}

TEST(InfoErrors, WhatIsNoRegularFileIsRefusedUnread) {
    // /dev/zero would otherwise be read for ever.
    for (const std::string& path : {std::string("/dev/zero"), std::string("/tmp")}) {
        const InfoRun run = runinfo("'" + path + "'");
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, "korven-info: " + path + ": not a regular file\n");
    }
}

TEST(InfoErrors, HighlightOutsideTheProgramIsAUsageMistake) {
    const std::string program =
        std::string(" '") + KORVEN_INFO_CASES + "/basic_moves/program.nc'";  // 12 lines
    const std::string png = (fs::temp_directory_path() / "korven-info-highlight.png").string();
    for (const char* lines : {"0", "13", "5-99", "0-3"}) {
        const InfoRun run = runinfo("--png '" + png + "' --highlight " + lines + program);
        EXPECT_EQ(run.status, 2) << lines;
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("not in the program (lines 1 to 12)"), std::string::npos) << run.err;
        EXPECT_FALSE(fs::exists(png));
    }
    // The last line is in the program.
    EXPECT_NE(runinfo("--png '" + png + "' --highlight 12" + program).status, 2);
    fs::remove(png);
}

TEST(InfoErrors, UsageMistakesAreNotReports) {
    EXPECT_EQ(runinfo("").status, 2);
    EXPECT_EQ(runinfo("--zlimits 1").status, 2);
    EXPECT_EQ(runinfo("--bogus x.nc").status, 2);
    EXPECT_EQ(runinfo("--dialect iso x.nc").status, 2);
    EXPECT_EQ(runinfo("a.nc b.nc").out, "");
}
#endif
