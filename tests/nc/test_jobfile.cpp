// Running a job from a file: errors, progress, state carried between files.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "nc/ncinterpreter.h"
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

TEST(JobFile, MissingFileAndWhatIsNoRegularFileAreErrorsWithTheirName) {
    NcJob job;
    try {
        plotfile(job, "/nonexistent/part.nc");
        FAIL() << "no error";
    } catch (const NcFileError& e) {
        EXPECT_EQ(std::string(e.what()), "/nonexistent/part.nc: No such file or directory");
    }
    // A FIFO without a writer must not hold the open, nor /dev/zero the reading, for good.
    char fifo[] = "/tmp/korven-fifo-XXXXXX";
    ASSERT_NE(mkdtemp(fifo), nullptr);
    const std::string fifopath = std::string(fifo) + "/part.nc";
    ASSERT_EQ(mkfifo(fifopath.c_str(), 0600), 0);
    for (const std::string& path : {std::string("/tmp"), fifopath, std::string("/dev/zero")}) {
        try {
            plotfile(job, path);
            ADD_FAILURE() << path << ": no error";
        } catch (const NcFileError& e) {
            EXPECT_EQ(std::string(e.what()), path + ": not a regular file");
        }
    }
    std::remove(fifopath.c_str());
    rmdir(fifo);
}

TEST(JobFile, ASizeOrTimeChangedWhileReadingIsNoticed) {
    NcJob job;
    TempFile file("G0 X0 Y0 Z0\nX1.\n");
    plotfile(job, file.path());
    EXPECT_FALSE(job.filechanged);
    // Written to while it is read: the progress callback stands in for the other program.
    job.working = [&file](const std::string&, double) {
        std::ofstream(file.path(), std::ios::app) << "X2.\n";
    };
    plotfile(job, file.path());
    job.working = nullptr;
    EXPECT_TRUE(job.filechanged);
    plotfile(job, file.path());
    EXPECT_FALSE(job.filechanged);
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

TEST(JobFile, ProgressNeverPassesAllOfAFileThatGrows) {
    // Three slow buffers from a file that measured one when it was opened.
    class Growing : public ByteSource {
      public:
        size_t read(uint8_t* buffer, size_t capacity) override {
            if (reads_ == 3) return 0;
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            const size_t n = ++reads_ == 3 ? 12 : capacity;
            std::memset(buffer, ' ', n);
            if (reads_ == 3) std::memcpy(buffer, "G0 X0 Y0 Z0\n", 12);
            return n;
        }
        int64_t size() const override { return NcReader::kBufferSize; }
        bool atend() const override { return reads_ == 3; }

      private:
        int reads_ = 0;
    } source;
    NcJob job;
    std::vector<double> fractions;
    job.working = [&](const std::string&, double f) { fractions.push_back(f); };
    job.InitPlot(0);
    job.interpreting = true;
    NcInterpreter(job, source, false).PO();
    ASSERT_GE(fractions.size(), 2u);
    for (const double f : fractions) EXPECT_LE(f, 1.0);
    EXPECT_EQ(job.nodes.nodecount(), 1);
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
