#include "sim/sweep.h"

#include <algorithm>
#include <cmath>

namespace sim {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
// Below this horizontal length a move is a plunge: its direction is noise.
constexpr double kPlungeLength = 1e-9;

// One move laid out for the per-column minimisation: the tip at (a + t u, za + slope t),
// 0 <= t <= length, in coordinates relative to the move's start.
struct Layout {
    double ux = 1, uy = 0, length = 0, slope = 0, za = 0, zlow = 0;
    bool plunge = false;
};

Layout layoutOf(const Point3& a, const Point3& b)
{
    Layout l;
    const double dx = b.x - a.x, dy = b.y - a.y;
    l.length = std::hypot(dx, dy);
    l.za = a.z;
    l.zlow = std::min(a.z, b.z);
    l.plunge = !(l.length > kPlungeLength);
    if (!l.plunge) {
        l.ux = dx / l.length;
        l.uy = dy / l.length;
        l.slope = (b.z - a.z) / l.length;
    }
    return l;
}

// f'(r) * h / r for a bull nose, which is nondecreasing in h: its root against the slope is
// where the height over the column stops falling.
double bullNoseTurn(const Cutter& c, double p2, double h)
{
    const double r = std::sqrt(p2 + h * h);
    const double flat = c.radius - c.corner;
    if (r <= flat || r <= 0)
        return 0;
    const double out = r - flat;
    const double under = c.corner * c.corner - out * out;
    if (under <= 0)
        return h > 0 ? kInfinity : -kInfinity;
    return out / std::sqrt(under) * h / r;
}

// Distance h = along - t from the tip to the column, along the move, at which the height over a
// column at `along`, `across` (squared: p2) would be least if the move were endless.
double stationaryOffset(const Cutter& c, double slope, double p2, double w)
{
    if (slope == 0)
        return 0;
    switch (c.kind) {
    case CutterKind::Flat:
        return slope > 0 ? kInfinity : -kInfinity;
    case CutterKind::Ball:
        return slope * w / std::sqrt(1 + slope * slope);
    case CutterKind::Vee:
    case CutterKind::Drill: {
        const double k = c.coneSlope;
        if (std::abs(slope) >= k)
            return slope > 0 ? kInfinity : -kInfinity;
        return slope * std::sqrt(p2) / std::sqrt(k * k - slope * slope);
    }
    case CutterKind::BullNose: {
        // No closed form for the torus: halve the bracket down to rounding (the function is
        // monotone, so this converges on the exact root, it does not sample the move).
        double lo = 0, hi = w;
        const double target = std::abs(slope);
        for (int i = 0; i < 60 && hi - lo > 1e-12 * (1 + w); ++i) {
            const double mid = 0.5 * (lo + hi);
            (bullNoseTurn(c, p2, mid) < target ? lo : hi) = mid;
        }
        return slope > 0 ? hi : -hi;
    }
    }
    return 0;
}

// Lowest cutter height over a column `along` the move and `p2` (squared distance) across it.
inline double lowestAt(const Cutter& c, const Layout& l, double along, double p2)
{
    const double w2 = c.radius * c.radius - p2;
    if (w2 < 0)
        return kInfinity;
    if (l.plunge)
        return l.zlow + c.profile(std::sqrt(along * along + p2));
    const double w = std::sqrt(w2);
    const double lo = std::max(0.0, along - w);
    const double hi = std::min(l.length, along + w);
    if (lo > hi)
        return kInfinity;
    const double t = std::clamp(along - stationaryOffset(c, l.slope, p2, w), lo, hi);
    const double h = along - t;
    return l.za + l.slope * t + c.profile(std::sqrt(p2 + h * h));
}

// The x range [from, to] where the row at height y (relative to the move's start) meets the
// cutter's footprint: two end discs and the band between them, a convex shape.
bool rowSpan(const Layout& l, double radius, double y, double bx, double by, double& from, double& to)
{
    from = kInfinity;
    to = -kInfinity;
    auto disc = [&](double cx, double cy) {
        const double d2 = radius * radius - (y - cy) * (y - cy);
        if (d2 < 0)
            return;
        const double half = std::sqrt(d2);
        from = std::min(from, cx - half);
        to = std::max(to, cx + half);
    };
    disc(0, 0);
    disc(bx, by);
    if (!l.plunge) {
        // along(x) = x ux + y uy in [0, length]; across(x) = y ux - x uy in [-radius, radius].
        double lo = -kInfinity, hi = kInfinity;
        auto clip = [&](double slopeInX, double offset, double min, double max) {
            if (slopeInX == 0) {
                if (offset < min || offset > max)
                    hi = -kInfinity;
                return;
            }
            double x1 = (min - offset) / slopeInX, x2 = (max - offset) / slopeInX;
            if (x1 > x2)
                std::swap(x1, x2);
            lo = std::max(lo, x1);
            hi = std::min(hi, x2);
        };
        clip(l.ux, y * l.uy, 0, l.length);
        clip(-l.uy, y * l.ux, -radius, radius);
        if (lo <= hi) {
            from = std::min(from, lo);
            to = std::max(to, hi);
        }
    }
    return from <= to;
}

} // namespace

