#pragma once
// The remaining material as a grid of columns over X and Y: each cell holds the height of the
// stock's top over the cell's centre. Four bytes a cell, nothing else per cell, so a 2048 x 2048
// grid stays at 16 MB.
#include <cstdint>
#include <vector>

namespace sim {

class HeightMap {
public:
    // x0, y0: the lower-left corner of the grid (not a cell centre); cell: the edge length of a
    // square cell. Every column starts at `top`; `bottom` is the stock's floor, below which no
    // cut lowers a column. Negative counts give an empty grid.
    HeightMap(double x0, double y0, double cell, int columns, int rows, float top, float bottom);

    int columns() const { return columns_; }
    int rows() const { return rows_; }
    double cell() const { return cell_; }
    double x0() const { return x0_; }
    double y0() const { return y0_; }
    float top() const { return top_; }
    float bottom() const { return bottom_; }

    // Row-major [row * columns() + column], heights at the cell centres.
    const float* heights() const { return heights_.data(); }
    float at(int column, int row) const
    {
        return heights_[static_cast<std::size_t>(row) * static_cast<std::size_t>(columns_) +
                        static_cast<std::size_t>(column)];
    }
    // Bumps whenever heights change, so a drawing can keep its copy until it moves.
    uint64_t revision() const { return revision_; }

    // Centre of a column / row in program units.
    double columnX(int column) const { return x0_ + (column + 0.5) * cell_; }
    double rowY(int row) const { return y0_ + (row + 0.5) * cell_; }

    // Writers: the simulation lowers cells through these and then calls touch() once per batch,
    // so the revision changes once per batch instead of once per cell.
    float* mutableHeights() { return heights_.data(); }
    float* rowData(int row)
    {
        return heights_.data() + static_cast<std::size_t>(row) * static_cast<std::size_t>(columns_);
    }
    void touch() { ++revision_; }
    // Puts every column back to the top (a new run from the first node).
    void reset();
    // Copies another map's heights of the same shape (a checkpoint restored).
    void assignHeights(const std::vector<float>& heights);

    std::size_t cellCount() const { return heights_.size(); }
    // Material taken away so far: the sum over cells of (top - height) times the cell's area.
    double removedVolume() const;
    // The lowest remaining height (top when nothing was cut).
    float lowest() const;

private:
    double x0_;
    double y0_;
    double cell_;
    int columns_;
    int rows_;
    float top_;
    float bottom_;
    uint64_t revision_ = 0;
    std::vector<float> heights_;
};

} // namespace sim
