#pragma once
// The stored toolpath as vertex arrays on the graphics side, so that a frame draws ranges of
// it with a few glDrawArrays calls instead of sending every node again. The vertices are
// exactly those the node-by-node line strip sends, colour joints included, so both draw the
// same pixels.
//
// The strip is cut into segments of `segmentstride` + 1 vertices that overlap by one vertex,
// so a strip drawn piecewise continues seamlessly and no single allocation is huge. Each
// segment lives in a buffer object, or in client memory where buffer objects are missing or
// the graphics memory ran out.
//
// The arrays may also hold a chosen subsequence of the nodes (a simplified copy): positions
// then count kept entries instead of nodes, and the colour joints fall where they fall in the
// full strip because both nodes of every colour change are kept.

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "nc/nodestore.h"
#include "render/glbufferfunctions.h"
#include "render/toolpathvertex.h"

class ToolpathBuffers {
  public:
    ToolpathBuffers() = default;
    ToolpathBuffers(const ToolpathBuffers&) = delete;
    ToolpathBuffers& operator=(const ToolpathBuffers&) = delete;

    // Brings the arrays up to date with the store, in the current context. Returns false
    // when they cannot be had (no memory even for client arrays): nothing is drawn then.
    bool update(const NodeStore& nodes, const std::array<uint32_t, 16>& palette,
                const GlProcLoader& loader, const void* context);
    // The same for the nodes listed in kept (ascending indices), which must outlive the
    // arrays or be handed in again when they change.
    bool update(const NodeStore& nodes, const std::vector<int32_t>& kept,
                const std::array<uint32_t, 16>& palette, const GlProcLoader& loader,
                const void* context);

    // Draws positions first..last (nodes, or entries of kept) as the node-by-node strip
    // would, in pieces of at most `piece` vertices; afterpiece runs between pieces (and may
    // present the frame so far). Without colours the current GL colour paints the whole range.
    void draw(const NodeStore& nodes, int32_t first, int32_t last,
              const std::function<void()>& afterpiece, bool colours = true) const;

    // Deletes the buffer objects; the context they were made in must be current.
    void release();
    // Deletes them when context (the current one) is theirs, else only drops the names.
    void releasein(const void* context) { context == context_ ? release() : forget(); }
    // The context is gone and its buffers with it: only the names are dropped.
    void forget();

    // Vertices per segment (less the shared one) and per drawing piece; tests shrink them to
    // reach boundaries with small programs. A new stride applies at the next rebuild. A
    // software rasterizer holds the binned lines of two pieces at once and keeps their memory
    // afterwards: at 32 thousand vertices a piece that is some 13 MB less than at 64 thousand
    // for the whole life of a large program's picture.
    int32_t segmentstride = 1 << 18;
    int32_t piece = 1 << 15;

    // Segments of the last build, and those of them held in client memory.
    int segments() const { return static_cast<int>(segments_.size()); }
    int clientsegments() const;
    GlBufferFunctions& functions() { return gl_; }

  private:
    struct Segment {
        GLuint name = 0;                     // buffer object, or 0
        std::vector<ToolpathVertex> client;  // the vertices when there is no buffer object
        int32_t count = 0;
    };

    bool refresh(const NodeStore& nodes, const std::vector<int32_t>* kept,
                 const std::array<uint32_t, 16>& palette, const GlProcLoader& loader,
                 const void* context);
    bool build(const NodeStore& nodes, const std::array<uint32_t, 16>& palette);
    const Tnodedata& at(const NodeStore& nodes, int32_t position) const {
        return kept_ != nullptr ? nodes.node((*kept_)[static_cast<size_t>(position)])
                                : nodes.node(position);
    }
    void recyclenames();
    bool store(const std::vector<ToolpathVertex>& staging, int32_t count);
    int64_t vertexof(const NodeStore& nodes, int32_t node) const;
    void drawsegment(const Segment& segment, int32_t from, int32_t count) const;

    GlBufferFunctions gl_;
    std::vector<Segment> segments_;
    // Strip index of the own vertex of the first node of every block of 1024.
    std::vector<int64_t> blockvertex_;
    std::vector<GLuint> reusable_;  // names of the last build, refilled before new ones are made
    int32_t stride_ = 0;
    bool valid_ = false;
    bool buffersfailed_ = false;
    const NodeStore* builtfrom_ = nullptr;
    uint32_t builtgeneration_ = 0;
    int32_t builtlast_ = -1;
    const std::vector<int32_t>* kept_ = nullptr;
    size_t builtkept_ = 0;
    const void* context_ = nullptr;
};
