#pragma once
// Kept states of the height map, so that stepping back restarts from the nearest one instead of
// the first node. A state keeps only the tiles that differ from the untouched stock, and the
// whole collection stays within a byte budget: when it would grow past it, every other state is
// dropped and states are taken half as often.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "sim/heightmap.h"

namespace sim {

class Checkpoints {
public:
    explicit Checkpoints(std::size_t budgetBytes = std::size_t(40) << 20, int32_t interval = 1 << 16);

    // Whether a state should be kept now that the map holds every move up to `node`.
    bool due(int32_t node) const;
    void keep(const HeightMap& map, int32_t node);
    // Puts the map in the newest kept state at or before `node` and returns its node; -1 (and
    // the untouched stock) when none is that early.
    int32_t restore(HeightMap& map, int32_t node) const;
    void clear();

    std::size_t bytes() const { return bytes_; }
    std::size_t count() const { return states_.size(); }

private:
    static constexpr int kTile = 64;
    struct State {
        int32_t node;
        std::vector<uint32_t> tiles;  // index of each kept tile, ascending
        std::vector<float> heights;   // their cells, tile after tile, row by row
        std::size_t bytes() const { return tiles.size() * 4 + heights.size() * 4 + sizeof(State); }
    };
    void thinOut();

    std::size_t budget_;
    int32_t interval_;
    int32_t lastKept_ = -1;
    std::size_t bytes_ = 0;
    std::vector<State> states_;
};

} // namespace sim
