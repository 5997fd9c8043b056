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

namespace {

struct Box {
    double lo[3] = {HUGE_VAL, HUGE_VAL, HUGE_VAL};
    double hi[3] = {-HUGE_VAL, -HUGE_VAL, -HUGE_VAL};

    void add(double x, double y, double z) {
        const double p[3] = {x, y, z};
        for (int a = 0; a < 3; ++a) {
            lo[a] = std::min(lo[a], p[a]);
            hi[a] = std::max(hi[a], p[a]);
        }
    }
    void add(const Box& b) {
        for (int a = 0; a < 3; ++a) {
            lo[a] = std::min(lo[a], b.lo[a]);
            hi[a] = std::max(hi[a], b.hi[a]);
        }
    }
    double diagonal() const { return std::hypot(hi[0] - lo[0], hi[1] - lo[1], hi[2] - lo[2]); }
};

}  // namespace

void Picker::update(const NodeStore& nodes) {
    if (valid_ && nodes.lastnode() == lastnode_ && nodes.generation() == generation_) return;
    lastnode_ = nodes.lastnode();
    generation_ = nodes.generation();
    valid_ = true;
    runs_.clear();
    groups_.clear();
    const int32_t count = nodes.nodecount();
    if (count < 2) {
        runs_.push_back({{0, 0, 0, 0}, count});
        return;
    }
    // A NaN coordinate widens no box, and its segments' distances compare false: such moves
    // are never picked, as they are never drawn where a pointer could be.
    const auto sphereof = [](const Box& b) {
        return Sphere{(b.lo[0] + b.hi[0]) / 2, (b.lo[1] + b.hi[1]) / 2, (b.lo[2] + b.hi[2]) / 2,
                      b.diagonal() / 2};
    };
    // Sized once, and the groups' boxes gathered as the runs close: the spheres of a large
    // program are made on its first pick, and growing vectors (or a list of every run's box)
    // would briefly hold twice their memory then.
    const size_t runcount = static_cast<size_t>((count - 2) / kRunSegments) + 1;
    runs_.reserve(runcount + 1);
    groups_.reserve((runcount + kGroupRuns - 1) / kGroupRuns);
    Box group;
    int grouped = 0;
    const auto closerun = [&](const Box& run, int32_t runfirst) {
        runs_.push_back({sphereof(run), runfirst});
        group.add(run);
        if (++grouped == kGroupRuns) {
            groups_.push_back(sphereof(group));
            group = Box{};
            grouped = 0;
        }
    };
    Box box;
    int32_t first = 1;
    const Tnodedata* previous = &nodes.node(0);
    box.add(previous->x, previous->y, previous->z);
    for (int32_t i = 1; i < count; ++i) {
        const Tnodedata& n = nodes.node(i);
        if (i - first >= kRunSegments) {
            closerun(box, first);
            first = i;
            box = Box{};
            box.add(previous->x, previous->y, previous->z);
        }
        box.add(n.x, n.y, n.z);
        previous = &n;
    }
    closerun(box, first);
    if (grouped > 0) groups_.push_back(sphereof(group));
    runs_.push_back({{0, 0, 0, 0}, count});
}

PickHit Picker::pick(const NodeStore& nodes, int32_t first, int32_t last, const PickView& view,
                     double x, double y) const {
    PickHit best;
    first = std::max(first, 0);
    last = std::min({last, nodes.lastnode(), lastnode_});
    if (!valid_ || last <= first || view.height <= 0 || !(view.viewscale > 0)) return best;
    const Projection projection(view);
    const auto near = [&](const Sphere& s) {
        double sx = 0, sy = 0;
        projection.project(s.x, s.y, s.z, sx, sy);
        const double reach = s.radius * projection.k + kRadius;
        return (sx - x) * (sx - x) + (sy - y) * (sy - y) <= reach * reach;
    };
    best.distance = kRadius;
    const size_t runcount = runs_.size() - 1;
    for (size_t g = 0; g < groups_.size(); ++g) {
        const size_t r0 = g * kGroupRuns;
        const size_t r1 = std::min(runcount, r0 + kGroupRuns);
        if (runs_[r1].first <= first + 1 || runs_[r0].first > last) continue;
        if (!near(groups_[g])) continue;
        for (size_t r = r0; r < r1; ++r) {
            const int32_t from = std::max(first + 1, runs_[r].first);
            const int32_t to = std::min(last, runs_[r + 1].first - 1);
            if (from > to || !near(runs_[r].sphere)) continue;
            double ax = 0, ay = 0;
            const Tnodedata* n = &nodes.node(from - 1);
            projection.project(n->x, n->y, n->z, ax, ay);
            for (int32_t i = from; i <= to; ++i) {
                const Tnodedata* const before = n;
                n = &nodes.node(i);
                // A block without motion (a tool change, M30) repeats the point before it:
                // it draws nothing, so it is nothing to point at.
                if (n->x == before->x && n->y == before->y && n->z == before->z) continue;
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
