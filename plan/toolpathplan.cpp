#include "plan/toolpathplan.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <new>

#include "plan/movechunk.h"

namespace {

// Rounds toward zero, so a bound kept in a float is never above the true one.
float floatbelow(double v) {
    if (v > std::numeric_limits<float>::max()) return std::numeric_limits<float>::max();
    float f = static_cast<float>(v);
    if (static_cast<double>(f) > v) f = std::nextafter(f, 0.0f);
    return f;
}

// Seconds kept per node: a move far beyond any machine (1e150 mm) stays the largest float
// rather than a conversion out of range.
float keptseconds(double v) {
    return static_cast<float>(std::min(v, static_cast<double>(std::numeric_limits<float>::max())));
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

// The pace (1 / speed in profile lengths a second) of the feed in force at each move of a
// chunk, -1 where none is.
void feedsinforce(const MoveEvents& events, double scale, MoveChunk& chunk, int32_t first) {
    const auto& feeds = events.feeds;
    auto at =
        std::upper_bound(feeds.begin(), feeds.end(), first,
                         [](int32_t node, const MoveEvents::Feed& f) { return node < f.node; });
    double pace = -1;
    auto setpace = [&](const MoveEvents::Feed& f) {
        pace = f.perminute > 0 ? 60 / (f.perminute * scale) : -1.0;
    };
    if (at != feeds.begin()) setpace(*(at - 1));
    for (int32_t k = 0; k < kChunkMoves; ++k) {
        for (; at != feeds.end() && at->node <= first + k; ++at) setpace(*at);
        chunk.feedinforce[k] = pace;
    }
}

std::string problemtext(bool nofeed, int32_t line) {
    if (nofeed) {
        return "cannot plan: the feed move on line " + std::to_string(line) +
               " has no feed (F0 or none yet), which the Time: figure counts as no time";
    }
    return "cannot plan: a coordinate of the move on line " + std::to_string(line) +
           " is too large or not a number";
}

struct After {
    double u[3] = {0, 0, 0};
    double inverseaccel = 0;
    double entry2 = 0;  // the fastest it may be entered
    int32_t node = -1;  // its end node; -1 before any
    bool stopbefore = false;
};

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
    std::unique_ptr<MoveChunk> chunkmemory;
    try {
        plan.nodeseconds.assign(static_cast<size_t>(last + 1), 0.0f);
        chunkmemory = std::make_unique<MoveChunk>();
    } catch (const std::bad_alloc&) {
        plan.nodeseconds.clear();
        plan.problem = "cannot plan: not enough memory for " + std::to_string(last + 1) + " nodes";
        return plan;
    }
    MoveChunk& c = *chunkmemory;
    std::vector<float>& bound = plan.nodeseconds;  // first the exit bounds, then the seconds
    const auto& stops = events.stops;
    const int32_t chunks = last >= 1 ? (last - 1) / kChunkMoves + 1 : 0;
    auto stopcancelled = [&] {
        if (cancel == nullptr || !cancel->load(std::memory_order_relaxed)) return false;
        plan.cancelled = true;
        plan.nodeseconds.clear();
        return true;
    };

    // Backward: the fastest each move may leave its end so that everything after it can
    // still brake in time.
    After after;
    ptrdiff_t sp = static_cast<ptrdiff_t>(stops.size()) - 1;
    bool badfound = false, badnofeed = false;
    int32_t badline = 0;
    for (int32_t chunk = chunks - 1; chunk >= 0; --chunk) {
        if (stopcancelled()) return plan;
        const int32_t first = 1 + chunk * kChunkMoves;
        feedsinforce(events, rates.scale, c, first);
        c.measure(nodes, first, rates, true);
        for (int32_t k = std::min(kChunkMoves, last - first + 1) - 1; k >= 0; --k) {
            const int32_t i = first + k;
            for (; sp >= 0 && stops[static_cast<size_t>(sp)].node > i; --sp)
                after.stopbefore = true;
            const double length = c.length[k];
            if (!(length < HUGE_VAL) || (length > 0 && c.nofeed[k] != 0)) {
                badfound = true;
                badnofeed = length < HUGE_VAL;
                badline = nodes.node(i).line;
                continue;
            }
            if (length == 0) continue;
            const double vmax2 = c.vmax[k] * c.vmax[k];
            double exit2 = 0;
            if (after.node >= 0 && !after.stopbefore) {
                const double u[3] = {c.u[0][k], c.u[1][k], c.u[2][k]};
                const double junction = after.node == i + 1 && k + 1 < kChunkMoves
                                            ? c.junction2[k]
                                            : junctionlimit2(u, c.inverseaccel[k], after.u,
                                                             after.inverseaccel, rates.deviation);
                exit2 = std::min({junction, vmax2, after.entry2});
            }
            bound[static_cast<size_t>(i)] = floatbelow(exit2);
            exit2 = bound[static_cast<size_t>(i)];
            after.entry2 = std::min(vmax2, exit2 + 2 * c.accel[k] * length);
            for (int a = 0; a < 3; ++a) after.u[a] = c.u[a][k];
            after.inverseaccel = c.inverseaccel[k];
            after.node = i;
            after.stopbefore = false;
        }
    }
    if (badfound) {
        plan.problem = problemtext(badnofeed, badline);
        plan.nodeseconds.clear();
        return plan;
    }

    // Forward: from a standstill, as fast as the bounds and the acceleration allow.
    ToolTally tally(plan.tools);
    int32_t tool = 0;
    size_t si = 0;
    auto stopsupto = [&](int32_t node) {
        double seconds = 0;
        for (; si < stops.size() && stops[si].node <= node; ++si) {
            if (stops[si].tool >= 0) {
                tool = stops[si].tool;
                seconds += profile.toolchangeseconds;
            } else {
                seconds += stops[si].seconds;
            }
        }
        return seconds;
    };
    if (last >= 0) {
        const double atstart = stopsupto(0);
        bound[0] = keptseconds(atstart);
        plan.planned = plan.feedonly = atstart;
        if (atstart > 0) tally.add(tool, atstart);
    }
    double entry2[kChunkMoves], exit2[kChunkMoves], moveseconds[kChunkMoves], extra[kChunkMoves];
    int32_t tools[kChunkMoves];
    double v2 = 0;
    for (int32_t chunk = 0; chunk < chunks; ++chunk) {
        if (stopcancelled()) return plan;
        const int32_t first = 1 + chunk * kChunkMoves;
        const int32_t count = std::min(kChunkMoves, last - first + 1);
        feedsinforce(events, rates.scale, c, first);
        c.measure(nodes, first, rates, false);
        for (int32_t k = 0; k < kChunkMoves; ++k) {
            const bool stopping = si < stops.size() && stops[si].node <= first + k;
            extra[k] = stopping && k < count ? stopsupto(first + k) : 0.0;
            tools[k] = tool;
            if (k < count && c.length[k] > 0) {
                entry2[k] = std::min(v2, c.vmax[k] * c.vmax[k]);
                exit2[k] = std::min(static_cast<double>(bound[static_cast<size_t>(first + k)]),
                                    entry2[k] + 2 * c.accel[k] * c.length[k]);
                v2 = exit2[k];
            } else {
                entry2[k] = exit2[k] = 0;
            }
        }
        trapezoidtimes(c, entry2, exit2, moveseconds);
        double planned = 0, feedonly = 0, toolrun = 0;
        for (int32_t k = 0; k < count; ++k) {
            const double seconds = moveseconds[k] + extra[k];
            bound[static_cast<size_t>(first + k)] = keptseconds(seconds);
            planned += seconds;
            // A move without length has a finite pace: it adds nothing.
            feedonly += c.length[k] * c.pace[k] + extra[k];
            toolrun += seconds;
            if (k + 1 == count || tools[k + 1] != tools[k]) {
                tally.add(tools[k], toolrun);
                toolrun = 0;
            }
        }
        plan.planned += planned;
        plan.feedonly += feedonly;
    }
    // Dwells and tool changes after the last move still take their time.
    const double trailing = stopsupto(std::numeric_limits<int32_t>::max());
    if (trailing > 0) {
        plan.planned += trailing;
        plan.feedonly += trailing;
        tally.add(tool, trailing);
        if (last >= 0) {
            const auto at = static_cast<size_t>(last);
            bound[at] = keptseconds(static_cast<double>(bound[at]) + trailing);
        }
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
