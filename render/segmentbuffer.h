#pragma once
// The loose segments of a copy on a grid (nc/cellsimplifier.h) as one vertex array of line
// pairs in the toolpath's vertex form, in a buffer object where there is one, else in client
// memory. Copies on a grid are kept small, so one array serves.

#include <array>
#include <cstdint>
#include <vector>

#include "nc/pathsimplifier.h"
#include "render/glbufferfunctions.h"
#include "render/toolpathbuffers.h"

class SegmentBuffer {
  public:
    SegmentBuffer() = default;
    SegmentBuffer(const SegmentBuffer&) = delete;
    SegmentBuffer& operator=(const SegmentBuffer&) = delete;

    // Fills the array from segments in the current context; false when there is no memory.
    bool build(const std::vector<CellSegment>& segments, const std::array<uint32_t, 16>& palette,
               const GlProcLoader& loader);
    // Draws segments first..last.
    void draw(int64_t first, int64_t last) const;
    // Deletes the buffer object; its context must be current.
    void release();
    // Its context is gone: only the name is dropped.
    void forget();

  private:
    GlBufferFunctions gl_;
    GLuint name_ = 0;
    std::vector<ToolpathVertex> client_;
    int64_t segments_ = 0;
};
