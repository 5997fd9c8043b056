#pragma once
// The moves of the selected program lines drawn over the toolpath: the same vertices again,
// wider and in one colour that no tool or feed has, on top of everything in the frame.

#include <cstdint>

#include "nc/linenodes.h"

class NodeStore;
class ToolpathBuffers;

class Highlight {
  public:
    // Orange: not in the palette, so a picture tells highlighted moves from all others.
    static constexpr uint32_t kColor = 0x0080FF;  // red in the low byte
    static constexpr float kWidth = 3.0F;         // device pixels

    // The selected nodes; an empty span highlights nothing.
    NodeSpan nodes;
    bool active() const { return !nodes.empty(); }

    // Draws the moves into the selected nodes that lie within the drawn nodes first..last,
    // through the arrays when given, else node by node.
    void draw(const NodeStore& store, const ToolpathBuffers* buffers, int32_t first,
              int32_t last) const;
};
