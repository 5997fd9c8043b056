#include "plan/toolpathplan.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>

#include "nc/palette.h"

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr int32_t kCancelPollMask = (1 << 16) - 1;

struct AxisRates {
    // Inverses, so that a move's limits cost one division each: an axis holding a share |u|
    // of the move lets it go only limit / |u| along it, and the move goes at the smallest
    // of those, 1 / max(|u| / limit).
    double secondsperlength[3];
    double persecondsquared[3];
    double scale;  // program length to profile length
    double deviation;
};

// One straight move in profile units: its length, direction and the highest speed and
// acceleration its axes allow along that direction.
struct Move {
    double length = 0;
    double u[3] = {0, 0, 0};
    double vmax = 0;
    double pace = 0;  // 1 / vmax
    double accel = 0;
    double inverseaccel = 0;
};

enum class MoveCheck { Ok, BadLength, NoFeed };

inline MoveCheck makemove(const Tnodedata& from, const Tnodedata& to, double feedperminute,
                          const AxisRates& rates, Move& m) {
    const double dx = (to.x - from.x) * rates.scale, dy = (to.y - from.y) * rates.scale,
                 dz = (to.z - from.z) * rates.scale;
    m.length = std::sqrt(dx * dx + dy * dy + dz * dz);
    if (!(m.length < kInfinity)) return MoveCheck::BadLength;
    if (m.length == 0) return MoveCheck::Ok;
    const bool rapid = to.color == kRapidColorIndex;
    if (!rapid && !(feedperminute > 0)) return MoveCheck::NoFeed;
    const double inverse = 1 / m.length;
    m.u[0] = dx * inverse;
    m.u[1] = dy * inverse;
    m.u[2] = dz * inverse;
    const double ax = std::fabs(m.u[0]), ay = std::fabs(m.u[1]), az = std::fabs(m.u[2]);
    const double rateuse = std::max({ax * rates.secondsperlength[0], ay * rates.secondsperlength[1],
                                     az * rates.secondsperlength[2]});
    const double acceluse =
        std::max({ax * rates.persecondsquared[0], ay * rates.persecondsquared[1],
                  az * rates.persecondsquared[2]});
    m.pace = rateuse;
    if (!rapid) m.pace = std::max(m.pace, 60 / (feedperminute * rates.scale));
    m.vmax = 1 / m.pace;
    m.inverseaccel = acceluse;
    m.accel = 1 / acceluse;
    return MoveCheck::Ok;
}

// The highest squared speed the junction of two moves allows: the corner is taken as an arc
// that deviates from it by the allowance at the junction's acceleration. Straight on there
// is no limit; a reversal stops.
double junction2(const Move& in, const Move& out, double deviation) {
    double d2 = 0;
    for (int a = 0; a < 3; ++a) {
        const double du = out.u[a] - in.u[a];
        d2 += du * du;
    }
    if (d2 <= 0) return kInfinity;
    // With s = sin(theta/2): s^2 = 1 - |du|^2/4 and 1 - s = (|du|^2/4) / (1 + s), which
    // stays exact for nearly straight joins where 1 - s would cancel.
    const double s = std::sqrt(std::max(0.0, 1 - d2 / 4));
    const double a = std::min(in.accel, out.accel);
    return 4 * a * deviation * s * (1 + s) / d2;
}

// Time of a move entered at ve (ve2 its square) and left at sqrt(vx2), accelerating and
// braking at its acceleration, cruising at its full speed where the length allows.
double trapezoid(const Move& m, double ve, double ve2, double vx, double vx2) {
    const double peak2 = m.accel * m.length + (ve2 + vx2) / 2;
    if (peak2 <= m.vmax * m.vmax) {
        const double vp = std::sqrt(std::max(peak2, std::max(ve2, vx2)));
        return (2 * vp - ve - vx) * m.inverseaccel;
    }
    const double ramps = (2 * m.vmax * m.vmax - ve2 - vx2) * m.inverseaccel / 2;
    const double cruise = std::max(0.0, m.length - ramps);
    return (2 * m.vmax - ve - vx) * m.inverseaccel + cruise * m.pace;
}

// Rounds toward zero, so a bound kept in a float is never above the true one.
float floatbelow(double v) {
    if (v > std::numeric_limits<float>::max()) return std::numeric_limits<float>::max();
    float f = static_cast<float>(v);
    if (static_cast<double>(f) > v) f = std::nextafter(f, 0.0f);
    return f;
}

class ToolTally {
  public:
    explicit ToolTally(std::vector<ToolSeconds>& tools) : tools_(tools) {}
    void add(int32_t tool, double seconds) {
        if (current_ < 0 || tools_[static_cast<size_t>(current_)].tool != tool) {
            current_ = -1;
            for (size_t i = 0; i < tools_.size(); ++i) {
                if (tools_[i].tool == tool) current_ = static_cast<int>(i);
            }
            if (current_ < 0) {
                tools_.push_back({tool, 0});
                current_ = static_cast<int>(tools_.size() - 1);
            }
        }
        tools_[static_cast<size_t>(current_)].seconds += seconds;
    }

  private:
    std::vector<ToolSeconds>& tools_;
    int current_ = -1;
};

bool cancelled(const std::atomic<bool>* cancel, int32_t i) {
    return (i & kCancelPollMask) == 0 && cancel != nullptr &&
           cancel->load(std::memory_order_relaxed);
}

std::string problemtext(MoveCheck check, int32_t line) {
    if (check == MoveCheck::NoFeed) {
        return "cannot plan: the feed move on line " + std::to_string(line) +
               " has no feed (F0 or none yet), which the Time: figure counts as no time";
    }
    return "cannot plan: a coordinate of the move on line " + std::to_string(line) +
           " is too large or not a number";
}

}  // namespace

