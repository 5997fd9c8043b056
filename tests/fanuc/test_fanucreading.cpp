// The Fanuc-family reading where a report is a poor witness: the coordinate changes as
// functions, programs that must stop with a named problem instead of running away, and
// lines split ahead that a call or a jump leaves behind.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>

#include "nc/fanuc/fanucinterpreter.h"
#include "nc/fanuc/fanuctransform.h"
#include "tests/nc/ncrun.h"

namespace {

void runfanuc(NcJob& job, const std::string& text) {
    job.dialect = NcDialect::Fanuc;
    runprogram(job, text);
}

bool named(const NcJob& job, const std::string& text, int64_t line) {
    for (const ReadingNotice::Problem& p : job.notice.problems()) {
        if (p.message == text && p.line == line) return true;
    }
    return false;
}

}  // namespace

TEST(FanucTransform, MirrorThenScaleThenRotate) {
    // (5, 1): mirrored across Y0 to (5, -1), doubled about (0, 0) to (10, -2), turned a
    // quarter about (0, 0) to (2, 10).
    FanucTransform t;
    t.mirrored[1] = true;
    t.scaling = true;
    t.factor[0] = t.factor[1] = t.factor[2] = 2;
    t.rotating = true;
    t.degrees = 90;
    const double in[3] = {5, 1, 3};
    double out[3];
    t.apply(in, out);
    EXPECT_NEAR(out[0], 2, 1e-12);
    EXPECT_NEAR(out[1], 10, 1e-12);
    EXPECT_EQ(out[2], 6);
    // One mirrored axis of the plane turns arcs the other way; a negative factor on the
    // other turns them back.
    EXPECT_TRUE(t.reverses(0, 1));
    t.factor[0] = -2;
    EXPECT_FALSE(t.reverses(0, 1));
}

TEST(FanucBadInput, LoopsCallsAndDepthsStopWithANamedProblem) {
    NcJob job;
    job.linerunlimit = 1000;
    // A loop whose condition never changes: stopped on the line that ran the bound's times,
    // with what it drew kept.
    runfanuc(job, "G21 G90 G0 X1. Y0 Z0\n#1=1\nWHILE [#1 GT 0] DO 1\nG0 X2.\nEND 1\n");
    // END is counted from its first run, the lines it jumps back to from their second.
    EXPECT_TRUE(named(job, "stopped: line 5 ran 1000 times", 5));
    EXPECT_EQ(job.nodes.node(job.nodes.lastnode()).x, 2);
    EXPECT_FALSE(job.interpreting);

    // DO without WHILE and GOTO back to itself are the same loop.
    runfanuc(job, "N1 G0 X1.\nGOTO 1\n");
    EXPECT_EQ(job.notice.problemcount(), 1);

    // Ten thousand nested macro calls: the nesting limit names it on the calling line.
    std::string calls = "G65 P1\nM30\nO1\nG65 P1\nM99\n";
    runfanuc(job, calls);
    EXPECT_TRUE(named(job, "calls nested more than 32 deep", 4));
    // G66 calls stack until G67: a loop that never cancels them is stopped at the same depth.
    runfanuc(job, "#1=0\nWHILE [#1 LT 100] DO 1\nG66 P1\n#1=#1+1\nEND 1\nM30\nO1\nM99\n");
    EXPECT_TRUE(named(job, "calls nested more than 32 deep", 3));

    // An expression a hundred thousand brackets deep, and a bracket never closed.
    runfanuc(job, "#1=" + std::string(100000, '[') + "1" + std::string(100000, ']') + "\nG0 X#1\n");
    EXPECT_TRUE(named(job, "expression nested too deep", 1));
    runfanuc(job, "G0 X[1+2\n");
    EXPECT_EQ(job.notice.problemcount(), 1);
}

