// Running a job from a file: errors, progress, state carried between files.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "ncrun.h"

namespace {

class TempFile {
  public:
    explicit TempFile(const std::string& content) {
        char name[] = "/tmp/korven-nc-XXXXXX";
        const int fd = mkstemp(name);
        path_ = name;
        if (fd >= 0) close(fd);
        std::ofstream(path_, std::ios::binary) << content;
    }
    ~TempFile() { std::remove(path_.c_str()); }
    const std::string& path() const { return path_; }

  private:
    std::string path_;
};

void plotfile(NcJob& job, const std::string& path, int32_t cmdarcmode = 0) {
    job.InitPlot(cmdarcmode);
    job.interpreting = true;
    job.PlotOnly(path);
}

}  // namespace

TEST(JobFile, MissingFileAndDirectoryAreErrorsWithTheirName) {
    NcJob job;
    try {
        plotfile(job, "/nonexistent/part.nc");
        FAIL() << "no error";
    } catch (const NcFileError& e) {
        EXPECT_EQ(std::string(e.what()), "/nonexistent/part.nc: No such file or directory");
    }
    try {
        plotfile(job, "/tmp");
        FAIL() << "no error";
    } catch (const NcFileError& e) {
        EXPECT_EQ(std::string(e.what()), "/tmp: Is a directory");
    }
}

TEST(JobFile, AFailedRunLeavesNoFiguresOfTheFileBefore) {
    NcJob job;
    TempFile good("G0 X0 Y0 Z0\nG1 X1. F1.\n");
    plotfile(job, good.path());
    EXPECT_EQ(job.timetext, "Time:    1.000");
    EXPECT_THROW(plotfile(job, "/nonexistent/part.nc"), NcFileError);
    EXPECT_EQ(job.timetext, "");
    EXPECT_EQ(job.zmaxtext, "");
    EXPECT_EQ(job.nodes.nodecount(), 0);
}

TEST(JobFile, EmptyNameOrInterpretingOffDoNothing) {
    NcJob job;
    EXPECT_NO_THROW(job.PlotOnly(""));
    job.interpreting = false;
    EXPECT_NO_THROW(job.PlotOnly("/nonexistent/part.nc"));
}

TEST(JobFile, ACompleteRunClearsInterpreting) {
    NcJob job;
    TempFile file("G0 X0 Y0 Z0\nX1.\n");
    plotfile(job, file.path());
    EXPECT_FALSE(job.interpreting);
    EXPECT_EQ(job.nodes.nodecount(), 2);
    // A stop byte before the end leaves the file unread to its end.
    TempFile stopped("G0 X0 Y0 Z0\n\x1a" + std::string(20000, 'X') + "\n");
    plotfile(job, stopped.path());
    EXPECT_TRUE(job.interpreting);
}

TEST(JobFile, ProgressEndsWithLoadingAtOne) {
    NcJob job;
    const auto result = runprogram(job, std::string(50000, ' ') + "G0 X0 Y0 Z0\n");
    ASSERT_FALSE(result.progress.empty());
    EXPECT_EQ(result.progress.back().first, "Loading : ");
    EXPECT_EQ(result.progress.back().second, 1.0);
}

TEST(JobFile, TheNextFileStartsFromTheCommandLineArcMode) {
    NcJob job;
    TempFile first("(ARCMODE:ABSOLUTE)\nG0 X0 Y0 Z0\n");
    TempFile second("G0 X0 Y0 Z0\n");
    plotfile(job, first.path(), 1);
    EXPECT_EQ(job.arcmode, 2);
    plotfile(job, second.path(), 1);
    EXPECT_EQ(job.arcmode, 1);
    EXPECT_EQ(job.feedcolor, 7);
}