void SweepEffect::merge(const SweepEffect& other)
{
    deepest = std::max(deepest, other.deepest);
    highestLowered = std::max(highestLowered, other.highestLowered);
    lowered = lowered || other.lowered;
}

double lowestOver(const Cutter& cutter, const Point3& a, const Point3& b, double x, double y)
{
    const Layout l = layoutOf(a, b);
    const double dx = x - a.x, dy = y - a.y;
    const double along = l.plunge ? dx : dx * l.ux + dy * l.uy;
    const double across = l.plunge ? dy : dy * l.ux - dx * l.uy;
    return lowestAt(cutter, l, along, across * across);
}

namespace {

// Lowers the cells [from, to] of one row, y above the move's start; true when any went down.
bool cutRun(float* heights, int from, int to, const HeightMap& map, const Cutter& cutter,
            const Layout& l, const Point3& a, double y, SweepEffect& found)
{
    const float bottom = map.bottom();
    bool lowered = false;
    if (cutter.kind == CutterKind::Flat && l.slope == 0 && !l.plunge) {
        // A level flat end mill leaves its own height everywhere under it.
        const float z = std::max(bottom, static_cast<float>(a.z));
        for (int c = from; c <= to; ++c) {
            const float old = heights[c];
            if (z < old) {
                found.deepest = std::max(found.deepest, old - z);
                found.highestLowered = std::max(found.highestLowered, old);
                heights[c] = z;
                lowered = true;
            }
        }
        return lowered;
    }
    for (int c = from; c <= to; ++c) {
        const double x = map.columnX(c) - a.x;
        const double along = l.plunge ? x : x * l.ux + y * l.uy;
        const double across = l.plunge ? y : y * l.ux - x * l.uy;
        const double lowest = lowestAt(cutter, l, along, across * across);
        const float old = heights[c];
        if (!(lowest < old))
            continue;
        const float z = std::max(bottom, static_cast<float>(lowest));
        if (z < old) {
            found.deepest = std::max(found.deepest, old - z);
            found.highestLowered = std::max(found.highestLowered, old);
            heights[c] = z;
            lowered = true;
        }
    }
    return lowered;
}

// Horizontal distance from (x, y) to the move's path, both relative to its start.
double distanceToPath(const Layout& l, double x, double y)
{
    if (l.plunge)
        return std::hypot(x, y);
    const double along = std::clamp(x * l.ux + y * l.uy, 0.0, l.length);
    return std::hypot(x - along * l.ux, y - along * l.uy);
}

} // namespace

