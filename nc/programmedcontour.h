#pragma once
// The contour as the program gives it, where compensation drew the tool's centre beside it.
// It lives beside the nodes, not in them: a program without compensation pays nothing, and a
// node stays 32 bytes. Points come in pieces of connected points; each point knows how many
// nodes there were when it was read, so a drawing of part of the toolpath shows the contour
// only as far as that part.

#include <cstddef>
#include <cstdint>
#include <vector>

struct ContourPoint {
    float x, y, z;  // what GL draws; the nodes keep the exact values
    int32_t node;   // the node count when it was read, never decreasing along the points
};

class ProgrammedContour {
  public:
    // A contour of more points than this is drawn only as far as it (256 MB of points: a
    // viewer aid must not cost the memory the toolpath needs).
    static constexpr size_t kMaxPoints = size_t{1} << 24;

    void clear();
    void straight(const double from[3], const double to[3], int32_t node);
    // An arc in the plane of the axes first and second, motion 2 (clockwise) or 3 about the
    // centre, turns - 1 whole turns before the last part, chords as the toolpath has them.
    void arc(int first, int second, int32_t motion, const double from[3], const double to[3],
             double centrefirst, double centresecond, int64_t turns, int32_t node);

    bool empty() const { return points_.empty(); }
    const std::vector<ContourPoint>& points() const { return points_; }
    // Where each piece begins in points(), in order.
    const std::vector<size_t>& pieces() const { return pieces_; }

  private:
    void startat(const double from[3], int32_t node);
    void add(double x, double y, double z, int32_t node);

    std::vector<ContourPoint> points_;
    std::vector<size_t> pieces_;
};
