#include "render/toolpathvertex.h"

#include <cstddef>

VertexColours vertexcolours(const std::array<uint32_t, 16>& palette) {
    VertexColours colors{};
    for (size_t c = 0; c < colors.size(); ++c) {
        for (int k = 0; k < 3; ++k) colors[c][k] = static_cast<uint8_t>(palette[c] >> (8 * k));
        colors[c][3] = 255;
    }
    return colors;
}
