// A Fanuc-family program read in chunks: lines across chunk borders, a jump back to a chunk
// the cache let go of, and a file that changed before the jump back read it again.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "nc/fanuc/fanucchunks.h"
#include "nc/fanuc/fanucinterpreter.h"
#include "tests/nc/ncrun.h"

namespace {

// Memory that reads again from any place, as a file does; what it holds may change after the
// first pass.
class PlacedSource : public ByteSource {
  public:
    explicit PlacedSource(std::string text) : text_(std::move(text)), later_(text_) {}
    size_t read(uint8_t* buffer, size_t capacity) override {
        const size_t n = std::min(capacity, text_.size() - at_);
        std::copy(text_.data() + at_, text_.data() + at_ + n, buffer);
        at_ += n;
        return n;
    }
    size_t readat(int64_t offset, uint8_t* buffer, size_t capacity) override {
        const size_t from = std::min(static_cast<size_t>(offset), later_.size());
        const size_t n = std::min(capacity, later_.size() - from);
        std::copy(later_.data() + from, later_.data() + from + n, buffer);
        return n;
    }
    int64_t size() const override { return static_cast<int64_t>(text_.size()); }
    bool atend() const override { return at_ >= text_.size(); }
    bool seekable() const override { return true; }
    std::string& later() { return later_; }

  private:
    std::string text_, later_;
    size_t at_ = 0;
};

std::string textof(FanucChunks& chunks, const FanucPlace& at, FanucPlace& next) {
    const char *begin = nullptr, *end = nullptr;
    chunks.line(at, begin, end, next);
    return std::string(begin, end);
}

}  // namespace

TEST(FanucText, LinesAcrossChunksAndProgramsFoundBeyondTheCache) {
    // Chunks of 16 bytes, three of them: a line of 40 bytes spans three chunks, headers lie
    // beyond what the cache holds, and the last line has no line feed.
    const std::string comment = "(" + std::string(38, 'c') + ")";
    const std::string text = "G0 X1.\n" + comment + "\nN7 Y2.\n\nM30\n%\nO12 (SUB)\nZ3.\n" + comment + "\nM99";
    PlacedSource source(text);
    FanucChunks chunks(source, 16, 3);
    const char* lines[] = {"G0 X1.", comment.c_str(), "N7 Y2.", "", "M30", "%", "O12 (SUB)", "Z3.", comment.c_str(), "M99"};
    FanucPlace at, next;
    for (int64_t n = 1; n <= 10; ++n) {
        ASSERT_FALSE(chunks.atend(at.offset));
        EXPECT_EQ(textof(chunks, at, next), lines[n - 1]) << "line " << n;
        EXPECT_EQ(next.line, n + 1);
        at = next;
    }
    EXPECT_EQ(at.offset, static_cast<int64_t>(text.size()));
    EXPECT_TRUE(chunks.atend(at.offset));

    // O12's body starts on line 8, after the '%' line ended the first program at line 6.
    FanucPlace body, start;
    int64_t stop = 0;
    ASSERT_TRUE(chunks.header(12, body));
    EXPECT_EQ(body.line, 8);
    EXPECT_FALSE(chunks.header(13, body));
    chunks.program(text.find("N7"), start, stop);
    EXPECT_EQ(start.offset, 0);
    EXPECT_EQ(stop, static_cast<int64_t>(text.find('%')));
    // Back at the start, read again from the source.
    EXPECT_EQ(textof(chunks, FanucPlace{}, next), "G0 X1.");
    EXPECT_EQ(textof(chunks, body, next), "Z3.");
}

TEST(FanucText, AJumpBackReadsAgainAndStopsWhereTheFileChanged) {
    // Five megabytes of comments between N5 and the GOTO: more than the cache holds, so the
    // jump back reads the program's start again from the source.
    std::string text = "G21 G90 G0 X0 Y0 Z0\n#1=0\nN5 G1 X[#1+1] F100.\n";
    const std::string comment = "(" + std::string(98, '-') + ")\n";
    // The run's thread reads a macro line half way itself, so the start is no longer its line.
    for (int i = 0; i < 50000; ++i) text += i == 25000 ? "#2=1\n" : comment;
    text += "#1=#1+1\nIF [#1 LT 2] GOTO 5\nM30\n";
    const int64_t gotoline = 3 + 50000 + 2;

    auto run = [](NcJob& job, PlacedSource& source) {
        job.dialect = NcDialect::Fanuc;
        job.InitPlot(0);
        job.interpreting = true;
        job.nodes.resetnodedata();
        FanucInterpreter(job, source, true).run();
    };
    // The same bytes read again: N5 runs a second time, to X2.
    PlacedSource same(text);
    NcJob again;
    run(again, same);
    EXPECT_TRUE(again.notice.problems().empty());
    EXPECT_EQ(again.nodes.node(again.nodes.lastnode()).x, 2);

    // Saved anew meanwhile (N5 now goes to X9.): the run stops on the GOTO line with what it
    // drew, and nothing of the new text is drawn.
    PlacedSource changed(text);
    changed.later().replace(changed.later().find("X[#1+1]"), 7, "X9.    ");
    NcJob stopped;
    run(stopped, changed);
    ASSERT_EQ(stopped.notice.problems().size(), 1u);
    EXPECT_EQ(stopped.notice.problems()[0].message, "the file changed while it was read");
    EXPECT_EQ(stopped.notice.problems()[0].line, gotoline);
    EXPECT_EQ(stopped.nodes.node(stopped.nodes.lastnode()).x, 1);
    EXPECT_EQ(stopped.nodes.node(stopped.nodes.lastnode()).line, 3);
}
