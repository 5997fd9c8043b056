#include "nc/compensation/offsettrack.h"

namespace {

constexpr double kTwoPi = 6.283185307179586;

// Points of a circle and a line through p along unit direction d.
int lineandcircle(Vec2 p, Vec2 d, Vec2 c, double r, Vec2 out[2]) {
    const Vec2 foot = p + dot(c - p, d) * d;
    const double h2 = r * r - dot(foot - c, foot - c);
    if (!(h2 >= 0)) return 0;
    const double h = std::sqrt(h2);
    out[0] = foot + h * d;
    out[1] = foot - h * d;
    return 2;
}

int twocircles(Vec2 c1, double r1, Vec2 c2, double r2, Vec2 out[2]) {
    const Vec2 between = c2 - c1;
    const double d = length(between);
    if (!(d > 0)) return 0;
    const double a = (r1 * r1 - r2 * r2 + d * d) / (2 * d);
    const double h2 = r1 * r1 - a * a;
    if (!(h2 >= 0)) return 0;
    const Vec2 unit = (1 / d) * between;
    const Vec2 mid = c1 + a * unit;
    const double h = std::sqrt(h2);
    out[0] = mid + h * leftof(unit);
    out[1] = mid - h * leftof(unit);
    return 2;
}

}  // namespace

double OffsetTrack::along(Vec2 p) const {
    if (!arc) return dot(p - start, direction);
    const Vec2 from = start - centre, to = p - centre;
    // A point on the start itself must not come out a whole turn on.
    if (length(p - start) <= 1e-12 * (1 + radius)) return 0;
    double angle = turn * std::atan2(cross(from, to), dot(from, to));
    if (angle < 0) angle += kTwoPi;
    return angle;
}

double OffsetTrack::span() const {
    if (!arc) return along(end);
    const double last = closed && length(end - start) <= 1e-12 * (1 + radius) ? kTwoPi : along(end);
    return last + moreturns;
}

bool trackmeet(const OffsetTrack& a, const OffsetTrack& b, Vec2 near, Vec2& at) {
    Vec2 points[2];
    int count = 0;
    if (!a.arc && !b.arc) {
        const double across = cross(a.direction, b.direction);
        if (std::fabs(across) < 1e-12) return false;
        const double t = cross(b.start - a.start, b.direction) / across;
        at = a.start + t * a.direction;
        return finite(at);
    }
    if (!a.arc) {
        count = lineandcircle(a.start, a.direction, b.centre, b.radius, points);
    } else if (!b.arc) {
        count = lineandcircle(b.start, b.direction, a.centre, a.radius, points);
    } else {
        count = twocircles(a.centre, a.radius, b.centre, b.radius, points);
    }
    if (count == 0) return false;
    at = length(points[0] - near) <= length(points[1] - near) ? points[0] : points[1];
    return finite(at);
}
