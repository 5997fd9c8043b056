// Words split on a thread of their own must reach the interpreter exactly as words split in
// place: the same values, lines, arc-mode changes, progress and read errors.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "nc/wordfeed.h"
#include "ncrun.h"

namespace {

// Fails like a disk that stops answering part-way through the file.
class FailingSource : public ByteSource {
  public:
    FailingSource(std::string_view bytes, size_t failat) : inner_(bytes), left_(failat) {}
    size_t read(uint8_t* buffer, size_t capacity) override {
        if (left_ == 0) throw NcFileError("part.nc: Input/output error");
        const size_t got = inner_.read(buffer, std::min(capacity, left_));
        left_ -= got;
        return got;
    }
    int64_t size() const override { return inner_.size(); }
    bool atend() const override { return inner_.atend(); }

  private:
    MemoryByteSource inner_;
    size_t left_;
};

struct FeedRun {
    std::vector<std::tuple<int, double, int, int, int>> words;  // with the arc mode after each
    std::vector<double> progress;
    std::string error;
};

FeedRun feedall(ByteSource& source, bool ahead) {
    FeedRun run;
    WorkingCallback working = [&run](const std::string& caption, double fraction) {
        EXPECT_EQ(caption, "Loading : ");
        run.progress.push_back(fraction);
    };
    int32_t arcmode = 0;
    WordFeed feed(source, working, arcmode, ahead);
    try {
        for (;;) {
            const NcWord& w = feed.next();
            run.words.emplace_back(w.letter, w.value, w.line, w.current, arcmode);
            if (w.current == NcReader::kEndOfText) break;
        }
    } catch (const NcFileError& e) {
        run.error = e.what();
    }
    return run;
}

// Many batches of words, directives and a comment longer than a read buffer, CR LF lines.
std::string longprogram() {
    std::string text;
    char line[64];
    for (int n = 0; n < 30000; ++n) {
        std::snprintf(line, sizeof line, "N%d G1 X%d Y-%d.%03d Z-1\r\n", n, n % 977, n % 89,
                      n % 1000);
        text += line;
        if (n % 1000 == 999) text += "(ARCMODE:" + std::to_string(n / 1000 % 3) + ")";
        if (n == 12345) text += "(" + std::string(30000, 'c') + "\r\n)";
        if (n % 7000 == 6999) text += "g1 x5\r\n";
    }
    return text + "X1";
}

}  // namespace

TEST(WordFeed, ReadAheadGivesTheWordsAndTheReadErrorOfTheInPlaceSplit) {
    const std::string text = longprogram();
    for (const size_t failat : {text.size() + 1, size_t{400000}}) {
        FailingSource a(text, failat), b(text, failat);
        const FeedRun inplace = feedall(a, false);
        const FeedRun ahead = feedall(b, true);
        EXPECT_EQ(ahead.words, inplace.words);
        EXPECT_EQ(ahead.error, inplace.error);
        EXPECT_GT(inplace.words.size(), 3u * WordFeed::kAheadWords);
    }
    FailingSource whole(text, text.size() + 1);
    const FeedRun run = feedall(whole, true);
    EXPECT_EQ(run.error, "");
    ASSERT_FALSE(run.progress.empty());
    EXPECT_EQ(run.progress.back(), 1.0);
    // Every word wholly before the failing read is taken before the error.
    FailingSource failing(text, 400000);
    const FeedRun failed = feedall(failing, true);
    EXPECT_EQ(failed.error, "part.nc: Input/output error");
    ASSERT_FALSE(failed.words.empty());
    const auto lines = [&text](size_t bytes) {
        return std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(bytes), '\n');
    };
    EXPECT_GE(std::get<2>(failed.words.back()), lines(399900));
    EXPECT_LE(std::get<2>(failed.words.back()), lines(400000));
}

TEST(WordFeed, TheEndFallingOnABatchBoundaryIsSeen) {
    for (int n : {WordFeed::kInPlaceWords - 1, WordFeed::kInPlaceWords, WordFeed::kAheadWords - 1,
                  WordFeed::kAheadWords, WordFeed::kAheadWords + 1}) {
        std::string text;
        for (int w = 0; w < n; ++w) text += "X1\n";
        MemoryByteSource a(text), b(text);
        const FeedRun inplace = feedall(a, false);
        EXPECT_EQ(inplace.words.size(), static_cast<size_t>(n + 1));
        EXPECT_EQ(feedall(b, true).words, inplace.words);
    }
}

TEST(WordFeed, LargeFilesReadAheadWithTheSameResult) {
    // Large enough for the job to split its words on a second thread.
    std::string text = longprogram();
    while (text.size() < (size_t{3} << 19)) text += "\n" + longprogram();
    char name[] = "/tmp/korven-feed-XXXXXX";
    const int fd = mkstemp(name);
    ASSERT_GE(fd, 0);
    close(fd);
    const auto plotfile = [&name](NcJob& job, const std::string& content) {
        std::ofstream(name, std::ios::binary | std::ios::trunc) << content;
        job.InitPlot(0);
        job.interpreting = true;
        job.PlotOnly(name);
    };
    NcJob fromfile, frommemory;
    // The window's progress bar may only be touched from the thread that opened the file.
    std::vector<std::thread::id> progressthreads;
    fromfile.working = [&progressthreads](const std::string&, double) {
        progressthreads.push_back(std::this_thread::get_id());
    };
    plotfile(fromfile, text);
    ASSERT_FALSE(progressthreads.empty());
    for (const auto id : progressthreads) EXPECT_EQ(id, std::this_thread::get_id());
    fromfile.working = nullptr;
    runprogram(frommemory, text);
    ASSERT_GT(frommemory.nodes.nodecount(), 50000);
    ASSERT_EQ(fromfile.nodes.nodecount(), frommemory.nodes.nodecount());
    for (int32_t i = 0; i < fromfile.nodes.nodecount(); ++i) {
        ASSERT_EQ(
            std::memcmp(&fromfile.nodes.node(i), &frommemory.nodes.node(i), sizeof(Tnodedata)), 0)
            << "node " << i;
    }
    EXPECT_EQ(fromfile.timetext, frommemory.timetext);
    EXPECT_EQ(fromfile.arcmode, frommemory.arcmode);
    // Counted on the reading thread, batch by batch, and added up on this one.
    EXPECT_EQ(fromfile.notice.reportlines(), frommemory.notice.reportlines());
    ASSERT_EQ(fromfile.notice.ignored().size(), 2u);
    EXPECT_EQ(fromfile.notice.ignored()[0].firstline, 7001);
    EXPECT_EQ(fromfile.notice.ignored()[1].count, text.size() / longprogram().size() * 4);
    EXPECT_FALSE(fromfile.interpreting);

    // A stop byte early on: the reading thread reads no further than the interpreter would.
    plotfile(fromfile, "G0 X0 Y0 Z0\n\x1a" + text);
    EXPECT_TRUE(fromfile.interpreting);
    EXPECT_EQ(fromfile.nodes.nodecount(), 1);

    // A callback that throws part-way ends the run with the reading thread stopped.
    fromfile.arcDataError = [] { throw std::runtime_error("cancelled"); };
    EXPECT_THROW(plotfile(fromfile, "G0 X0 Y0 Z0\nG2 X10 R1\n" + text), std::runtime_error);
    std::remove(name);
}
