#include "view/pick.h"

#include <algorithm>
#include <cmath>

#include "nc/nodestore.h"
#include "view/transform.h"

namespace {

double segmentdistance(double px, double py, double ax, double ay, double bx, double by) {
    const double dx = bx - ax;
    const double dy = by - ay;
    const double length2 = dx * dx + dy * dy;
    double t = 0;
    if (length2 > 0) t = std::clamp(((px - ax) * dx + (py - ay) * dy) / length2, 0.0, 1.0);
    return std::hypot(px - (ax + t * dx), py - (ay + t * dy));
}

// World to device pixels as the frame projects: the view turn about the centre, then the
// orthographic projection in which half the picture's height spans viewscale world units.
struct Projection {
    double m[2][3];
    double cx, cy, cz, k, halfw, halfh;

    explicit Projection(const PickView& view) {
        const ViewAngles angles{view.rotx, view.roty, view.rotz};
        for (int axis = 0; axis < 3; ++axis) {
            double v[3] = {axis == 0 ? 1.0 : 0.0, axis == 1 ? 1.0 : 0.0, axis == 2 ? 1.0 : 0.0};
            viewturn(angles, v[0], v[1], v[2]);
            m[0][axis] = v[0];
            m[1][axis] = v[1];
        }
        cx = view.centerx;
        cy = view.centery;
        cz = view.centerz;
        k = view.height / (2.0 * view.viewscale);
        halfw = view.width / 2.0;
        halfh = view.height / 2.0;
    }
    void project(double x, double y, double z, double& px, double& py) const {
        const double wx = x - cx, wy = y - cy, wz = z - cz;
        px = halfw + (m[0][0] * wx + m[0][1] * wy + m[0][2] * wz) * k;
        py = halfh - (m[1][0] * wx + m[1][1] * wy + m[1][2] * wz) * k;
    }
};

}  // namespace

void Picker::update(const NodeStore& nodes) {
    if (valid_ && nodes.lastnode() == lastnode_ && nodes.generation() == generation_) return;
    lastnode_ = nodes.lastnode();
    generation_ = nodes.generation();
    valid_ = true;
    const int32_t count = nodes.nodecount();
    const int32_t runs = count > 0 ? ((count - 1) >> kRunShift) + 1 : 0;
    spheres_.resize(static_cast<size_t>(runs));
    for (int32_t r = 0; r < runs; ++r) {
        // Run r holds the segments that end at its nodes, so it reaches back one node.
        const int32_t from = std::max<int32_t>(0, (r << kRunShift) - 1);
        const int32_t to = std::min<int32_t>(count - 1, ((r + 1) << kRunShift) - 1);
        double lo[3] = {HUGE_VAL, HUGE_VAL, HUGE_VAL};
        double hi[3] = {-HUGE_VAL, -HUGE_VAL, -HUGE_VAL};
        for (int32_t i = from; i <= to; ++i) {
            const Tnodedata& n = nodes.node(i);
            const double p[3] = {n.x, n.y, n.z};
            for (int a = 0; a < 3; ++a) {
                lo[a] = std::min(lo[a], p[a]);
                hi[a] = std::max(hi[a], p[a]);
            }
        }
        Sphere& s = spheres_[static_cast<size_t>(r)];
        s.x = (lo[0] + hi[0]) / 2;
        s.y = (lo[1] + hi[1]) / 2;
        s.z = (lo[2] + hi[2]) / 2;
        // NaN coordinates leave a NaN radius, which no test passes: those runs are never
        // picked, as they are never drawn where a pointer could be.
        s.radius = std::hypot(hi[0] - lo[0], hi[1] - lo[1], hi[2] - lo[2]) / 2;
    }
}

PickHit Picker::pick(const NodeStore& nodes, int32_t first, int32_t last, const PickView& view,
                     double x, double y) const {
    PickHit best;
    first = std::max(first, 0);
    last = std::min({last, nodes.lastnode(), lastnode_});
    if (!valid_ || last <= first || view.height <= 0 || !(view.viewscale > 0)) return best;
    const Projection projection(view);
    best.distance = kRadius;
    const int32_t r0 = (first + 1) >> kRunShift;
    const int32_t r1 = last >> kRunShift;
    for (int32_t r = r0; r <= r1; ++r) {
        const Sphere& s = spheres_[static_cast<size_t>(r)];
        double sx = 0, sy = 0;
        projection.project(s.x, s.y, s.z, sx, sy);
        const double reach = s.radius * projection.k + kRadius;
        if (!((sx - x) * (sx - x) + (sy - y) * (sy - y) <= reach * reach)) continue;
        const int32_t from = std::max(first + 1, r << kRunShift);
        const int32_t to = std::min(last, ((r + 1) << kRunShift) - 1);
        double ax = 0, ay = 0;
        const Tnodedata* n = &nodes.node(from - 1);
        projection.project(n->x, n->y, n->z, ax, ay);
        for (int32_t i = from; i <= to; ++i) {
            n = &nodes.node(i);
            double bx = 0, by = 0;
            projection.project(n->x, n->y, n->z, bx, by);
            const double d = segmentdistance(x, y, ax, ay, bx, by);
            if (d < best.distance || (d == best.distance && i > best.node)) {
                best.distance = d;
                best.node = i;
            }
            ax = bx;
            ay = by;
        }
    }
    if (best.node < 0) best.distance = 0;
    return best;
}

PickHit pickonce(const NodeStore& nodes, int32_t first, int32_t last, const PickView& view,
                 double x, double y) {
    Picker picker;
    picker.update(nodes);
    return picker.pick(nodes, first, last, view, x, y);
}
