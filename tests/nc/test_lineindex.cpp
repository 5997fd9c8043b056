// The line index against the interpreter's own line numbers, and line ranges to node runs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "nc/linenodes.h"
#include "nc/ncjob.h"

namespace {

std::string linetext(const std::string& text, const LineIndex& index, int64_t line) {
    const int64_t start = index.linestart(line);
    return text.substr(static_cast<size_t>(start),
                       static_cast<size_t>(index.lineend(line) - start));
}

}  // namespace

TEST(LineIndex, NodeLineNamesTheTextLineItsBlockEndsOn) {
    // CR LF, a lone CR inside a line, a NUL, a comment over two lines and no final line feed.
    using namespace std::string_literals;
    const std::string text = "G0 X1 Y0 Z0\r\nX2\rY1\n(a\nb)X3\n\nX4 (\0)\nX5"s;
    NcJob job;
    job.indexlines = true;
    job.PlotMemory(std::string_view(text.data(), text.size()));
    const LineIndex& index = job.lines;
    EXPECT_EQ(index.linecount(), 7);
    EXPECT_EQ(linetext(text, index, 1), "G0 X1 Y0 Z0\r");
    EXPECT_EQ(linetext(text, index, 2), "X2\rY1");
    EXPECT_EQ(linetext(text, index, 4), "b)X3");
    EXPECT_EQ(linetext(text, index, 5), "");
    EXPECT_EQ(linetext(text, index, 6), "X4 (\0)"s);
    EXPECT_EQ(linetext(text, index, 7), "X5");
    // Outside the text: the nearer end, never a read past it.
    EXPECT_EQ(index.linestart(0), 0);
    EXPECT_EQ(index.linestart(99), static_cast<int64_t>(text.size()));

    // Each node's line holds the X word that made it.
    const char* const words[] = {"X1", "X2", "X3", "X4"};
    const int64_t lines[] = {1, 2, 4, 6};
    for (int i = 0; i < 4; ++i) {
        ASSERT_GT(job.nodes.nodecount(), i);
        EXPECT_EQ(job.nodes.node(i).line, lines[i]) << i;
        EXPECT_NE(linetext(text, index, lines[i]).find(words[i]), std::string::npos) << i;
    }

    // Lines 2..4 made nodes 1 and 2; line 3 (the comment's start) and line 5 made none.
    const NodeSpan span = nodesoflines(job.nodes, 4, 2);
    EXPECT_EQ(span.first, 1);
    EXPECT_EQ(span.last, 2);
    EXPECT_TRUE(nodesoflines(job.nodes, 3, 3).empty());
    EXPECT_TRUE(nodesoflines(job.nodes, 5, 5).empty());
    EXPECT_TRUE(nodesoflines(job.nodes, 100, 200).empty());
}

TEST(LineIndex, PiecesAndChunkBoundariesGiveTheSameStarts) {
    // More lines than one chunk holds, fed in pieces that cut lines anywhere.
    std::string text;
    for (int i = 0; i < LineIndex::kChunkSize + 10; ++i) text += (i % 7 == 0) ? "\n" : "ab\n";
    LineIndex whole;
    whole.addbytes(reinterpret_cast<const uint8_t*>(text.data()), text.size());
    LineIndex pieces;
    for (size_t at = 0; at < text.size(); at += 1000) {
        pieces.addbytes(reinterpret_cast<const uint8_t*>(text.data()) + at,
                        std::min<size_t>(1000, text.size() - at));
    }
    ASSERT_EQ(whole.linecount(), LineIndex::kChunkSize + 10);
    EXPECT_EQ(pieces.linecount(), whole.linecount());
    for (const int64_t line : {int64_t{1}, int64_t{2}, LineIndex::kChunkSize,
                               LineIndex::kChunkSize + 1, LineIndex::kChunkSize + 2,
                               LineIndex::kChunkSize + 10}) {
        // Line L (1-based) is line L-1 of the loop: 1 byte when (L-1) % 7 == 0, else 3.
        const int64_t before = line - 1;
        const int64_t shortlines = (before + 6) / 7;
        EXPECT_EQ(whole.linestart(line), shortlines + 3 * (before - shortlines)) << line;
        EXPECT_EQ(pieces.linestart(line), whole.linestart(line)) << line;
    }
    // Past 4 GiB: a line start above 2^32 comes back whole (starts keep 32 bits each).
    LineIndex huge;
    const std::vector<uint8_t> zeros(size_t{1} << 20, 0);
    huge.addbytes(reinterpret_cast<const uint8_t*>("ab\n"), 3);
    for (int i = 0; i < 4096; ++i) huge.addbytes(zeros.data(), zeros.size());
    huge.addbytes(reinterpret_cast<const uint8_t*>("x\ny"), 3);
    const int64_t gib4 = int64_t{1} << 32;
    EXPECT_EQ(huge.linecount(), 3);
    EXPECT_EQ(huge.linestart(2), 3);
    EXPECT_EQ(huge.lineend(2), 3 + gib4 + 1);
    EXPECT_EQ(huge.linestart(3), 3 + gib4 + 2);

    // Re-used for a shorter text, the index forgets the longer one.
    whole.clear();
    whole.addbytes(reinterpret_cast<const uint8_t*>("x"), 1);
    EXPECT_EQ(whole.linecount(), 1);
    EXPECT_EQ(whole.lineend(1), 1);
}

TEST(LineIndex, ShortLinesCostAboutAByteAndLongOnesComeBackWhole) {
    // Lengths around the one-byte mark (254, 255, 256 with their line feed), a line longer
    // than a chunk, and runs of one-byte lines on both sides of the whole starts kept every 64.
    std::string text;
    std::vector<int64_t> starts{0};
    const auto add = [&](size_t length) {
        text += std::string(length - 1, 'x') + "\n";
        starts.push_back(static_cast<int64_t>(text.size()));
    };
    for (int i = 0; i < 200; ++i) add(i % 64 == 3 ? 254 : 1 + i % 5);
    for (const size_t length : {255, 256, 254, 1, 255, 100000, 2}) add(length);
    for (int i = 0; i < 130; ++i) add(i % 2 == 0 ? 300 : 3);
    text += "tail";
    LineIndex index;
    for (size_t at = 0; at < text.size(); at += 777) {
        index.addbytes(reinterpret_cast<const uint8_t*>(text.data()) + at,
                       std::min<size_t>(777, text.size() - at));
    }
    ASSERT_EQ(index.linecount(), static_cast<int64_t>(starts.size()));
    for (size_t line = 1; line <= starts.size(); ++line) {
        ASSERT_EQ(index.linestart(static_cast<int64_t>(line)), starts[line - 1]) << line;
    }
    EXPECT_EQ(index.lineend(static_cast<int64_t>(starts.size())), static_cast<int64_t>(text.size()));

    // A program of a million short lines: well under two bytes a line, chunks included.
    LineIndex many;
    const std::string block(1 << 20, '\n');
    many.addbytes(reinterpret_cast<const uint8_t*>(block.data()), block.size());
    EXPECT_EQ(many.linestart(1000001), 1000000);
    EXPECT_LT(many.memorybytes(), size_t{2} << 20);
}
