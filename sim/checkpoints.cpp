#include "sim/checkpoints.h"

#include <algorithm>

namespace sim {

namespace {

struct TileBox {
    int c0, r0, c1, r1;
};

TileBox tileBox(const HeightMap& map, uint32_t index, int tile)
{
    const int across = (map.columns() + tile - 1) / tile;
    const int tr = static_cast<int>(index) / across, tc = static_cast<int>(index) % across;
    return {tc * tile, tr * tile, std::min(map.columns(), (tc + 1) * tile),
            std::min(map.rows(), (tr + 1) * tile)};
}

} // namespace

Checkpoints::Checkpoints(std::size_t budgetBytes, int32_t interval)
    : budget_(budgetBytes), interval_(std::max<int32_t>(1, interval))
{
}

bool Checkpoints::due(int32_t node) const
{
    // A run is the same every time, so states kept before a step back still hold: a run
    // forward again only adds states past the newest.
    return node > lastKept_ && node - std::max<int32_t>(lastKept_, 0) >= interval_;
}

void Checkpoints::keep(const HeightMap& map, int32_t node)
{
    State state;
    state.node = node;
    const int across = (map.columns() + kTile - 1) / kTile;
    const int down = (map.rows() + kTile - 1) / kTile;
    const float top = map.top();
    for (int t = 0; t < across * down; ++t) {
        const TileBox box = tileBox(map, static_cast<uint32_t>(t), kTile);
        bool touched = false;
        for (int r = box.r0; r < box.r1 && !touched; ++r)
            for (int c = box.c0; c < box.c1 && !touched; ++c)
                touched = map.at(c, r) != top;
        if (touched)
            state.tiles.push_back(static_cast<uint32_t>(t));
    }
    // Sized before it is filled: a vector grown cell by cell could hold twice the budget.
    std::size_t cells = 0;
    for (uint32_t t : state.tiles) {
        const TileBox box = tileBox(map, t, kTile);
        cells += static_cast<std::size_t>(box.c1 - box.c0) * static_cast<std::size_t>(box.r1 - box.r0);
    }
    state.tiles.shrink_to_fit();
    lastKept_ = node;
    if (cells * sizeof(float) > budget_)
        return;  // one state alone is too large: going back restarts from the first node
    // Room is made before the state is built, so the states never hold more than the budget.
    while (bytes_ + cells * sizeof(float) > budget_ && !states_.empty())
        thinOut();
    state.heights.reserve(cells);
    for (uint32_t t : state.tiles) {
        const TileBox box = tileBox(map, t, kTile);
        for (int r = box.r0; r < box.r1; ++r)
            for (int c = box.c0; c < box.c1; ++c)
                state.heights.push_back(map.at(c, r));
    }
    bytes_ += state.bytes();
    states_.push_back(std::move(state));
}

void Checkpoints::thinOut()
{
    std::vector<State> kept;
    bytes_ = 0;
    for (std::size_t i = 1; i < states_.size(); i += 2) {
        bytes_ += states_[i].bytes();
        kept.push_back(std::move(states_[i]));
    }
    states_ = std::move(kept);
    interval_ = interval_ > (1 << 29) ? interval_ : interval_ * 2;
}

int32_t Checkpoints::restore(HeightMap& map, int32_t node) const
{
    map.reset();
    const State* best = nullptr;
    for (const State& s : states_)
        if (s.node <= node)
            best = &s;
    if (best == nullptr)
        return -1;
    std::size_t at = 0;
    for (uint32_t t : best->tiles) {
        const TileBox box = tileBox(map, t, kTile);
        for (int r = box.r0; r < box.r1; ++r) {
            float* row = map.rowData(r);
            for (int c = box.c0; c < box.c1; ++c)
                row[c] = best->heights[at++];
        }
    }
    map.touch();
    return best->node;
}

void Checkpoints::clear()
{
    states_.clear();
    bytes_ = 0;
    lastKept_ = -1;
}

} // namespace sim
