#pragma once
// Which drawn move lies under a pixel of the picture: the nearest segment of the drawn node
// range within a few device pixels. The nodes' screen positions are binned once per view into
// a coarse grid of cells that list the runs of consecutive segments crossing them; a pick then
// looks only at the cells around the pointer. The viewer and the headless tool share it, so
// both name the same move for the same pixel.

#include <cstddef>
#include <cstdint>
#include <vector>

class NodeStore;

// The picture a pick refers to: the frame's view and its size in device pixels.
struct PickView {
    double viewscale = 10.0;
    double rotx = 0, roty = 0, rotz = 0;
    double centerx = 0, centery = 0, centerz = 0;
    int width = 0;
    int height = 0;

    bool operator==(const PickView& o) const;
    bool operator!=(const PickView& o) const { return !(*this == o); }
};

struct PickHit {
    int32_t node = -1;  // end node of the segment; -1 when none lies within reach
    double distance = 0;
};

class PickGrid {
  public:
    static constexpr double kRadius = 8.0;  // device pixels
    static constexpr int kCell = 16;        // twice the radius: a pick reads at most 2 x 2 cells

    // Bins the segments that end at nodes first+1..last as the frame draws them.
    void build(const NodeStore& nodes, int32_t first, int32_t last, const PickView& view);
    // The grid still describes these nodes in this view.
    bool current(const NodeStore& nodes, int32_t first, int32_t last, const PickView& view) const;
    void clear();

    // Nearest binned segment to the point (x, y) in device pixels from the top-left corner
    // (a pixel's centre is at +0.5); among equally near ones the later, drawn on top, wins.
    PickHit pick(const NodeStore& nodes, double x, double y) const;

    // Memory the bins hold, for benchmarks.
    size_t memorybytes() const;

  private:
    struct Run {
        int32_t first;
        int32_t last;
    };
    struct Projection {
        double m[3][3];
        double cx, cy, cz, k, halfw, halfh;
        void project(double x, double y, double z, double& px, double& py) const;
    };
    void insert(int32_t segment, double ax, double ay, double bx, double by);
    void add(int col, int row, int32_t segment);

    std::vector<std::vector<Run>> cells_;
    int cols_ = 0;
    int rows_ = 0;
    Projection projection_{};
    PickView view_;
    int32_t first_ = 0;
    int32_t last_ = -1;
    int32_t lastnode_ = -1;
    uint32_t generation_ = 0;
    bool valid_ = false;
};

// The grid built for one pick: what the headless tool does for its single question.
PickHit pickonce(const NodeStore& nodes, int32_t first, int32_t last, const PickView& view,
                 double x, double y);
