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
    PickGrid grid;
    grid.build(nodes, 0, 3, kTop);
    EXPECT_EQ(grid.pick(nodes, 120.5, 55.5).node, 1);  // 5.5 below the first move
    EXPECT_NEAR(grid.pick(nodes, 120.5, 55.5).distance, 5.5, 1e-9);
    EXPECT_EQ(grid.pick(nodes, 120.5, 58.6).node, -1);  // 8.6: out of reach
    // Left of the vertical move, in the next column of cells: 6.5 pixels.
    EXPECT_EQ(grid.pick(nodes, 143.5, 30).node, 2);
    // The diagonal crosses cells its ends are not in; 435/sqrt(145^2+85^2) = 2.59 away.
    EXPECT_EQ(grid.pick(nodes, 77.5, 55.5).node, 3);
    EXPECT_NEAR(grid.pick(nodes, 77.5, 55.5).distance, 2.588, 1e-3);
    EXPECT_EQ(grid.pick(nodes, -3, 100).node, -1);  // beyond the picture

    // Only drawn moves count: nodes 2..3 draw the diagonal alone.
    EXPECT_FALSE(grid.current(nodes, 2, 3, kTop));
    grid.build(nodes, 2, 3, kTop);
    EXPECT_EQ(grid.pick(nodes, 120.5, 55.5).node, -1);
    EXPECT_EQ(grid.pick(nodes, 77.5, 55.5).node, 3);

    // A new view or new nodes make the grid stale.
    PickView moved = kTop;
    moved.centerx = 1;
    EXPECT_TRUE(grid.current(nodes, 2, 3, kTop));
    EXPECT_FALSE(grid.current(nodes, 2, 3, moved));
    nodes.pushnodedata(5, 7, 0, 0, 0);
    EXPECT_FALSE(grid.current(nodes, 2, 3, kTop));
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
