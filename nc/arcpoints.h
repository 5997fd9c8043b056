#pragma once
// The chord points of an arc as readings draw it: turns - 1 whole turns before the last
// part, each turn as two halves, 50 chords to a whole turn; the axis across the plane climbs
// with the angle turned, so that a helix is drawn as one. point(x, y, z) gets every chord
// end, the last one exactly at the end.

#include <cmath>
#include <cstdint>

#include "nc/arcgeometry.h"

// first, second, across: the plane's axes and the one across it, as indices 0 (X) to 2 (Z).
template <typename Point>
void arcpoints(int first, int second, int across, int32_t motion, const double start[3], const double target[3],
               double centrefirst, double centresecond, int64_t turns, Point&& point) {
    constexpr double kPi = 3.141592653589793;
    const double s1 = start[first], s2 = start[second], sacross = start[across];
    const double e1 = target[first], e2 = target[second];
    const bool closed = s1 == e1 && s2 == e2;
    double sweep = 0;
    if (!closed) {
        const double a0 = AT(s1 - centrefirst, s2 - centresecond);
        double a1 = AT(e1 - centrefirst, e2 - centresecond);
        if (motion == 2 && a1 > a0) a1 -= 2 * kPi;
        if (motion == 3 && a1 < a0) a1 += 2 * kPi;
        sweep = std::fabs(a1 - a0);
    }
    const int64_t wholeturns = closed ? turns : turns - 1;
    const double total = 2 * kPi * static_cast<double>(wholeturns) + sweep;
    const double rise = target[across] - sacross;
    const int64_t pieces = 2 * wholeturns + (closed ? 0 : 1);
    int64_t piecesdone = 0;
    double done = 0;
    double at[3] = {start[0], start[1], start[2]};
    // Each piece runs from where the last one ended.
    auto piece = [&](double f1, double f2, double pieceangle) {
        const double b1 = at[first], b2 = at[second];
        ChordList chords;
        const int32_t n = DrawCircleSeg(motion, 0, b1, b2, centrefirst - b1, centresecond - b2, f1, f2, chords);
        const bool last = ++piecesdone == pieces;
        for (int32_t k = 1; k <= n; ++k) {
            if (last && k == n) {
                for (int a = 0; a < 3; ++a) at[a] = target[a];
                point(at[0], at[1], at[2]);
                break;
            }
            const double angle = done + pieceangle * k / n;
            at[first] = chords.first[static_cast<size_t>(k)];
            at[second] = chords.second[static_cast<size_t>(k)];
            at[across] = total > 0 ? sacross + rise * (angle / total) : sacross;
            point(at[0], at[1], at[2]);
        }
        done += pieceangle;
    };
    const double opposite1 = 2 * centrefirst - s1, opposite2 = 2 * centresecond - s2;
    for (int64_t t = 0; t < wholeturns; ++t) {
        // The generator takes an arc back to its start for none.
        piece(opposite1, opposite2, kPi);
        piece(s1, s2, kPi);
    }
    if (!closed) piece(e1, e2, sweep);
}
