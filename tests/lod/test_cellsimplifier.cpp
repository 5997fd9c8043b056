// Copies of a toolpath on a grid, for drags that cannot draw even the copy within a pixel:
// each move between two cells kept once, nothing strays more than half a cell's diagonal, and
// the rough levels are chosen only when the frame's budget asks for them.

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "lod/cellsimplifier.h"
#include "nc/nodestore.h"
#include "nc/palette.h"
#include "lod/simplifiedpath.h"

namespace {

constexpr uint8_t kFeed = 7;
constexpr uint8_t kOther = 9;

bool same(const std::vector<CellSegment>& a, const std::vector<CellSegment>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        for (int k = 0; k < 3; ++k) {
            if (a[i].from[k] != b[i].from[k] || a[i].to[k] != b[i].to[k]) return false;
        }
        if (a[i].firstnode != b[i].firstnode || a[i].color() != b[i].color()) return false;
    }
    return true;
}

}  // namespace

TEST(CellSimplifier, EachMoveBetweenTwoCellsIsKeptOnceWhicheverWayAndHoweverOften) {
    // Along X from 0.2 to 10.2 in steps of 0.1 and back, 500 times; then once in another
    // colour. Unit cells from the origin: cells 0..10, so ten moves, drawn between the cells'
    // middles 0.5 .. 10.5, each once; the other colour's ten again.
    NodeStore nodes;
    int32_t line = 0;
    for (int pass = 0; pass < 1000; ++pass) {
        for (int i = 0; i <= 100; ++i) {
            const int step = pass % 2 == 0 ? i : 100 - i;
            nodes.pushnodedata(++line, kFeed, 0.2 + 0.1 * step, 0.2, 0.2);
        }
    }
    const int32_t othersfrom = nodes.nodecount();
    for (int i = 0; i <= 100; ++i) nodes.pushnodedata(++line, kOther, 0.2 + 0.1 * i, 0.2, 0.2);

    CellGrid grid;
    std::vector<CellSegment> segments;
    ASSERT_EQ(cellnodes(nodes, nullptr, grid, 1000, segments), SimplifyOutcome::Done);
    ASSERT_EQ(segments.size(), 20U);
    for (size_t s = 0; s < 20; ++s) {
        const CellSegment& c = segments[s];
        const float k = static_cast<float>(s % 10);
        EXPECT_FLOAT_EQ(c.from[0], k + 0.5F) << s;
        EXPECT_FLOAT_EQ(c.to[0], k + 1.5F) << s;
        EXPECT_FLOAT_EQ(c.from[1], 0.5F);
        EXPECT_FLOAT_EQ(c.to[2], 0.5F);
        EXPECT_EQ(c.color(), s < 10 ? kFeed : kOther);
        EXPECT_EQ(c.rgba[1], (kPalette[c.color()] >> 8) & 255U);
        if (s > 0) {
            EXPECT_GT(c.firstnode, segments[s - 1].firstnode);
        }
    }
    EXPECT_GT(segments[10].firstnode, othersfrom);
    EXPECT_NEAR(celltolerance(1.0), std::sqrt(3.0) / 2.0, 1e-12);

    // The same on cells of 2 from the copy on cells of 1 as from the nodes: the coarse cells
    // are unions of the fine ones.
    grid.cell = 2.0;
    std::vector<CellSegment> direct;
    std::vector<CellSegment> coarsened;
    ASSERT_EQ(cellnodes(nodes, nullptr, grid, 1000, direct), SimplifyOutcome::Done);
    ASSERT_EQ(coarsencells(segments, grid, 1000, coarsened), SimplifyOutcome::Done);
    EXPECT_EQ(direct.size(), 10U);
    EXPECT_TRUE(same(direct, coarsened));

    // Through the kept nodes alone: every 50th node of the first pass, and the ends.
    std::vector<int32_t> kept{0, 50, 100};
    grid.cell = 1.0;
    ASSERT_EQ(cellnodes(nodes, &kept, grid, 1000, segments), SimplifyOutcome::Done);
    ASSERT_EQ(segments.size(), 2U);  // cell 0 to 5, 5 to 10
    EXPECT_EQ(segments[1].firstnode, 100);
}

