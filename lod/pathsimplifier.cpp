#include "lod/pathsimplifier.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <system_error>
#include <thread>

#include "nc/nodestore.h"
#include "nc/palette.h"

namespace {

constexpr int32_t kCancelPoll = 1 << 14;
// A long toolpath is simplified in this many pieces, side by side where threads are free.
constexpr int kPieces = 4;
constexpr int32_t kPieceNodes = 1 << 20;

struct Vec {
    double x, y, z;
};

Vec minus(const Tnodedata& a, const Tnodedata& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
double dot(const Vec& a, const Vec& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// The directions from the run's anchor along which a chord passes within the tolerance of
// every node seen so far. The true set is an intersection of circular cones (one per node,
// half-angle asin(tolerance / distance)); it is kept as one circular cone inscribed in that
// intersection, so a chord it admits is always good and the test costs the same at every node.
// Angles are carried as cosine and sine pairs: square roots only, no trigonometry per node.
class ChordCone {
  public:
    void reset() {
        open_ = true;
        empty_ = false;
        farthest_ = 0.0;
    }

    bool open() const { return open_; }

    // The chord from the anchor to a node at offset v (length r) keeps every node seen so far
    // within the tolerance. A chord shorter than the farthest node seen would leave that node
    // past its end (the path doubled back), so it is refused as well.
    bool admits(const Vec& v, double r) const {
        if (open_) return true;
        if (empty_ || !(r >= farthest_)) return false;
        return dot(v, axis_) >= r * cos_;
    }

    // Narrows the cone by a node at offset v, length r, more than the tolerance away.
    void narrow(const Vec& v, double r, double tolerance) {
        farthest_ = std::max(farthest_, r);
        const Vec u{v.x / r, v.y / r, v.z / r};
        const double sb = std::min(1.0, tolerance / r);
        const double cb = std::sqrt(1.0 - sb * sb);
        if (open_) {
            set(u, cb, sb);
            open_ = false;
            return;
        }
        const double ca = cos_, sa = sin_;
        const double ct = std::clamp(dot(u, axis_), -1.0, 1.0);
        const Vec cross{u.y * axis_.z - u.z * axis_.y, u.z * axis_.x - u.x * axis_.z,
                        u.x * axis_.y - u.y * axis_.x};
        const double st = std::min(1.0, std::sqrt(dot(cross, cross)));
        const double cossum = ca * cb - sa * sb;  // cos(a + b); a, b <= 90 degrees
        if (!(ct >= cossum)) {
            empty_ = true;  // the axes lie further apart than both half-angles (or NaN)
        } else if (ct * cb - st * sb >= ca) {
            set(u, cb, sb);  // the new cone lies inside the old one
        } else if (ct * ca - st * sa >= cb) {
            // The old cone lies inside the new one: nothing changes.
        } else if (!(st > 1e-15)) {
            if (sb < sa) set(u, cb, sb);
        } else {
            // The lens between the cones, on the great circle through both axes, runs from
            // t - b to a measured from the old axis (t the angle between the axes). The new
            // cone has half of its width, (a + b - t) / 2, and its middle, (a - b + t) / 2.
            const double sinsum = sa * cb + ca * sb;
            const double width = ct * cossum + st * sinsum;  // cos(a + b - t)
            const double cd = ca * cb + sa * sb, sd = sa * cb - ca * sb;  // cos, sin(a - b)
            const double middle = ct * cd - st * sd;                      // cos(a - b + t)
            const double ch = std::sqrt(std::max(0.0, 0.5 * (1.0 + width)));
            const double sh = std::sqrt(std::max(0.0, 0.5 * (1.0 - width)));
            const double cm = std::sqrt(std::max(0.0, 0.5 * (1.0 + middle)));
            const double sm = std::sqrt(std::max(0.0, 0.5 * (1.0 - middle)));
            // w: the unit direction at right angles to the old axis, toward the new one.
            const Vec w{(u.x - ct * axis_.x) / st, (u.y - ct * axis_.y) / st,
                        (u.z - ct * axis_.z) / st};
            Vec axis{cm * axis_.x + sm * w.x, cm * axis_.y + sm * w.y, cm * axis_.z + sm * w.z};
            const double length = std::sqrt(dot(axis, axis));
            axis = {axis.x / length, axis.y / length, axis.z / length};
            set(axis, ch, sh);
        }
    }

  private:
    void set(const Vec& axis, double c, double s) {
        axis_ = axis;
        cos_ = c;
        sin_ = s;
    }

    bool open_ = true;    // no node has been farther than the tolerance: any chord serves
    bool empty_ = false;  // no chord serves
    double farthest_ = 0.0;
    Vec axis_{0, 0, 1};
    double cos_ = 1.0;  // of the half-angle
    double sin_ = 0.0;
};

bool colourchange(const Tnodedata& a, const Tnodedata& b) { return a.color != b.color; }

// Simplifies nodes first..last (both kept) into kept, appending.
SimplifyOutcome simplifyrange(const NodeStore& nodes, int32_t first, int32_t last, double tol,
                              double longest, size_t mostkept, std::vector<int32_t>& kept,
                              const std::atomic<bool>* cancel) {
    const double tolsquared = tol * tol;
    const double longestsquared = longest * longest;
    auto keep = [&](int32_t i) {
        if (kept.size() >= mostkept) return false;
        kept.push_back(i);
        return true;
    };
    if (!keep(first)) return SimplifyOutcome::TooMany;
    int32_t anchor = first;
    const Tnodedata* anchornode = &nodes.node(first);
    const Tnodedata* previous = anchornode;
    ChordCone cone;
    cone.reset();
    for (int32_t j = first + 1; j <= last; ++j) {
        if ((j & (kCancelPoll - 1)) == 0 && cancel != nullptr &&
            cancel->load(std::memory_order_relaxed)) {
            return SimplifyOutcome::Cancelled;
        }
        const Tnodedata& node = nodes.node(j);
        const bool change = colourchange(*previous, node);
        const Vec move = minus(node, *previous);
        const bool longmove = !(dot(move, move) <= longestsquared);
        if (change || longmove || node.color == kRapidColorIndex) {
            // The joint of a colour change sits on the previous node; a rapid is one move, and
            // so is a long one.
            if ((change || longmove) && j - 1 != anchor && !keep(j - 1)) {
                return SimplifyOutcome::TooMany;
            }
            if (!keep(j)) return SimplifyOutcome::TooMany;
            anchor = j;
            anchornode = &node;
            previous = &node;
            cone.reset();
            continue;
        }
        Vec v = minus(node, *anchornode);
        double r2 = dot(v, v);
        double r = std::sqrt(r2);
        if (j - 1 != anchor && !cone.open() && !cone.admits(v, r)) {
            // The run ends at the previous node; this node starts the next chord.
            if (!keep(j - 1)) return SimplifyOutcome::TooMany;
            anchor = j - 1;
            anchornode = previous;
            cone.reset();
            v = minus(node, *previous);
            r2 = dot(v, v);
            r = std::sqrt(r2);
        }
        previous = &node;
        if (!(r2 <= tolsquared)) {
            // Farther than the tolerance from the anchor (or not a number): later chords must
            // pass near it. A node within the tolerance of the anchor is near every chord from
            // there.
            if (!std::isfinite(r2)) {
                if (j - 1 != anchor && !keep(j - 1)) return SimplifyOutcome::TooMany;
                if (!keep(j)) return SimplifyOutcome::TooMany;
                anchor = j;
                anchornode = &node;
                cone.reset();
                continue;
            }
            cone.narrow(v, r, tol);
        }
    }
    if (kept.back() != last && !keep(last)) return SimplifyOutcome::TooMany;
    return SimplifyOutcome::Done;
}

}  // namespace

SimplifyOutcome simplifynodes(const NodeStore& nodes, double tolerance, size_t mostkept,
                              std::vector<int32_t>& kept, const std::atomic<bool>* cancel,
                              int threads, double longest) {
    kept.clear();
    const int32_t count = nodes.nodecount();
    if (count <= 0) return SimplifyOutcome::Done;
    // A tolerance that is not a finite positive number keeps only what must be kept exactly.
    const double tol = std::isfinite(tolerance) && tolerance > 0.0 ? tolerance : 0.0;
    // The cut into pieces depends on the count alone, so every thread count gives the same
    // copy. Neighbouring pieces share their end node.
    const int pieces = count >= kPieceNodes ? kPieces : 1;
    std::vector<std::vector<int32_t>> parts(static_cast<size_t>(pieces));
    std::vector<SimplifyOutcome> outcomes(static_cast<size_t>(pieces), SimplifyOutcome::Done);
    auto run = [&](int p) {
        const auto at = [&](int k) {
            return static_cast<int32_t>(static_cast<int64_t>(count - 1) * k / pieces);
        };
        std::vector<int32_t>& out = pieces == 1 ? kept : parts[static_cast<size_t>(p)];
        // A piece that keeps more than its share gives up early: a copy too large to be worth
        // having should cost little time.
        const size_t share = pieces == 1 ? mostkept : mostkept / pieces + 1;
        try {
            outcomes[static_cast<size_t>(p)] =
                simplifyrange(nodes, at(p), at(p + 1), tol, longest, share, out, cancel);
        } catch (const std::bad_alloc&) {
            outcomes[static_cast<size_t>(p)] = SimplifyOutcome::TooMany;
        }
    };
    std::vector<std::thread> helpers;
    const int workers = std::clamp(threads, 1, pieces);
    for (int w = 1; w < workers; ++w) {
        try {
            helpers.emplace_back([&run, w, workers, pieces] {
                for (int p = w; p < pieces; p += workers) run(p);
            });
        } catch (const std::system_error&) {
            break;  // the pieces of a missing helper are run below
        }
    }
    const int helping = static_cast<int>(helpers.size()) + 1;
    for (int p = 0; p < pieces; ++p) {
        if (p % workers == 0 || p % workers >= helping) run(p);
    }
    for (std::thread& t : helpers) t.join();
    for (const SimplifyOutcome outcome : outcomes) {
        if (outcome != SimplifyOutcome::Done) {
            kept.clear();
            kept.shrink_to_fit();
            return outcome;
        }
    }
    if (pieces == 1) return SimplifyOutcome::Done;
    size_t total = 0;
    for (const auto& part : parts) total += part.size();
    try {
        if (total > mostkept) return SimplifyOutcome::TooMany;
        kept.reserve(total);
        for (auto& part : parts) {
            kept.insert(kept.end(), part.begin() + (kept.empty() ? 0 : 1), part.end());
            // Each piece goes as soon as it is copied: holding them all until the end would
            // double the copy's memory at the moment a large program's peak is reached.
            std::vector<int32_t>().swap(part);
        }
    } catch (const std::bad_alloc&) {
        kept.clear();
        kept.shrink_to_fit();
        return SimplifyOutcome::TooMany;
    }
    return SimplifyOutcome::Done;
}

int64_t SimplifiedLevel::lines() const {
    if (!segments.empty()) return static_cast<int64_t>(segments.size());
    return std::max<int64_t>(0, static_cast<int64_t>(kept.size()) - 1);
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