void sweepRows(HeightMap& map, TileCeilings& ceilings, int rowBegin, int rowEnd,
               const Cutter& cutter, const Point3& a, const Point3& b, SweepEffect& effect)
{
    constexpr int kShift = TileCeilings::kShift, kTile = TileCeilings::kSize;
    const double cell = map.cell();
    const double radius = cutter.radius;
    const Layout l = layoutOf(a, b);
    // Rows whose centres the footprint's bounding box reaches.
    const double ylo = std::min(a.y, b.y) - radius, yhi = std::max(a.y, b.y) + radius;
    const int first = std::max(rowBegin, static_cast<int>(std::ceil((ylo - map.y0()) / cell - 0.5)));
    const int last = std::min(rowEnd - 1, static_cast<int>(std::floor((yhi - map.y0()) / cell - 0.5)));
    if (first > last)
        return;
    const double bx = b.x - a.x, by = b.y - a.y;
    const double halfTile = kTile * cell * 0.7072;  // half a tile's diagonal, rounded up
    thread_local std::vector<uint8_t> open;
    SweepEffect found;
    for (int tileRow = first >> kShift; tileRow <= last >> kShift; ++tileRow) {
        const int r0 = std::max(first, tileRow << kShift);
        const int r1 = std::min(last, (tileRow << kShift) + kTile - 1);
        int spanFrom[kTile], spanTo[kTile];
        int leftmost = map.columns(), rightmost = -1;
        for (int row = r0; row <= r1; ++row) {
            int& c0 = spanFrom[row - r0];
            int& c1 = spanTo[row - r0];
            double from, to;
            c0 = 0, c1 = -1;
            if (!rowSpan(l, radius, map.rowY(row) - a.y, bx, by, from, to))
                continue;
            c0 = std::max(0, static_cast<int>(std::ceil((from + a.x - map.x0()) / cell - 0.5)));
            c1 = std::min(map.columns() - 1,
                          static_cast<int>(std::floor((to + a.x - map.x0()) / cell - 0.5)));
            if (c0 <= c1)
                leftmost = std::min(leftmost, c0), rightmost = std::max(rightmost, c1);
        }
        if (leftmost > rightmost)
            continue;
        // A tile whose highest cell lies at or under the lowest the cutter can reach over the
        // tile keeps every cell.
        const int t0 = leftmost >> kShift, t1 = rightmost >> kShift;
        open.assign(static_cast<std::size_t>(t1 - t0 + 1), 0);
        bool anyOpen = false;
        const double tileY = map.y0() + ((tileRow << kShift) + kTile / 2) * cell - a.y;
        for (int t = t0; t <= t1; ++t) {
            const double tileX = map.x0() + ((t << kShift) + kTile / 2) * cell - a.x;
            const double near = std::max(0.0, distanceToPath(l, tileX, tileY) - halfTile);
            const double reach = l.zlow + (near < radius ? cutter.profile(near) : 0.0);
            if (reach < ceilings.ceiling(map, t, tileRow))
                open[static_cast<std::size_t>(t - t0)] = 1, anyOpen = true;
        }
        if (!anyOpen)
            continue;
        for (int row = r0; row <= r1; ++row) {
            const int c0 = spanFrom[row - r0], c1 = spanTo[row - r0];
            float* heights = map.rowData(row);
            const double y = map.rowY(row) - a.y;
            for (int t = std::max(t0, c0 >> kShift); c0 <= c1 && t <= (c1 >> kShift); ++t) {
                uint8_t& state = open[static_cast<std::size_t>(t - t0)];
                if (state == 0)
                    continue;
                const int from = std::max(c0, t << kShift), to = std::min(c1, (t << kShift) + kTile - 1);
                if (cutRun(heights, from, to, map, cutter, l, a, y, found))
                    state = 2;
            }
        }
        for (int t = t0; t <= t1; ++t)
            if (open[static_cast<std::size_t>(t - t0)] == 2)
                ceilings.markStale(t, tileRow);
    }
    if (found.deepest > 0)
        found.lowered = true;
    effect.merge(found);
}

} // namespace sim
