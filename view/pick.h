#pragma once
// Which drawn move lies under a pixel of the picture: the nearest segment of the drawn node
// range within a few device pixels. Short runs of consecutive segments carry a bounding
// sphere, and groups of runs one around theirs, made once per job; a pick projects the spheres
// with the view of the moment and measures only the segments of runs whose sphere comes near
// the pointer. Nothing depends on the view, so no
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
    // Segments per run and runs per group: small spheres keep a pick over a dense toolpath
    // short, and groups keep the count of spheres tested low (a 100 MB program: 360 thousand
    // runs, 21 MB).
    static constexpr int32_t kRunSegments = 32;
    static constexpr int kGroupRuns = 64;

    // Makes the spheres when the store has changed since they were made.
    void update(const NodeStore& nodes);
    // Forgets the spheres and gives their memory back: the next job's are made on its first
    // pick, and until then the old ones would only crowd its reading and drawing.
    void clear() {
        valid_ = false;
        std::vector<Run>().swap(runs_);
        std::vector<Sphere>().swap(groups_);
    }

    // Nearest segment ending at a node of first+1..last (the drawn range) to the point (x, y)
    // in device pixels from the top-left corner (a pixel's centre is at +0.5); among equally
    // near ones the later, drawn on top, wins. A node on the very point of the one before it
    // ends no segment and is never picked. update() must have seen the store.
    PickHit pick(const NodeStore& nodes, int32_t first, int32_t last, const PickView& view,
                 double x, double y) const;

    size_t memorybytes() const {
        return runs_.capacity() * sizeof(Run) + groups_.capacity() * sizeof(Sphere);
    }

  private:
    struct Sphere {
        double x, y, z, radius;
    };
    struct Run {
        Sphere sphere;
        int32_t first;  // end node of its first segment; the run ends where the next begins
    };

    std::vector<Run> runs_;  // and one more whose first is past the last node
    std::vector<Sphere> groups_;
    int32_t lastnode_ = -1;
    uint32_t generation_ = 0;
    bool valid_ = false;
};

// The spheres made for one pick: what the headless tool does for its single question.
PickHit pickonce(const NodeStore& nodes, int32_t first, int32_t last, const PickView& view,
                 double x, double y);
