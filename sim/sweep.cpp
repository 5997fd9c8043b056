#include "sim/sweep.h"

#include "sim/columnminimum.h"

#include <algorithm>
#include <cmath>

namespace sim {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
// Below this horizontal length a move is a plunge: its direction is noise.
constexpr double kPlungeLength = 1e-9;

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

// The x range [from, to] where the row at height y (relative to the move's start) meets the
// cutter's footprint: two end discs and the band between them, a convex shape.
bool rowSpan(const MoveLayout& l, double radius, double y, double bx, double by, double& from, double& to)
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

MoveLayout layoutMove(const Cutter& cutter, double ax, double ay, double az, double bx, double by,
                      double bz)
{
    MoveLayout l;
    const double dx = bx - ax, dy = by - ay;
    l.length = std::sqrt(dx * dx + dy * dy);
    l.za = az;
    l.zlow = std::min(az, bz);
    l.plunge = !(l.length > kPlungeLength);
    if (l.plunge)
        return l;
    l.ux = dx / l.length;
    l.uy = dy / l.length;
    l.slope = (bz - az) / l.length;
    const double s = l.slope;
    if (cutter.kind == CutterKind::Ball) {
        l.lean = s / std::sqrt(1 + s * s);
    } else if (cutter.kind == CutterKind::Vee || cutter.kind == CutterKind::Drill) {
        const double k = cutter.coneSlope;
        l.lean = std::abs(s) < k ? s / std::sqrt(k * k - s * s) : (s > 0 ? kInfinity : -kInfinity);
    }
    return l;
}

double bullNoseOffset(const Cutter& c, double slope, double p2, double w)
{
    // No closed form for the torus: halve the bracket down to rounding (the function is
    // monotone, so this converges on the exact root; it does not sample the move).
    double lo = 0, hi = w;
    const double target = std::abs(slope);
    for (int i = 0; i < 60 && hi - lo > 1e-12 * (1 + w); ++i) {
        const double mid = 0.5 * (lo + hi);
        (bullNoseTurn(c, p2, mid) < target ? lo : hi) = mid;
    }
    return slope > 0 ? hi : -hi;
}

void SweepEffect::merge(const SweepEffect& other)
{
    deepest = std::max(deepest, other.deepest);
    highestLowered = std::max(highestLowered, other.highestLowered);
    lowered = lowered || other.lowered;
}

double lowestOver(const Cutter& cutter, const Point3& a, const Point3& b, double x, double y)
{
    const MoveLayout l = layoutMove(cutter, a.x, a.y, a.z, b.x, b.y, b.z);
    const double dx = x - a.x, dy = y - a.y;
    const double along = l.plunge ? dx : dx * l.ux + dy * l.uy;
    const double across = l.plunge ? dy : dy * l.ux - dx * l.uy;
    return lowestAtAny(cutter, l, along, across * across);
}

namespace {

// Lowers the cells [from, to] of one row, y above the move's start. With Tell, also says how
// deep and from how high it cut and returns whether any cell went down; without, it only
// lowers (a loop the compiler can turn into vector minimums) and returns true.
template <CutterKind K, bool Tell>
bool cutRun(float* heights, int from, int to, const HeightMap& map, const Cutter& cutter,
            const MoveLayout& l, const Point3& a, double y, SweepEffect& found)
{
    const float bottom = map.bottom();
    bool lowered = !Tell;
    float deepest = found.deepest, highest = found.highestLowered;
    auto lower = [&](int c, float z) {
        const float old = heights[c];
        if constexpr (Tell) {
            if (z < old) {
                deepest = std::max(deepest, old - z);
                highest = std::max(highest, old);
                heights[c] = z;
                lowered = true;
            }
        } else {
            heights[c] = z < old ? z : old;
        }
    };
    if (K == CutterKind::Flat && l.slope == 0 && !l.plunge) {
        // A level flat end mill leaves its own height everywhere under it.
        const float z = std::max(bottom, static_cast<float>(l.za));
        for (int c = from; c <= to; ++c)
            lower(c, z);
    } else if (K == CutterKind::Flat && !Tell && !l.plunge) {
        // A ramping flat end mill: lowest where its edge last (going down) or first (going up)
        // covers the cell. Written without branches, so it runs on the vector unit.
        const double x = map.columnX(from) - a.x;
        const double along0 = x * l.ux + y * l.uy, across0 = y * l.ux - x * l.uy;
        const double alongStep = map.cell() * l.ux, acrossStep = -map.cell() * l.uy;
        const double r2 = cutter.radius * cutter.radius;
        const double rising = l.slope > 0 ? 1.0 : 0.0;
        for (int c = from; c <= to; ++c) {
            const double along = along0 + (c - from) * alongStep;
            const double across = across0 + (c - from) * acrossStep;
            const double w2 = r2 - across * across;
            const double w = std::sqrt(w2 > 0 ? w2 : 0.0);
            const double lo = std::max(0.0, along - w), hi = std::min(l.length, along + w);
            const double t = rising * lo + (1 - rising) * hi;
            const float z = std::max(bottom, static_cast<float>(l.za + l.slope * t));
            const float old = heights[c];
            heights[c] = (w2 >= 0 && lo <= hi && z < old) ? z : old;
        }
    } else {
        // Along and across grow by a fixed step from cell to cell.
        const double x = map.columnX(from) - a.x;
        double along = l.plunge ? x : x * l.ux + y * l.uy;
        double across = l.plunge ? y : y * l.ux - x * l.uy;
        const double alongStep = l.plunge ? map.cell() : map.cell() * l.ux;
        const double acrossStep = l.plunge ? 0 : -map.cell() * l.uy;
        for (int c = from; c <= to; ++c, along += alongStep, across += acrossStep) {
            const double lowest = lowestAt<K>(cutter, l, along, across * across);
            if (lowest < heights[c])
                lower(c, std::max(bottom, static_cast<float>(lowest)));
        }
    }
    found.deepest = deepest;
    found.highestLowered = highest;
    return lowered;
}

template <bool Tell>
bool cutRunOf(float* heights, int from, int to, const HeightMap& map, const Cutter& cutter,
              const MoveLayout& l, const Point3& a, double y, SweepEffect& found)
{
    switch (cutter.kind) {
    case CutterKind::Flat:
        return cutRun<CutterKind::Flat, Tell>(heights, from, to, map, cutter, l, a, y, found);
    case CutterKind::Ball:
        return cutRun<CutterKind::Ball, Tell>(heights, from, to, map, cutter, l, a, y, found);
    case CutterKind::BullNose:
        return cutRun<CutterKind::BullNose, Tell>(heights, from, to, map, cutter, l, a, y, found);
    case CutterKind::Vee:
    case CutterKind::Drill:
        return cutRun<CutterKind::Vee, Tell>(heights, from, to, map, cutter, l, a, y, found);
    }
    return false;
}

// A cell index from a position in cells, kept within [low, high] before it becomes an int: a
// move far off a fine grid lies billions of cells away.
int toIndex(double cells, int low, int high)
{
    if (!(cells > low))
        return low;
    return cells < high ? static_cast<int>(cells) : high;
}

// Squared horizontal distance from (x, y) to the move's path, both relative to its start.
double distanceToPathSquared(const MoveLayout& l, double x, double y)
{
    const double along = l.plunge ? 0.0 : std::clamp(x * l.ux + y * l.uy, 0.0, l.length);
    const double dx = x - along * l.ux, dy = y - along * l.uy;
    return dx * dx + dy * dy;
}

} // namespace

void sweepRows(HeightMap& map, TileCeilings& ceilings, int rowBegin, int rowEnd,
               const Cutter& cutter, const Point3& a, const Point3& b, SweepEffect& effect, bool tell)
{
    constexpr int kShift = TileCeilings::kShift, kTile = TileCeilings::kSize;
    const double cell = map.cell();
    const double radius = cutter.radius;
    const MoveLayout l = layoutMove(cutter, a.x, a.y, a.z, b.x, b.y, b.z);
    // Rows whose centres the footprint's bounding box reaches.
    const double ylo = std::min(a.y, b.y) - radius, yhi = std::max(a.y, b.y) + radius;
    const int first = toIndex(std::ceil((ylo - map.y0()) / cell - 0.5), rowBegin, rowEnd);
    const int last = toIndex(std::floor((yhi - map.y0()) / cell - 0.5), rowBegin - 1, rowEnd - 1);
    if (first > last)
        return;
    const double bx = b.x - a.x, by = b.y - a.y;
    const double halfTile = kTile * cell * 0.7072;  // half a tile's diagonal, rounded up
    const double perCell = 1 / cell;
    const double reachable2 = (radius + halfTile) * (radius + halfTile);
    thread_local std::vector<uint8_t> open;
    SweepEffect found;
    for (int tileRow = first >> kShift; tileRow <= last >> kShift; ++tileRow) {
        const int r0 = std::max(first, tileRow << kShift);
        const int r1 = std::min(last, (tileRow << kShift) + kTile - 1);
        // The footprint's x extent over the tile row's strip: a convex shape is widest at the
        // strip's edges or at its own extremes, the end discs' centre lines.
        double stripFrom = kInfinity, stripTo = -kInfinity;
        const double y0 = map.rowY(r0) - a.y, y1 = map.rowY(r1) - a.y;
        for (double y : {y0, y1, 0.0, by}) {
            double from, to;
            if (y >= y0 && y <= y1 && rowSpan(l, radius, y, bx, by, from, to))
                stripFrom = std::min(stripFrom, from), stripTo = std::max(stripTo, to);
        }
        if (!(stripFrom <= stripTo))
            continue;
        const int leftmost = toIndex(std::floor((stripFrom + a.x - map.x0()) * perCell - 0.5), 0, map.columns());
        const int rightmost = toIndex(std::ceil((stripTo + a.x - map.x0()) * perCell - 0.5), -1, map.columns() - 1);
        if (leftmost > rightmost)
            continue;
        // A tile whose highest cell lies at or under the lowest the cutter can reach over the
        // tile keeps every cell; so does one the cutter does not reach.
        const int t0 = leftmost >> kShift, t1 = rightmost >> kShift;
        open.assign(static_cast<std::size_t>(t1 - t0 + 1), 0);
        bool anyOpen = false;
        const double tileY = map.y0() + ((tileRow << kShift) + kTile / 2) * cell - a.y;
        for (int t = t0; t <= t1; ++t) {
            const double tileX = map.x0() + ((t << kShift) + kTile / 2) * cell - a.x;
            const double d2 = distanceToPathSquared(l, tileX, tileY);
            if (d2 > reachable2)
                continue;
            const double reach = cutter.kind == CutterKind::Flat
                                     ? l.zlow
                                     : l.zlow + cutter.profile(std::max(0.0, std::sqrt(d2) - halfTile));
            if (reach < ceilings.ceiling(map, t, tileRow))
                open[static_cast<std::size_t>(t - t0)] = 1, anyOpen = true;
        }
        if (!anyOpen)
            continue;
        int spanFrom[kTile], spanTo[kTile];
        for (int row = r0; row <= r1; ++row) {
            int& c0 = spanFrom[row - r0];
            int& c1 = spanTo[row - r0];
            double from, to;
            c0 = 0, c1 = -1;
            if (!rowSpan(l, radius, map.rowY(row) - a.y, bx, by, from, to))
                continue;
            c0 = toIndex(std::ceil((from + a.x - map.x0()) * perCell - 0.5), leftmost, rightmost + 1);
            c1 = toIndex(std::floor((to + a.x - map.x0()) * perCell - 0.5), leftmost - 1, rightmost);
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
                if (tell ? cutRunOf<true>(heights, from, to, map, cutter, l, a, y, found)
                         : cutRunOf<false>(heights, from, to, map, cutter, l, a, y, found))
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
