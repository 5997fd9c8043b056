#pragma once
// One vertex of the toolpath strip as the graphics side holds it, and the rules by which the
// node-by-node strip turns nodes into vertices: the buffered arrays must repeat them exactly,
// or the two ways of drawing would differ by a pixel at every colour change.

#include <array>
#include <cstdint>

#include "nc/nodestore.h"

struct ToolpathVertex {
    float x, y, z;
    uint8_t rgba[4];
};

using VertexColours = std::array<std::array<uint8_t, 4>, 16>;

inline ToolpathVertex toolpathvertex(const Tnodedata& node, const std::array<uint8_t, 4>& rgba) {
    return {static_cast<float>(node.x),
            static_cast<float>(node.y),
            static_cast<float>(node.z),
            {rgba[0], rgba[1], rgba[2], rgba[3]}};
}

// The strip repeats the previous point twice at a colour change (once in each colour), so the
// segment to the new node is wholly in the new colour; a point at -999 or below is no point.
inline bool colourjoint(const Tnodedata& previous, const Tnodedata& node) {
    return node.color != previous.color && previous.z > -999.0;
}

// The palette's colour values as opaque byte quadruples.
VertexColours vertexcolours(const std::array<uint32_t, 16>& palette);
