#include "nc/compensation/cuttercompensation.h"

#include <cstdio>

namespace {

constexpr double kTwoPi = 6.283185307179586;

std::string length3(double v) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, std::fabs(v) < 1e9 ? "%.3f" : "%.3g", v);
    return buffer;
}

Vec2 unit(Vec2 v) {
    return (1 / length(v)) * v;
}

}  // namespace

void CutterCompensation::on(bool left, double radius, int first, int second, const double tool[3]) {
    off();
    side_ = left ? 1 : -1;
    radius_ = radius;
    first_ = first;
    second_ = second;
    across_ = 3 - first - second;
    tool_ = {tool[first], tool[second]};
    toolacross_ = tool[across_];
    mode_ = Mode::Entry;
    entrynamed_ = false;
}

void CutterCompensation::off() {
    if (mode_ == Mode::Held) release(track_.end);
    mode_ = Mode::Off;
}

void CutterCompensation::move(CompMove& m, const double from[3]) {
    if (mode_ == Mode::Off) return sink_.draw(m);
    const Vec2 p0{from[first_], from[second_]}, p1{m.end[first_], m.end[second_]};
    const Vec2 centre{m.centre[0], m.centre[1]};
    // An arc about its own start has no direction to offset by: it is drawn as a line.
    if (m.isarc() && !(dot(p0 - centre, p0 - centre) > 0)) m.motion = 1;
    const bool defined = finite(p0) && finite(p1) && std::isfinite(m.end[across_]) &&
                         (!m.isarc() || finite(centre));
    if (!defined) {
        if (mode_ == Mode::Held) release(track_.end);
        mode_ = Mode::Entry;
        return plain(m);
    }
    const bool still = !m.isarc() && p0.x == p1.x && p0.y == p1.y;
    if (mode_ == Mode::Entry) {
        if (still) return give(m, tool_);
        if (m.isarc()) {
            if (!entrynamed_) {
                sink_.problem(m.line, "compensation cannot start on an arc at line " + std::to_string(m.line));
            }
            entrynamed_ = true;
            return plain(m);
        }
        return entry(m, p1);
    }
    if (still) {
        waiting_.push_back(m);
        return;
    }
    join(m, p0, p1);
}

void CutterCompensation::entry(const CompMove& m, const Vec2& to) {
    // The tool goes straight to where that line touches the circle of the tool radius about
    // the programmed end: beside the end, square to the entry line.
    const double distance = length(to - tool_);
    if (!(distance > radius_)) {
        if (!entrynamed_) {
            sink_.problem(m.line, "gouge: entry move not longer than tool radius " + length3(radius_) +
                                      " at line " + std::to_string(m.line));
        }
        entrynamed_ = true;
        return plain(m);
    }
    const double theta = std::acos(radius_ / distance);
    const Vec2 back = tool_ - to;
    const double alpha = std::atan2(back.y, back.x) - side_ * theta;
    OffsetTrack track;
    track.start = tool_;
    track.end = to + radius_ * Vec2{std::cos(alpha), std::sin(alpha)};
    track.direction = unit(track.end - tool_);
    if (!finite(track.direction) || !finite(track.end)) return plain(m);
    hold(m, track, to, track.direction);
}

bool CutterCompensation::trackof(const CompMove& m, const Vec2& from, const Vec2& to, OffsetTrack& track,
                                 Vec2& starttangent, Vec2& endtangent) const {
    if (!m.isarc()) {
        track.direction = unit(to - from);
        starttangent = endtangent = track.direction;
        const Vec2 beside = side_ * radius_ * leftof(track.direction);
        track.start = from + beside;
        track.end = to + beside;
        return finite(track.start) && finite(track.end);
    }
    const Vec2 centre{m.centre[0], m.centre[1]};
    track.arc = true;
    track.centre = centre;
    track.turn = m.motion == 3 ? 1 : -1;
    // Left of a counter-clockwise arc is its inside: the track's radius shrinks there.
    const double shrink = side_ * track.turn * radius_;
    const double r0 = length(from - centre), r1 = length(to - centre);
    const double per0 = 1 / r0, per1 = 1 / r1;
    track.radius = r0 - shrink;
    const double endradius = r1 - shrink;
    starttangent = (track.turn * per0) * leftof(from - centre);
    endtangent = (track.turn * per1) * leftof(to - centre);
    if (!(track.radius > 1e-9 * r0) || !(endradius > 1e-9 * r1)) return false;
    track.start = centre + (track.radius * per0) * (from - centre);
    track.end = centre + (endradius * per1) * (to - centre);
    track.closed = from.x == to.x && from.y == to.y;
    track.moreturns = kTwoPi * static_cast<double>(m.turns - 1);
    return finite(track.start) && finite(track.end);
}

