#pragma once
// Draws a simplified copy of the toolpath (a level of lod/simplifiedpath.h) into the open frame
// from vertex arrays of the same form as the full toolpath's: a strip of kept nodes, or the
// loose segments of a copy on a grid, drawn from where they lie (they are few, and made for
// drawing that is slow anyway). Each level gets its own arrays,
// made the first time it is drawn, so a zoom that moves between levels during a drag does not
// rebuild them frame after frame.

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "lod/pathsimplifier.h"
#include "render/toolpathbuffers.h"

class NodeStore;

class SimplifiedDrawer {
  public:
    static constexpr int kLevels = 12;

    SimplifiedDrawer(const NodeStore& nodes, const std::array<uint32_t, 16>& palette)
        : nodes_(nodes), palette_(palette) {}

    // Draws the kept nodes of the level that lie in nodes first..last; false when nothing
    // could be drawn (no memory for the arrays). slot tells the level's arrays apart. A copy
    // on a grid may be thinned to every stride-th segment.
    bool draw(int slot, const std::shared_ptr<const SimplifiedLevel>& level, int32_t first,
              int32_t last, const GlProcLoader& loader, const void* context, int64_t stride = 1);
    // Lines the last draw drew.
    int64_t drawnlines() const { return drawnlines_; }

    // The arrays of another job are of no more use; context is the current one.
    void release(const void* context);

  private:
    struct Slot {
        std::shared_ptr<const SimplifiedLevel> level;  // keeps the kept list alive for the arrays
        ToolpathBuffers buffers;
    };
    void drawsegments(const SimplifiedLevel& level, int32_t first, int32_t last,
                      const GlProcLoader& loader, int64_t stride);
    GlBufferFunctions gl_;
    const NodeStore& nodes_;
    const std::array<uint32_t, 16>& palette_;
    std::array<Slot, kLevels> slots_;
    std::vector<GLuint> thinned_;  // vertex indices of a thinned copy, kept for the next frame
    int64_t drawnlines_ = 0;
};
