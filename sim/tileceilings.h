#pragma once
// The highest height in each 16 x 16 tile of the map, so that a move passing over a tile it
// cannot cut into skips the tile's cells: after the first pass over a region most moves find
// nothing above them. Kept lazily: a tile a move lowered is marked stale and its ceiling is
// worked out again when next asked for. A tile row belongs to one band of rows, so workers on
// different bands never share a tile.

#include <cstdint>
#include <vector>

#include "sim/heightmap.h"

namespace sim {

class TileCeilings {
public:
    static constexpr int kShift = 4;
    static constexpr int kSize = 1 << kShift;

    // All tiles stale: after the map was reset or restored.
    void reset(const HeightMap& map);
    float ceiling(const HeightMap& map, int tileColumn, int tileRow);
    void markStale(int tileColumn, int tileRow)
    {
        stale_[static_cast<std::size_t>(tileRow) * across_ + static_cast<std::size_t>(tileColumn)] = 1;
    }
    int across() const { return across_; }

private:
    int across_ = 0;
    int down_ = 0;
    std::vector<float> ceilings_;
    std::vector<uint8_t> stale_;
};

} // namespace sim
