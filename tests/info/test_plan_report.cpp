// korven-info with a machine profile: the planned time lines and the travel check's exit
// status, on a program and profiles made by hand.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

struct InfoOutput {
    std::string out, err;
    int status = -1;
};

InfoOutput korveninfo(const std::string& arguments) {
    const fs::path errfile =
        fs::temp_directory_path() / ("korven-plan-err-" + std::to_string(::getpid()));
    const std::string command =
        std::string("'") + KORVEN_INFO_EXE + "' " + arguments + " 2>'" + errfile.string() + "'";
    InfoOutput run;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return run;
    char buffer[4096];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, n);
    const int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream in(errfile);
    std::ostringstream text;
    text << in.rdbuf();
    run.err = text.str();
    fs::remove(errfile);
    return run;
}

void write(const fs::path& path, const std::string& text) {
    std::ofstream(path) << text;
}

std::string profile(const std::string& xrapid) {
    std::string text = "[machine]\nunits=mm\njunction_deviation=0.01\ntool_change_seconds=4\n";
    text += "[x]\nmin=-20\nmax=1000\nrapid=" + xrapid + "\naccel=500\n";
    text += "[y]\nmin=-1000\nmax=1000\nrapid=6000\naccel=500\n";
    text += "[z]\nmin=-1000\nmax=1000\nrapid=6000\naccel=500\n[origin]\nx=0\ny=0\nz=0\n";
    return text;
}

}  // namespace

TEST(InfoPlan, TimesPerToolAndTheTravelCheck) {
    const fs::path dir = fs::temp_directory_path() / ("korven-plan-" + std::to_string(::getpid()));
    fs::create_directories(dir / "machines");
    // T3 F6000: 100 mm feed, 1.2 s; a reversal, then 130 mm of rapid at 100 mm/s, 0.2 + 0.2 +
    // 1.1 s; the tool change 4 s. X-30 lies 10 mm short of the travel's -20.
    write(dir / "part.nc", "G1 X0 Y0 Z0 F6000 T3\nX100.\nG0 X-30.\n");
    write(dir / "machines" / "test.ini", profile("6000"));
    write(dir / "bad.ini", profile("0"));
    const std::string part = "'" + (dir / "part.nc").string() + "'";
    ::setenv("HOLVARIN_HOME", dir.c_str(), 1);

    const InfoOutput plain = korveninfo("--machine test " + part);
    EXPECT_EQ(plain.status, 0) << plain.err;
    EXPECT_NE(plain.out.find("extents-all -30.000000 100.000000 0.000000 0.000000 0.000000 "
                             "0.000000\ntime planned 6.700 feed-only 6.300\ntime tool 3 6.700\n"),
              std::string::npos)
        << plain.out;
    EXPECT_EQ(plain.err, "limit X -10.000 first at line 3\n");

    const InfoOutput checked =
        korveninfo("--machine '" + (dir / "machines" / "test.ini").string() + "' --check " + part);
    EXPECT_EQ(checked.status, 3);
    EXPECT_EQ(checked.err, "limit X -10.000 first at line 3\n");

    const InfoOutput bad = korveninfo("--machine '" + (dir / "bad.ini").string() + "' " + part);
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.out, "");
    EXPECT_NE(bad.err.find("[x] rapid must be above 0"), std::string::npos) << bad.err;

    // Without a profile only the extents of every move are new.
    const InfoOutput none = korveninfo(part);
    EXPECT_EQ(none.out.find("time planned"), std::string::npos);
    EXPECT_EQ(none.err, "");
    ::unsetenv("HOLVARIN_HOME");
    fs::remove_all(dir);
}

TEST(InfoSimulate, ReportLinesAlarmsAndRefusals) {
    const fs::path dir = fs::temp_directory_path() / ("korven-sim-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    write(dir / "t.tbl", "T1 D6\n");
    // The 6 mm slot 50 long and 2 deep (656.55), then a rapid 1 mm down into the stock.
    write(dir / "part.nc",
          "T1 M6\nG0 X0. Y0. Z5.\nG1 Z-2. F100.\nX50.\nG0 Z5.\nX25. Y7.\nZ-1.\nZ5.\n");
    const std::string part = "'" + (dir / "part.nc").string() + "' --tools '" +
                             (dir / "t.tbl").string() + "' --simulate";
    const InfoOutput run = korveninfo(part + " --stock -10,-10,-10,60,10,0 --cell 0.3");
    EXPECT_EQ(run.status, 3) << run.err;
    EXPECT_NE(run.out.find("stock -10.000 -10.000 -10.000 60.000 10.000 0.000 cell 0.3\n"),
              std::string::npos) << run.out;
    EXPECT_NE(run.out.find("lowest-cut -2.000\n"), std::string::npos);
    const size_t at = run.out.find("removed-volume ");
    ASSERT_NE(at, std::string::npos);
    // The rapid adds a 6 mm disc 1 deep, y from 4 to 10: just inside the stock.
    EXPECT_NEAR(std::atof(run.out.c_str() + at + 15), 656.55 + 3.14159265 * 9, 6.9);
    EXPECT_EQ(run.err, "alarm rapid 7 25.000 7.000 -1.000 1.000\n");

    const InfoOutput huge = korveninfo(part + " --stock 0,0,0,100000,100000,1 --cell 1");
    EXPECT_EQ(huge.status, 1);
    EXPECT_NE(huge.err.find("would need 40000000000 bytes"), std::string::npos) << huge.err;
    EXPECT_EQ(korveninfo(part + " --stock 0,0,0,10,10").status, 2);
    fs::remove_all(dir);
}
