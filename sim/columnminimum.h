#pragma once
// The lowest point of a cutter's surface over one column while the tip runs along a straight
// move. Over a column, the surface's height is a convex function of the tip's position along
// the move (a rising or falling line plus the cutter's profile at a distance that is convex in
// the position), so the minimum is the stationary point clamped to the stretch of the move
// that covers the column. The stationary point has a closed form for every shape but the
// bull nose, whose torus needs a root found by halving.

#include <algorithm>
#include <cmath>
#include <limits>

#include "sim/cutter.h"

namespace sim {

inline constexpr double kNoCut = std::numeric_limits<double>::infinity();

// One move laid out for the per-column minimisation: the tip at (start + t u, za + slope t),
// 0 <= t <= length, in coordinates relative to the move's start.
struct MoveLayout {
    double ux = 1, uy = 0, length = 0, slope = 0, za = 0, zlow = 0;
    bool plunge = false;  // no horizontal travel worth a direction
    // Per shape: for a ball, h = lean * w; for a cone, h = lean * p (infinite when the move is
    // steeper than the flank: the minimum is then at an end of the covered stretch).
    double lean = 0;
};

MoveLayout layoutMove(const Cutter& cutter, double ax, double ay, double az, double bx, double by,
                      double bz);

// The bull nose's stationary offset along the move, for a column p2 (squared) to the side.
double bullNoseOffset(const Cutter& c, double slope, double p2, double w);

template <CutterKind K>
inline double profileSquared(const Cutter& c, double r2)
{
    if constexpr (K == CutterKind::Flat) {
        (void)c, (void)r2;
        return 0;
    } else if constexpr (K == CutterKind::Ball) {
        return c.radius - std::sqrt(std::max(0.0, c.radius * c.radius - r2));
    } else if constexpr (K == CutterKind::BullNose) {
        return c.profile(std::sqrt(r2));
    } else {
        return c.coneSlope * std::min(std::sqrt(r2), c.radius);
    }
}

// Lowest cutter height over a column `along` the move and p2 (squared) across it; kNoCut when
// the cutter never covers it.
template <CutterKind K>
inline double lowestAt(const Cutter& c, const MoveLayout& l, double along, double p2)
{
    const double w2 = c.radius * c.radius - p2;
    if (w2 < 0)
        return kNoCut;
    if (l.plunge) {
        const double r2 = along * along + p2;
        return r2 <= c.radius * c.radius ? l.zlow + profileSquared<K>(c, r2) : kNoCut;
    }
    const double w = std::sqrt(w2);
    const double lo = std::max(0.0, along - w);
    const double hi = std::min(l.length, along + w);
    if (lo > hi)
        return kNoCut;
    if (l.slope == 0) {
        const double h = along - std::clamp(along, lo, hi);
        return l.za + profileSquared<K>(c, p2 + h * h);
    }
    if constexpr (K == CutterKind::Flat) {
        return l.za + l.slope * (l.slope > 0 ? lo : hi);
    } else {
        double t;
        if constexpr (K == CutterKind::Ball) {
            t = std::clamp(along - l.lean * w, lo, hi);
        } else if constexpr (K == CutterKind::BullNose) {
            t = std::clamp(along - bullNoseOffset(c, l.slope, p2, w), lo, hi);
        } else if (std::isinf(l.lean)) {
            t = l.slope > 0 ? lo : hi;  // steeper than the flank: lowest at an end
        } else {
            t = std::clamp(along - l.lean * std::sqrt(p2), lo, hi);
        }
        const double h = along - t;
        return l.za + l.slope * t + profileSquared<K>(c, p2 + h * h);
    }
}

inline double lowestAtAny(const Cutter& c, const MoveLayout& l, double along, double p2)
{
    switch (c.kind) {
    case CutterKind::Flat:
        return lowestAt<CutterKind::Flat>(c, l, along, p2);
    case CutterKind::Ball:
        return lowestAt<CutterKind::Ball>(c, l, along, p2);
    case CutterKind::BullNose:
        return lowestAt<CutterKind::BullNose>(c, l, along, p2);
    case CutterKind::Vee:
    case CutterKind::Drill:
        return lowestAt<CutterKind::Vee>(c, l, along, p2);
    }
    return kNoCut;
}

} // namespace sim