void CutterCompensation::join(const CompMove& m, const Vec2& from, const Vec2& to) {
    OffsetTrack next;
    Vec2 t2, endtangent;
    if (!trackof(m, from, to, next, t2, endtangent)) {
        if (!m.isarc()) {
            // Coordinates so large that their offset overflows: nothing to compensate by.
            release(track_.end);
            mode_ = Mode::Entry;
            return plain(m);
        }
        const double arcradius = length(from - Vec2{m.centre[0], m.centre[1]});
        return gouge(m, "inside arc of radius " + length3(arcradius) + " tighter than tool radius " +
                            length3(radius_), m.line);
    }
    const Vec2 a = track_.end, b = next.start;
    const Vec2 t1 = endtangent_;
    const double turning = cross(t1, t2);
    const double close = 1e-9 * (1 + radius_);
    if (dot(a - b, a - b) <= close * close) {
        release(a);
        next.start = a;
        return hold(m, next, to, endtangent);
    }
    const bool reversal = dot(t1, t2) < 0 && std::fabs(turning) < 1e-9;
    if (side_ * turning > 0 && !reversal) {
        // The tool is on the inside of the turn: both moves end where their tracks cross.
        Vec2 x;
        if (!trackmeet(track_, next, corner_, x)) {
            return gouge(m, "inside corner tighter than tool radius " + length3(radius_), m.line);
        }
        const double onheld = track_.along(x);
        if (!(onheld >= -close && onheld <= track_.span() + close)) {
            return gouge(m, "move too short for tool radius " + length3(radius_), held_.line);
        }
        const double onnext = next.along(x);
        if (!(onnext >= -close && onnext <= next.span() + close)) {
            return gouge(m, "move too short for tool radius " + length3(radius_), m.line);
        }
        release(x);
        next.start = x;
        return hold(m, next, to, endtangent);
    }
    // Outside the turn: around the programmed corner at the tool radius.
    release(a);
    CompMove corner = m;
    corner.turns = 1;
    corner.end[across_] = toolacross_;
    if (m.motion != 0) {
        corner.motion = side_ > 0 ? 2 : 3;
        corner.centre[0] = corner_.x;
        corner.centre[1] = corner_.y;
    }
    give(corner, b);
    hold(m, next, to, endtangent);
}

void CutterCompensation::hold(const CompMove& m, const OffsetTrack& track, const Vec2& to, const Vec2& endtangent) {
    held_ = m;
    track_ = track;
    corner_ = to;
    endtangent_ = endtangent;
    mode_ = Mode::Held;
    entrynamed_ = false;
}

void CutterCompensation::release(const Vec2& end) {
    // Cut back to its own start, an arc would otherwise be taken for a whole circle.
    if (held_.isarc() && !track_.closed && end.x == track_.start.x && end.y == track_.start.y) {
        held_.motion = 1;
    }
    give(held_, end);
    for (CompMove& w : waiting_) give(w, end);
    waiting_.clear();
}

void CutterCompensation::give(CompMove& m, const Vec2& end) {
    m.end[first_] = end.x;
    m.end[second_] = end.y;
    tool_ = end;
    toolacross_ = m.end[across_];
    sink_.draw(m);
}

void CutterCompensation::plain(const CompMove& m) {
    tool_ = {m.end[first_], m.end[second_]};
    toolacross_ = m.end[across_];
    sink_.draw(m);
}

void CutterCompensation::gouge(const CompMove& faulty, const std::string& what, int32_t line) {
    sink_.problem(line, "gouge: " + what + " at line " + std::to_string(line));
    release(track_.end);
    mode_ = Mode::Entry;
    // From beside the last good move an arc would be drawn about a centre it is not on: the
    // faulty move goes straight to its end, as an arc that cannot be made does.
    CompMove straight = faulty;
    if (straight.isarc()) straight.motion = 1;
    plain(straight);
}
