#include "sim/tileceilings.h"

#include <algorithm>

namespace sim {

void TileCeilings::reset(const HeightMap& map)
{
    across_ = (map.columns() + kSize - 1) >> kShift;
    down_ = (map.rows() + kSize - 1) >> kShift;
    const std::size_t count = static_cast<std::size_t>(across_) * static_cast<std::size_t>(down_);
    ceilings_.assign(count, map.top());
    stale_.assign(count, 1);
}

float TileCeilings::ceiling(const HeightMap& map, int tileColumn, int tileRow)
{
    const std::size_t at = static_cast<std::size_t>(tileRow) * across_ + static_cast<std::size_t>(tileColumn);
    if (stale_[at]) {
        const int c0 = tileColumn << kShift, c1 = std::min(map.columns(), c0 + kSize);
        const int r0 = tileRow << kShift, r1 = std::min(map.rows(), r0 + kSize);
        float highest = map.bottom();
        for (int r = r0; r < r1; ++r) {
            const float* row = map.heights() + static_cast<std::size_t>(r) * map.columns();
            for (int c = c0; c < c1; ++c)
                highest = row[c] > highest ? row[c] : highest;
        }
        ceilings_[at] = highest;
        stale_[at] = 0;
    }
    return ceilings_[at];
}

} // namespace sim
