#pragma once
// The contour as the program gives it, where compensation drew the tool's centre beside it.
// It lives beside the nodes, not in them: a program without compensation pays nothing, and a
// node stays 32 bytes. The ends of the moves come in pieces of connected points; an arc keeps
// its centre and is cut into chords only when it is drawn, so keeping the contour costs the
// reading one point a move. Each point knows how many nodes there were when it was read, so a
// drawing of part of the toolpath shows the contour only as far as that part.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "nc/arcpoints.h"

struct ContourPoint {
    float x, y, z;  // what GL draws; the nodes keep the exact values
    int32_t node;   // the node count when it was read, never decreasing along the points
};

// The move that ends at points()[point] is an arc.
struct ContourArc {
    size_t point;
    double centre[2];
    int64_t turns;
    int8_t first, second;  // the plane's axes, 0 (X) to 2 (Z)
    int8_t motion;         // 2 clockwise, 3 counter-clockwise
};

class ProgrammedContour {
  public:
    // A contour of more points than this is drawn only as far as it (256 MB of points: a
    // viewer aid must not cost the memory the toolpath needs).
    static constexpr size_t kMaxPoints = size_t{1} << 24;

    // Empties the contour for the next reading, keeping its room.
    void clear();
    // After a reading: the room goes back where the program did not use compensation.
    void giveback();
    void straight(const double from[3], const double to[3], int32_t node);
    // An arc in the plane of the axes first and second, motion 2 (clockwise) or 3 about the
    // centre, turns - 1 whole turns before the last part.
    void arc(int first, int second, int32_t motion, const double from[3], const double to[3],
             double centrefirst, double centresecond, int64_t turns, int32_t node);

    bool empty() const { return points_.empty(); }
    const std::vector<ContourPoint>& points() const { return points_; }
    // Where each piece begins in points(), in order.
    const std::vector<size_t>& pieces() const { return pieces_; }
    const std::vector<ContourArc>& arcs() const { return arcs_; }

    // Walks the line through points from .. to - 1: start() where a line begins (a new piece,
    // or from), then point(x, y, z) for each point, arcs cut into the toolpath's chords.
    template <typename Start, typename Point>
    void walk(size_t from, size_t to, Start&& start, Point&& point) const;

  private:
    bool startat(const double from[3], int32_t node);
    bool add(double x, double y, double z, int32_t node);

    std::vector<ContourPoint> points_;
    std::vector<size_t> pieces_;
    std::vector<ContourArc> arcs_;
};

template <typename Start, typename Point>
void ProgrammedContour::walk(size_t from, size_t to, Start&& start, Point&& point) const {
    to = std::min(to, points_.size());
    auto piece = std::lower_bound(pieces_.begin(), pieces_.end(), from);
    auto arc = std::lower_bound(arcs_.begin(), arcs_.end(), from,
                                [](const ContourArc& a, size_t i) { return a.point < i; });
    for (size_t i = from; i < to; ++i) {
        const ContourPoint& p = points_[i];
        const bool newpiece = piece != pieces_.end() && *piece == i;
        if (newpiece) ++piece;
        while (arc != arcs_.end() && arc->point < i) ++arc;
        if (i == from || newpiece) {
            start();
        } else if (arc != arcs_.end() && arc->point == i) {
            const ContourPoint& q = points_[i - 1];
            const double a[3] = {q.x, q.y, q.z}, b[3] = {p.x, p.y, p.z};
            arcpoints(arc->first, arc->second, 3 - arc->first - arc->second, arc->motion, a, b, arc->centre[0],
                      arc->centre[1], arc->turns, point);
            continue;
        }
        point(p.x, p.y, p.z);
    }
}
