#pragma once
// Plane geometry of the tool centre's track beside one programmed move: a line or a circle,
// how far along it a point lies, and where two tracks meet.

#include <cmath>

struct Vec2 {
    double x = 0, y = 0;
};
inline Vec2 operator+(Vec2 a, Vec2 b) { return {a.x + b.x, a.y + b.y}; }
inline Vec2 operator-(Vec2 a, Vec2 b) { return {a.x - b.x, a.y - b.y}; }
inline Vec2 operator*(double k, Vec2 a) { return {k * a.x, k * a.y}; }
inline double dot(Vec2 a, Vec2 b) { return a.x * b.x + a.y * b.y; }
inline double cross(Vec2 a, Vec2 b) { return a.x * b.y - a.y * b.x; }
// Not hypot: it is several times slower, and lengths here never come near overflow.
inline double length(Vec2 a) { return std::sqrt(a.x * a.x + a.y * a.y); }
// A quarter turn counter-clockwise: the left of a direction.
inline Vec2 leftof(Vec2 a) { return {-a.y, a.x}; }
inline bool finite(Vec2 a) { return std::isfinite(a.x) && std::isfinite(a.y); }

struct OffsetTrack {
    bool arc = false;
    Vec2 start;      // where the tool begins on the track
    Vec2 end;        // where it ends when nothing cuts it short
    Vec2 direction;  // lines: unit direction of travel
    Vec2 centre;     // arcs
    double radius = 0;
    int turn = 1;           // arcs: +1 counter-clockwise, -1 clockwise
    double moreturns = 0;   // arcs: radians of whole turns before the last part
    bool closed = false;    // arcs: a whole circle, start and end on one point

    // How far along the track p lies from the start: length on a line (negative behind the
    // start), angle turned on an arc (0 up to a whole turn).
    double along(Vec2 p) const;
    // How far along the end lies.
    double span() const;
};

// The point where the two tracks meet nearest to `near`; false when they do not meet.
bool trackmeet(const OffsetTrack& a, const OffsetTrack& b, Vec2 near, Vec2& at);
