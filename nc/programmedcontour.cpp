#include "nc/programmedcontour.h"

#include <cmath>

void ProgrammedContour::clear() {
    // The room stays for a reading that uses it again: growing a contour of millions of points
    // afresh costs a compensated re-read a tenth of its time.
    points_.clear();
    pieces_.clear();
    arcs_.clear();
}

void ProgrammedContour::giveback() {
    if (!points_.empty()) return;
    std::vector<ContourPoint>().swap(points_);
    std::vector<size_t>().swap(pieces_);
    std::vector<ContourArc>().swap(arcs_);
}

bool ProgrammedContour::startat(const double from[3], int32_t node) {
    const auto x = static_cast<float>(from[0]), y = static_cast<float>(from[1]), z = static_cast<float>(from[2]);
    if (!points_.empty()) {
        const ContourPoint& last = points_.back();
        if (last.x == x && last.y == y && last.z == z) return true;
    }
    const size_t at = points_.size();
    if (!add(from[0], from[1], from[2], node)) return false;
    pieces_.push_back(at);
    return true;
}

bool ProgrammedContour::add(double x, double y, double z, int32_t node) {
    // Coordinates a float cannot hold would draw lines to infinity.
    const auto fx = static_cast<float>(x), fy = static_cast<float>(y), fz = static_cast<float>(z);
    if (!std::isfinite(fx) || !std::isfinite(fy) || !std::isfinite(fz) || points_.size() >= kMaxPoints) {
        return false;
    }
    points_.push_back({fx, fy, fz, node});
    return true;
}

void ProgrammedContour::straight(const double from[3], const double to[3], int32_t node) {
    if (startat(from, node)) add(to[0], to[1], to[2], node);
}

void ProgrammedContour::arc(int first, int second, int32_t motion, const double from[3], const double to[3],
                            double centrefirst, double centresecond, int64_t turns, int32_t node) {
    // A centre that cannot be drawn leaves the arc as its chord.
    if (!startat(from, node) || !add(to[0], to[1], to[2], node) || !std::isfinite(centrefirst) ||
        !std::isfinite(centresecond)) {
        return;
    }
    arcs_.push_back({points_.size() - 1, {centrefirst, centresecond}, turns, static_cast<int8_t>(first),
                     static_cast<int8_t>(second), static_cast<int8_t>(motion)});
}
