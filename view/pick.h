#pragma once
// Which drawn move lies under a pixel of the picture: the nearest segment of the drawn node
// range within a few device pixels. Runs of consecutive nodes carry a bounding sphere, made
// once per job; a pick projects the spheres with the view of the moment and measures only the
// segments of runs whose sphere comes near the pointer. Nothing depends on the view, so no
// view change (a drag least of all) has anything to rebuild. The viewer and the headless
// tool share it, so both name the same move for the same pixel.

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
};

struct PickHit {
    int32_t node = -1;  // end node of the segment; -1 when none lies within reach
    double distance = 0;
};

class Picker {
  public:
    static constexpr double kRadius = 8.0;  // device pixels
    static constexpr int kRunShift = 8;     // 256 segments share a sphere

    // Makes the spheres when the store has changed since they were made.
    void update(const NodeStore& nodes);
    void clear() { valid_ = false; }

    // Nearest segment ending at a node of first+1..last (the drawn range) to the point (x, y)
    // in device pixels from the top-left corner (a pixel's centre is at +0.5); among equally
    // near ones the later, drawn on top, wins. update() must have seen the store.
    PickHit pick(const NodeStore& nodes, int32_t first, int32_t last, const PickView& view,
                 double x, double y) const;

    size_t memorybytes() const { return spheres_.capacity() * sizeof(Sphere); }

  private:
    struct Sphere {
        double x, y, z, radius;
    };

    std::vector<Sphere> spheres_;
    int32_t lastnode_ = -1;
    uint32_t generation_ = 0;
    bool valid_ = false;
};

// The spheres made for one pick: what the headless tool does for its single question.
PickHit pickonce(const NodeStore& nodes, int32_t first, int32_t last, const PickView& view,
                 double x, double y);