ToolpathPlan plantoolpath(const NodeStore& nodes, const MoveEvents& events, bool inchprogram,
                          const MachineProfile& profile, const std::atomic<bool>* cancel) {
    ToolpathPlan plan;
    AxisRates rates{};
    for (int a = 0; a < 3; ++a) {
        rates.secondsperlength[a] = 60 / profile.axis[a].rapid;
        rates.persecondsquared[a] = 1 / profile.axis[a].accel;
    }
    rates.scale = profilescale(profile, inchprogram);
    rates.deviation = profile.junctiondeviation;
    const int32_t last = nodes.lastnode();
    try {
        plan.nodeseconds.assign(static_cast<size_t>(last + 1), 0.0f);
    } catch (const std::bad_alloc&) {
        plan.problem = "cannot plan: not enough memory for " + std::to_string(last + 1) + " nodes";
        return plan;
    }
    std::vector<float>& bound = plan.nodeseconds;  // first the exit bounds, then the seconds
    const auto& feeds = events.feeds;
    const auto& stops = events.stops;

    // Backward: the fastest each move may leave its end so that everything after it can
    // still brake in time.
    Move after;
    bool haveafter = false, stopafter = false;
    double afterentry2 = 0;
    ptrdiff_t fp = static_cast<ptrdiff_t>(feeds.size()) - 1;
    ptrdiff_t sp = static_cast<ptrdiff_t>(stops.size()) - 1;
    MoveCheck firstbad = MoveCheck::Ok;
    int32_t badline = 0;
    for (int32_t i = last; i >= 1; --i) {
        if (cancelled(cancel, i)) return plan.cancelled = true, plan;
        while (sp >= 0 && stops[static_cast<size_t>(sp)].node > i) stopafter = true, --sp;
        while (fp >= 0 && feeds[static_cast<size_t>(fp)].node > i) --fp;
        const double feed = fp >= 0 ? feeds[static_cast<size_t>(fp)].perminute : 0.0;
        const Tnodedata& to = nodes.node(i);
        Move m;
        const MoveCheck check = makemove(nodes.node(i - 1), to, feed, rates, m);
        if (check != MoveCheck::Ok) {
            firstbad = check;
            badline = to.line;
            continue;
        }
        if (m.length == 0) continue;
        double exit2 = 0;
        if (haveafter && !stopafter) {
            exit2 = std::min({junction2(m, after, rates.deviation), m.vmax * m.vmax, afterentry2});
        }
        bound[static_cast<size_t>(i)] = floatbelow(exit2);
        exit2 = bound[static_cast<size_t>(i)];
        afterentry2 = std::min(m.vmax * m.vmax, exit2 + 2 * m.accel * m.length);
        after = m;
        haveafter = true;
        stopafter = false;
    }
    if (firstbad != MoveCheck::Ok) {
        plan.problem = problemtext(firstbad, badline);
        plan.nodeseconds.clear();
        return plan;
    }

    // Forward: from a standstill, as fast as the bounds and the acceleration allow.
    ToolTally tally(plan.tools);
    int32_t tool = 0;
    double v2 = 0, v = 0;
    size_t fi = 0, si = 0;
    auto stopsupto = [&](int32_t node) {
        double seconds = 0;
        for (; si < stops.size() && stops[si].node <= node; ++si) {
            const MoveEvents::Stop& stop = stops[si];
            if (stop.tool >= 0) {
                tool = stop.tool;
                seconds += profile.toolchangeseconds;
            } else {
                seconds += stop.seconds;
            }
        }
        return seconds;
    };
    for (int32_t i = 0; i <= last; ++i) {
        if (cancelled(cancel, i)) return plan.cancelled = true, plan.nodeseconds.clear(), plan;
        double seconds = stopsupto(i), fullrate = seconds;
        while (fi < feeds.size() && feeds[fi].node <= i) ++fi;
        if (i > 0) {
            const double feed = fi > 0 ? feeds[fi - 1].perminute : 0.0;
            Move m;
            makemove(nodes.node(i - 1), nodes.node(i), feed, rates, m);
            if (m.length > 0) {
                const double entry2 = std::min(v2, m.vmax * m.vmax);
                const double exit2 = std::min(static_cast<double>(bound[static_cast<size_t>(i)]),
                                              entry2 + 2 * m.accel * m.length);
                const double entry = entry2 == v2 ? v : m.vmax;
                const double exit = std::sqrt(exit2);
                seconds += trapezoid(m, entry, entry2, exit, exit2);
                fullrate += m.length * m.pace;
                v2 = exit2;
                v = exit;
            }
        }
        bound[static_cast<size_t>(i)] = static_cast<float>(seconds);
        plan.planned += seconds;
        plan.feedonly += fullrate;
        if (seconds > 0 || i > 0) tally.add(tool, seconds);
    }
    // Dwells and tool changes after the last move still take their time.
    const double trailing = stopsupto(std::numeric_limits<int32_t>::max());
    if (trailing > 0) {
        plan.planned += trailing;
        plan.feedonly += trailing;
        tally.add(tool, trailing);
        if (last >= 0) bound[static_cast<size_t>(last)] += static_cast<float>(trailing);
    }
    plan.ok = true;
    return plan;
}

double plannedseconds(const ToolpathPlan& plan, int32_t first, int32_t last) {
    const auto count = static_cast<int32_t>(plan.nodeseconds.size());
    first = std::max(first, 0);
    last = std::min(last, count - 1);
    double sum = 0;
    for (int32_t i = first; i <= last; ++i) sum += plan.nodeseconds[static_cast<size_t>(i)];
    return sum;
}
