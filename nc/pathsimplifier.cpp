#include "nc/pathsimplifier.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "nc/nodestore.h"
#include "nc/palette.h"

namespace {

constexpr int32_t kCancelPoll = 1 << 14;

struct Vec {
    double x, y, z;
};

Vec minus(const Tnodedata& a, const Tnodedata& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
double dot(const Vec& a, const Vec& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// The directions from the run's anchor along which a chord passes within the tolerance of
// every node seen so far. The true set is an intersection of circular cones (one per node,
// half-angle asin(tolerance / distance)); it is kept as one circular cone inscribed in that
// intersection, so a chord it admits is always good and the test costs the same at every node.
class ChordCone {
  public:
    void reset() {
        open_ = true;
        empty_ = false;
        farthest_ = 0.0;
    }

    // The chord from the anchor to a node at offset v (length r) keeps every node seen so far
    // within the tolerance. A chord shorter than the farthest node seen would leave that node
    // past its end (the path doubled back), so it is refused as well.
    bool open() const { return open_; }
    bool admits(const Vec& v, double r) const {
        if (open_) return true;
        if (empty_ || !(r >= farthest_)) return false;
        return dot(v, axis_) >= r * cosangle_;
    }

    // Narrows the cone by a node at offset v, length r, more than the tolerance away.
    void narrow(const Vec& v, double r, double tolerance) {
        farthest_ = std::max(farthest_, r);
        const Vec u{v.x / r, v.y / r, v.z / r};
        const double angle = std::asin(std::min(1.0, tolerance / r));
        if (open_) {
            set(u, angle);
            open_ = false;
            return;
        }
        const double between = std::acos(std::clamp(dot(u, axis_), -1.0, 1.0));
        if (!(between <= angle_ + angle)) {
            empty_ = true;  // no chord serves both (NaN lands here too)
        } else if (between + angle <= angle_) {
            set(u, angle);  // the new cone lies inside the old one
        } else if (between + angle_ <= angle) {
            // The old cone lies inside the new one: nothing changes.
        } else {
            // The lens between the two cones, on the great circle through both axes, runs from
            // (between - angle) to angle_ measured from the old axis; its middle is the new axis.
            const double half = 0.5 * (angle_ + angle - between);
            const double from = angle_ - half;
            const double s = std::sin(between);
            if (!(s > 1e-12)) {
                set(angle < angle_ ? u : axis_, std::min(angle, angle_));
                return;
            }
            const double ka = std::sin(between - from) / s;
            const double kb = std::sin(from) / s;
            Vec axis{ka * axis_.x + kb * u.x, ka * axis_.y + kb * u.y, ka * axis_.z + kb * u.z};
            const double length = std::sqrt(dot(axis, axis));
            axis = {axis.x / length, axis.y / length, axis.z / length};
            set(axis, half);
        }
    }

  private:
    void set(const Vec& axis, double angle) {
        axis_ = axis;
        angle_ = angle;
        cosangle_ = std::cos(angle);
    }

    bool open_ = true;    // no node has been farther than the tolerance: any chord serves
    bool empty_ = false;  // no chord serves
    double farthest_ = 0.0;
    Vec axis_{0, 0, 1};
    double angle_ = 0.0;
    double cosangle_ = 1.0;
};

// Nodes that must survive as they are: colour changes (both sides) and rapid ends.
bool colourchange(const Tnodedata& a, const Tnodedata& b) { return a.color != b.color; }

}  // namespace

SimplifyOutcome simplifynodes(const NodeStore& nodes, double tolerance, size_t mostkept,
                              std::vector<int32_t>& kept, const std::atomic<bool>* cancel) {
    kept.clear();
    const int32_t count = nodes.nodecount();
    if (count <= 0) return SimplifyOutcome::Done;
    // A tolerance that is not a finite positive number keeps only what must be kept exactly.
    const double tol = std::isfinite(tolerance) && tolerance > 0.0 ? tolerance : 0.0;
    const double tolsquared = tol * tol;
    try {
        auto keep = [&](int32_t i) {
            if (kept.size() >= mostkept) return false;
            kept.push_back(i);
            return true;
        };
        if (!keep(0)) return SimplifyOutcome::TooMany;
        int32_t anchor = 0;
        const Tnodedata* anchornode = &nodes.node(0);
        ChordCone cone;
        cone.reset();
        for (int32_t j = 1; j < count; ++j) {
            if ((j & (kCancelPoll - 1)) == 0 && cancel != nullptr &&
                cancel->load(std::memory_order_relaxed)) {
                return SimplifyOutcome::Cancelled;
            }
            const Tnodedata& node = nodes.node(j);
            const Tnodedata& previous = nodes.node(j - 1);
            if (colourchange(previous, node)) {
                // The joint of the colour change sits on the previous node.
                if (j - 1 != anchor && !keep(j - 1)) return SimplifyOutcome::TooMany;
                if (!keep(j)) return SimplifyOutcome::TooMany;
                anchor = j;
                anchornode = &node;
                cone.reset();
                continue;
            }
            if (node.color == kRapidColorIndex) {
                if (!keep(j)) return SimplifyOutcome::TooMany;
                anchor = j;
                anchornode = &node;
                cone.reset();
                continue;
            }
            Vec v = minus(node, *anchornode);
            double r2 = dot(v, v);
            if (j - 1 != anchor && !cone.open() && !cone.admits(v, std::sqrt(r2))) {
                // The run ends at the previous node; this node starts the next chord.
                if (!keep(j - 1)) return SimplifyOutcome::TooMany;
                anchor = j - 1;
                anchornode = &previous;
                cone.reset();
                v = minus(node, previous);
                r2 = dot(v, v);
            }
            if (!(r2 <= tolsquared)) {
                // Farther than the tolerance from the anchor (or not a number): later chords
                // must pass near it. A node within the tolerance of the anchor is near every
                // chord from there.
                if (!std::isfinite(r2)) {
                    if (j - 1 != anchor && !keep(j - 1)) return SimplifyOutcome::TooMany;
                    if (!keep(j)) return SimplifyOutcome::TooMany;
                    anchor = j;
                    anchornode = &node;
                    cone.reset();
                    continue;
                }
                cone.narrow(v, std::sqrt(r2), tol);
            }
        }
        if (kept.back() != count - 1 && !keep(count - 1)) return SimplifyOutcome::TooMany;
    } catch (const std::bad_alloc&) {
        kept.clear();
        kept.shrink_to_fit();
        return SimplifyOutcome::TooMany;
    }
    return SimplifyOutcome::Done;
}

double pixelworldsize(double viewscale, int pixelheight) {
    return 2.0 * viewscale / static_cast<double>(std::max(1, pixelheight));
}

int chooselevel(const std::vector<double>& tolerances, double pixelsize, double pixels) {
    const double most = pixelsize * pixels;
    for (size_t k = 0; k < tolerances.size(); ++k) {
        if (tolerances[k] <= most) return static_cast<int>(k);
    }
    return -1;
}
