// Picking drawn moves by pixel, worked out by hand in the top view: scale 10 over a picture
// 100 pixels high is 5 pixels per unit, so world (x, y) lies at pixel (100 + 5x, 50 - 5y).
#include <gtest/gtest.h>

#include "nc/nodestore.h"
#include "view/pick.h"

namespace {

const PickView kTop{10.0, 0, 0, 0, 0, 0, 0, 200, 100};

// Pixels (100,50) (150,50) (150,10) (5,95): a short move right, one up, a long diagonal back.
void fillpath(NodeStore& nodes) {
    nodes.initnodedata();
    nodes.resetnodedata();
    nodes.pushnodedata(1, 4, 0, 0, 0);
    nodes.pushnodedata(2, 7, 10, 0, 0);
    nodes.pushnodedata(3, 7, 10, 8, 0);
    nodes.pushnodedata(4, 7, -19, -9, 0);
}

}  // namespace

TEST(Pick, NearestDrawnSegmentWithinEightPixels) {
    NodeStore nodes;
    fillpath(nodes);
    Picker picker;
    picker.update(nodes);
    const auto at = [&](double x, double y, int32_t first = 0, int32_t last = 3) {
        return picker.pick(nodes, first, last, kTop, x, y);
    };
    EXPECT_EQ(at(120.5, 55.5).node, 1);  // 5.5 below the first move
    EXPECT_NEAR(at(120.5, 55.5).distance, 5.5, 1e-9);
    EXPECT_EQ(at(120.5, 58.6).node, -1);  // 8.6: out of reach
    EXPECT_EQ(at(143.5, 30).node, 2);     // 6.5 left of the vertical move
    // Far from both ends of the diagonal: 435/sqrt(145^2+85^2) = 2.59 away.
    EXPECT_EQ(at(77.5, 55.5).node, 3);
    EXPECT_NEAR(at(77.5, 55.5).distance, 2.588, 1e-3);
    EXPECT_EQ(at(-3, 100).node, -1);  // beyond the picture

    // Only drawn moves count: nodes 2..3 draw the diagonal alone.
    EXPECT_EQ(at(120.5, 55.5, 2, 3).node, -1);
    EXPECT_EQ(at(77.5, 55.5, 2, 3).node, 3);

    // Twice the scale halves the distances: 2.75 from the first move's line, now at y 50.
    PickView zoomed = kTop;
    zoomed.viewscale = 20;
    EXPECT_EQ(picker.pick(nodes, 0, 3, zoomed, 110.5, 52.75).node, 1);
    // New nodes are seen once update() has looked at the store again.
    nodes.pushnodedata(5, 7, -19, 9, 0);  // up the left side to pixel (5, 5)
    picker.update(nodes);
    EXPECT_EQ(picker.pick(nodes, 0, 4, kTop, 7, 30).node, 4);
}

TEST(Pick, RunsOfManyNodesFindTheirOwnSegment) {
    // Node i at (0.02 i, 0): pixel x 100 + 0.1 i, so the move into node i spans pixel x
    // 99.9 + 0.1 i .. 100 + 0.1 i.
    NodeStore nodes;
    nodes.initnodedata();
    nodes.resetnodedata();
    for (int i = 0; i < 1000; ++i) nodes.pushnodedata(i + 1, 7, i * 0.02, 0, 0);
    EXPECT_EQ(pickonce(nodes, 0, 999, kTop, 135.05, 53).node, 351);
    // The first move of a run starts at the last node of the run before.
    static_assert(Picker::kRunSegments == 32, "node 33 begins the second run");
    EXPECT_EQ(pickonce(nodes, 0, 999, kTop, 103.25, 47).node, 33);
    EXPECT_EQ(pickonce(nodes, 0, 999, kTop, 205, 50).node, 999);  // 5.1 past node 999
    EXPECT_EQ(pickonce(nodes, 0, 999, kTop, 208.5, 50).node, -1);  // 8.6 past it
    // A new job's clear gives the spheres' memory back; the next pick makes them again.
    Picker picker;
    picker.update(nodes);
    EXPECT_GT(picker.memorybytes(), 0U);
    picker.clear();
    EXPECT_EQ(picker.memorybytes(), 0U);
    picker.update(nodes);
    EXPECT_EQ(picker.pick(nodes, 0, 999, kTop, 135.05, 53).node, 351);
}

TEST(Pick, RetracedMoveNamesTheLaterLine) {
    // The same move twice: the later one is drawn on top, so it is the one named.
    NodeStore nodes;
    nodes.initnodedata();
    nodes.resetnodedata();
    nodes.pushnodedata(1, 4, 0, 0, 0);
    nodes.pushnodedata(2, 7, 10, 0, 0);
    nodes.pushnodedata(3, 7, 0, 0, 0);
    EXPECT_EQ(pickonce(nodes, 0, 2, kTop, 125, 52).node, 2);
}

TEST(Pick, BlocksWithoutMotionNeverWin) {
    // A cut to pixel (150, 50), a tool change there, a cut on up, and M30 at its end: both
    // blocks without motion lie on the corners the cuts share, and later ones would win ties.
    NodeStore nodes;
    nodes.initnodedata();
    nodes.resetnodedata();
    nodes.pushnodedata(1, 4, 0, 0, 0);
    nodes.pushnodedata(2, 7, 10, 0, 0);
    nodes.pushnodedata(3, 7, 10, 0, 0);  // T2 M6
    nodes.pushnodedata(4, 7, 10, 8, 0);
    nodes.pushnodedata(5, 7, 10, 8, 0);  // M30
    EXPECT_EQ(pickonce(nodes, 0, 4, kTop, 150, 50).node, 3);  // where the second cut starts
    EXPECT_EQ(pickonce(nodes, 0, 4, kTop, 150, 10).node, 3);  // the last cut's end, not M30
    EXPECT_EQ(pickonce(nodes, 0, 2, kTop, 150, 50).node, 1);  // drawn up to the tool change
    EXPECT_EQ(pickonce(nodes, 1, 2, kTop, 150, 50).node, -1);  // the tool change alone
}