TEST(CellSimplifier, HostilePathsStayBounded) {
    CellGrid grid;
    std::vector<CellSegment> segments;
    {
        NodeStore onepoint;
        for (int i = 0; i < 1000000; ++i) onepoint.pushnodedata(i, kFeed, 3, 4, 5);
        EXPECT_EQ(cellnodes(onepoint, nullptr, grid, 10, segments), SimplifyOutcome::Done);
        EXPECT_TRUE(segments.empty());
    }
    NodeStore nodes;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    // Near 1e30 and back, a node that is no number (it breaks the path), and far out again.
    nodes.pushnodedata(1, kFeed, 0, 0, 0);
    nodes.pushnodedata(2, kFeed, 1e30, -1e30, 0);
    nodes.pushnodedata(3, kFeed, 0, 0, 0);
    nodes.pushnodedata(4, kFeed, nan, 0, 0);
    nodes.pushnodedata(5, kFeed, 5, 0, 0);
    nodes.pushnodedata(6, kFeed, 1e30, 0, 0);
    ASSERT_EQ(cellnodes(nodes, nullptr, grid, 10, segments), SimplifyOutcome::Done);
    ASSERT_EQ(segments.size(), 2U);  // 0 to far out (once either way), 5 to far out
    for (const CellSegment& s : segments) {
        for (const float v : {s.from[0], s.from[1], s.to[0], s.to[1]}) EXPECT_TRUE(std::isfinite(v));
    }
    EXPECT_EQ(segments[1].firstnode, 5);

    EXPECT_EQ(cellnodes(nodes, nullptr, grid, 1, segments), SimplifyOutcome::TooMany);
    EXPECT_TRUE(segments.empty());
    std::atomic<bool> cancel{true};
    EXPECT_EQ(cellnodes(nodes, nullptr, grid, 10, segments, &cancel), SimplifyOutcome::Cancelled);
}

TEST(CellSimplifier, RoughLevelsOnlyWhenTheBudgetAsksForThem) {
    // Coarsest first: 32, 16, 1 and 0.25 world units, expected to take 10, 50, 500 and 1000 ms.
    const std::vector<DragLevelCost> levels{{32, 0.01}, {16, 0.05}, {1, 0.5}, {0.25, 1.0}};
    // A pixel of 1: the level within a pixel fits a second, not 30 ms: then the finest that
    // fits within 32 pixels.
    EXPECT_EQ(choosedraglevel(levels, 1.0, 1.0, 32.0, 1.0), 2);
    EXPECT_EQ(choosedraglevel(levels, 1.0, 1.0, 32.0, 0.03), 0);
    EXPECT_EQ(choosedraglevel(levels, 1.0, 1.0, 32.0, 0.06), 1);
    // Costs not known yet: the level within a pixel, as without budgets.
    const std::vector<DragLevelCost> unknown{{32, 0}, {16, 0}, {1, 0}, {0.25, 0}};
    EXPECT_EQ(choosedraglevel(unknown, 1.0, 1.0, 32.0, 0.03), 2);
    // Far in, nothing fits: the cheapest within 128 pixels (100 pixels, 0.5 s, to be thinned
    // rather than the 25-pixel one at 1 s), else the one within a pixel (none).
    EXPECT_EQ(choosedraglevel(levels, 0.01, 1.0, 32.0, 0.03), 2);
    EXPECT_EQ(choosedraglevel(levels, 0.001, 1.0, 32.0, 0.03), -1);
    // Nothing within 32 pixels fits 30 ms: one up to 128 pixels rough that does is drawn
    // (100 pixels), never one rougher (200 pixels at a pixel of 0.5: the 40-pixel one, to be
    // thinned, rather than the 2-pixel one at 2 s).
    const std::vector<DragLevelCost> large{{100, 0.01}, {20, 0.3}, {1, 2.0}};
    EXPECT_EQ(choosedraglevel(large, 1.0, 1.0, 32.0, 0.03), 0);
    EXPECT_EQ(choosedraglevel(large, 0.5, 1.0, 32.0, 0.03), 1);
}

TEST(CellSimplifier, ThinnedCopyFitsWhatTheFrameLeaves) {
    // A copy of 22,781 lines at 70 ms whole, 5 ms left: every 14th line (1,628 lines) would
    // fit, but 2,000 lines are kept, so every 11th (22,781 / 2,000 = 11.4).
    EXPECT_EQ(dragstride(0.070, 0.005, 22781, 2000), 11);
    // 10 ms left: every 7th (70 / 10), 3,255 lines.
    EXPECT_EQ(dragstride(0.070, 0.010, 22781, 2000), 7);
    EXPECT_EQ(dragstride(0.071, 0.010, 22781, 2000), 8);
    // The rest of the frame already spent the budget (a large window): the fewest lines.
    EXPECT_EQ(dragstride(0.070, -0.012, 22781, 2000), 11);
    EXPECT_EQ(dragstride(0.070, 0.0, 22781, 2000), 11);
    // The whole copy fits, its cost is not known yet, or it is no larger than the fewest.
    EXPECT_EQ(dragstride(0.004, 0.005, 22781, 2000), 1);
    EXPECT_EQ(dragstride(0.0, 0.005, 22781, 2000), 1);
    EXPECT_EQ(dragstride(0.070, 0.005, 1500, 2000), 1);
}
