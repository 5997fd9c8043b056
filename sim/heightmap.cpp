#include "sim/heightmap.h"

#include <algorithm>

namespace sim {

HeightMap::HeightMap(double x0, double y0, double cell, int columns, int rows, float top,
                     float bottom)
    : x0_(x0), y0_(y0), cell_(cell), columns_(std::max(columns, 0)), rows_(std::max(rows, 0)),
      top_(top), bottom_(std::min(bottom, top))
{
    heights_.assign(static_cast<std::size_t>(columns_) * static_cast<std::size_t>(rows_), top_);
}

void HeightMap::reset()
{
    std::fill(heights_.begin(), heights_.end(), top_);
    touch();
}

void HeightMap::assignHeights(const std::vector<float>& heights)
{
    if (heights.size() != heights_.size())
        return;
    std::copy(heights.begin(), heights.end(), heights_.begin());
    touch();
}

double HeightMap::removedVolume() const
{
    // Summed per row in double so a 4-million-cell grid keeps its three decimals.
    double total = 0.0;
    for (int row = 0; row < rows_; ++row) {
        const float* line = heights_.data() + static_cast<std::size_t>(row) * columns_;
        double rowSum = 0.0;
        for (int column = 0; column < columns_; ++column)
            rowSum += static_cast<double>(top_) - static_cast<double>(line[column]);
        total += rowSum;
    }
    return total * cell_ * cell_;
}

float HeightMap::lowest() const
{
    if (heights_.empty())
        return top_;
    return *std::min_element(heights_.begin(), heights_.end());
}

} // namespace sim
