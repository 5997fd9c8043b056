#include "view/pick.h"

#include <algorithm>
#include <cmath>

#include "nc/nodestore.h"
#include "view/transform.h"

namespace {

double segmentdistance(double px, double py, double ax, double ay, double bx, double by) {
    const double dx = bx - ax;
    const double dy = by - ay;
    const double length2 = dx * dx + dy * dy;
    double t = 0;
    if (length2 > 0) t = std::clamp(((px - ax) * dx + (py - ay) * dy) / length2, 0.0, 1.0);
    return std::hypot(px - (ax + t * dx), py - (ay + t * dy));
}

// Cell of a coordinate, kept far from integer overflow; callers clamp to the grid.
int cellof(double v) {
    const double c = std::floor(v / PickGrid::kCell);
    return static_cast<int>(std::clamp(c, -1.0, 1.0e6));
}

}  // namespace

bool PickView::operator==(const PickView& o) const {
    return viewscale == o.viewscale && rotx == o.rotx && roty == o.roty && rotz == o.rotz &&
           centerx == o.centerx && centery == o.centery && centerz == o.centerz &&
           width == o.width && height == o.height;
}

void PickGrid::Projection::project(double x, double y, double z, double& px,
                                   double& py) const {
    const double wx = x - cx, wy = y - cy, wz = z - cz;
    const double vx = m[0][0] * wx + m[0][1] * wy + m[0][2] * wz;
    const double vy = m[1][0] * wx + m[1][1] * wy + m[1][2] * wz;
    // The frame's orthographic projection: half the height spans viewscale world units.
    px = halfw + vx * k;
    py = halfh - vy * k;
}

void PickGrid::clear() {
    valid_ = false;
    for (auto& cell : cells_) cell.clear();
}

bool PickGrid::current(const NodeStore& nodes, int32_t first, int32_t last,
                       const PickView& view) const {
    return valid_ && view == view_ && first == first_ && last == last_ &&
           nodes.lastnode() == lastnode_ && nodes.generation() == generation_;
}

void PickGrid::build(const NodeStore& nodes, int32_t first, int32_t last, const PickView& view) {
    clear();
    view_ = view;
    first_ = first;
    last_ = last;
    lastnode_ = nodes.lastnode();
    generation_ = nodes.generation();
    valid_ = true;
    cols_ = view.width > 0 ? (view.width + kCell - 1) / kCell : 0;
    rows_ = view.height > 0 ? (view.height + kCell - 1) / kCell : 0;
    cells_.resize(static_cast<size_t>(cols_) * static_cast<size_t>(rows_));
    // The rotation as a matrix: the turned unit axes are its columns.
    const ViewAngles angles{view.rotx, view.roty, view.rotz};
    for (int axis = 0; axis < 3; ++axis) {
        double v[3] = {axis == 0 ? 1.0 : 0.0, axis == 1 ? 1.0 : 0.0, axis == 2 ? 1.0 : 0.0};
        viewturn(angles, v[0], v[1], v[2]);
        for (int r = 0; r < 3; ++r) projection_.m[r][axis] = v[r];
    }
    projection_.cx = view.centerx;
    projection_.cy = view.centery;
    projection_.cz = view.centerz;
    projection_.k = view.height / (2.0 * view.viewscale);
    projection_.halfw = view.width / 2.0;
    projection_.halfh = view.height / 2.0;
    first = std::max(first, 0);
    last = std::min(last, nodes.lastnode());
    if (cells_.empty() || last <= first) return;
    double ax = 0, ay = 0;
    const Tnodedata* n = &nodes.node(first);
    projection_.project(n->x, n->y, n->z, ax, ay);
    for (int32_t i = first + 1; i <= last; ++i) {
        n = &nodes.node(i);
        double bx = 0, by = 0;
        projection_.project(n->x, n->y, n->z, bx, by);
        insert(i, ax, ay, bx, by);
        ax = bx;
        ay = by;
    }
}

void PickGrid::add(int col, int row, int32_t segment) {
    std::vector<Run>& cell = cells_[static_cast<size_t>(row) * cols_ + col];
    // Consecutive segments mostly stay in one cell: they share a run.
    if (!cell.empty() && cell.back().last == segment - 1) {
        cell.back().last = segment;
    } else {
        cell.push_back({segment, segment});
    }
}

void PickGrid::insert(int32_t segment, double ax, double ay, double bx, double by) {
    if (!std::isfinite(ax) || !std::isfinite(ay) || !std::isfinite(bx) || !std::isfinite(by)) {
        return;
    }
    const int acol = cellof(ax), arow = cellof(ay);
    if (acol == cellof(bx) && arow == cellof(by)) {
        if (acol >= 0 && acol < cols_ && arow >= 0 && arow < rows_) add(acol, arow, segment);
        return;
    }
    const int row0 = std::max(0, cellof(std::min(ay, by)));
    const int row1 = std::min(rows_ - 1, cellof(std::max(ay, by)));
    for (int row = row0; row <= row1; ++row) {
        // The part of the segment inside this row's band.
        double t0 = 0, t1 = 1;
        if (ay != by) {
            t0 = (row * double{kCell} - ay) / (by - ay);
            t1 = ((row + 1) * double{kCell} - ay) / (by - ay);
            if (t0 > t1) std::swap(t0, t1);
            t0 = std::max(t0, 0.0);
            t1 = std::min(t1, 1.0);
        }
        const double x0 = ax + (bx - ax) * t0;
        const double x1 = ax + (bx - ax) * t1;
        const int col0 = std::max(0, cellof(std::min(x0, x1)));
        const int col1 = std::min(cols_ - 1, cellof(std::max(x0, x1)));
        for (int col = col0; col <= col1; ++col) add(col, row, segment);
    }
}

PickHit PickGrid::pick(const NodeStore& nodes, double x, double y) const {
    PickHit best;
    if (!valid_ || cells_.empty()) return best;
    best.distance = kRadius;
    const int col0 = std::max(0, cellof(x - kRadius));
    const int col1 = std::min(cols_ - 1, cellof(x + kRadius));
    const int row0 = std::max(0, cellof(y - kRadius));
    const int row1 = std::min(rows_ - 1, cellof(y + kRadius));
    for (int row = row0; row <= row1; ++row) {
        for (int col = col0; col <= col1; ++col) {
            for (const Run& run : cells_[static_cast<size_t>(row) * cols_ + col]) {
                double ax = 0, ay = 0;
                const Tnodedata* n = &nodes.node(run.first - 1);
                projection_.project(n->x, n->y, n->z, ax, ay);
                for (int32_t i = run.first; i <= run.last; ++i) {
                    n = &nodes.node(i);
                    double bx = 0, by = 0;
                    projection_.project(n->x, n->y, n->z, bx, by);
                    const double d = segmentdistance(x, y, ax, ay, bx, by);
                    if (d < best.distance || (d == best.distance && i > best.node)) {
                        best.distance = d;
                        best.node = i;
                    }
                    ax = bx;
                    ay = by;
                }
            }
        }
    }
    if (best.node < 0) best.distance = 0;
    return best;
}

size_t PickGrid::memorybytes() const {
    size_t bytes = cells_.capacity() * sizeof(std::vector<Run>);
    for (const auto& cell : cells_) bytes += cell.capacity() * sizeof(Run);
    return bytes;
}

PickHit pickonce(const NodeStore& nodes, int32_t first, int32_t last, const PickView& view,
                 double x, double y) {
    PickGrid grid;
    grid.build(nodes, first, last, view);
    return grid.pick(nodes, x, y);
}