TEST(FanucLines, SplittingAheadGivesWayToCallsAndJumps) {
    // Long enough to be split on a thread of its own when read from a file: the lines run
    // straight down, then a call and a jump back leave the thread's path half way. Among
    // them lines of several codes, lengths without a point and faulty lines, which cross
    // from the thread packed.
    std::string text = "O1\nG21 G90 G17 G0 X0 Y0 Z0\n#1=0\n";
    for (int i = 1; i <= 30000; ++i) {
        text += "G1 X" + std::to_string(i % 97) + ". Y" + std::to_string(i) + " F100 (straight down)\n";
        if (i % 1000 == 500) text += "N" + std::to_string(i) + " G94 G90 G1 X1234 Y" + std::to_string(i) + ". M8 M9\n";
        if (i % 5000 == 1) text += "G1 X1. X2.\n";
    }
    text += "M98 P2\nN5 #1=#1+1\nIF [#1 LT 3] GOTO 5\nG1 X" + std::string(1, '7') + "000\n";
    for (int i = 1; i <= 30000; ++i) text += "G1 Y-" + std::to_string(i) + ". (after the call)\n";
    text += "M30\nO2\nG1 Z-1.\nM99\n";
    NcJob memory;
    runfanuc(memory, text);
    const std::string path = ::testing::TempDir() + "fanuc_ahead.nc";
    std::ofstream(path, std::ios::binary) << text;
    NcJob file;
    file.dialect = NcDialect::Fanuc;
    file.InitPlot(0);
    file.interpreting = true;
    file.PlotOnly(path);
    std::remove(path.c_str());
    const std::vector<Tnodedata> a = nodesof(memory), b = nodesof(file);
    ASSERT_EQ(a.size(), 2u + 30000u + 30u + 1u + 1u + 30000u);
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) {
        ASSERT_EQ(a[i].x, b[i].x);
        ASSERT_EQ(a[i].y, b[i].y);
        ASSERT_EQ(a[i].z, b[i].z);
        ASSERT_EQ(a[i].line, b[i].line);
    }
    EXPECT_EQ(a.back().x, 7);
    EXPECT_EQ(a.back().z, -1);
    EXPECT_EQ(a[2 + 500].x, 1.234);
    EXPECT_EQ(a[2 + 500].line, 4 + 500 + 1);
    ASSERT_EQ(file.notice.problems().size(), 6u);
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(file.notice.problems()[i].line, memory.notice.problems()[i].line);
        EXPECT_EQ(file.notice.problems()[i].message, "two X words");
    }
    EXPECT_EQ(file.notice.problems()[1].line, 4 + 5000 + 6 + 1);  // after six lines put in
    EXPECT_EQ(file.notice.reportlines(), memory.notice.reportlines());
}

namespace {

// Hands the text out a few bytes at a time, as a slow file system would, and then fails
// where told to.
class TrickleSource : public ByteSource {
  public:
    TrickleSource(std::string text, size_t failat) : text_(std::move(text)), failat_(failat) {}
    size_t read(uint8_t* buffer, size_t capacity) override {
        if (at_ >= failat_ && at_ < text_.size()) throw NcFileError("program.nc: Input/output error");
        const size_t n = std::min({capacity, size_t{5}, text_.size() - at_});
        std::copy(text_.data() + at_, text_.data() + at_ + n, buffer);
        at_ += n;
        return n;
    }
    int64_t size() const override { return static_cast<int64_t>(text_.size()); }
    bool atend() const override { return at_ >= text_.size(); }

  private:
    std::string text_;
    size_t failat_;
    size_t at_ = 0;
};

}  // namespace

TEST(FanucLines, RunWhileReadAndAReadThatFailsEndsTheRun) {
    // Lines longer than a read, a call to a subprogram further down, no final line feed.
    const std::string text =
        "G21 G90 G0 X0 Y0 Z0\nM98 P7 (a comment longer than a read)\nG1 X3. Y4. F100\nM30\nO7\nG1 Z-2.\nM99";
    NcJob whole;
    runfanuc(whole, text);
    NcJob trickled;
    trickled.dialect = NcDialect::Fanuc;
    trickled.InitPlot(0);
    trickled.interpreting = true;
    trickled.nodes.resetnodedata();
    TrickleSource source(text, text.size());
    FanucInterpreter(trickled, source, true).run();
    const std::vector<Tnodedata> a = nodesof(whole), b = nodesof(trickled);
    ASSERT_EQ(a.size(), 4u);
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].x, b[i].x);
        EXPECT_EQ(a[i].z, b[i].z);
        EXPECT_EQ(a[i].line, b[i].line);
    }
    // A read error half way reaches the run, whichever thread met it.
    NcJob failed;
    failed.dialect = NcDialect::Fanuc;
    failed.InitPlot(0);
    failed.interpreting = true;
    failed.nodes.resetnodedata();
    TrickleSource broken(text, 30);
    EXPECT_THROW(FanucInterpreter(failed, broken, true).run(), NcFileError);
}
