// Canned cycles G73, G81 to G86 and G89, expanded into the rapids and feeds the machine
// makes. Heights are taken along the axis across the plane (Z in G17); the cycle works in
// program coordinates and moves in machine coordinates.

#include <algorithm>
#include <cmath>

#include "nc/ngc/ngcinterpreter.h"
#include "nc/ngc/ngcpeck.h"

namespace {

constexpr char kAxes[3] = {'X', 'Y', 'Z'};
// A guard against a Q or an L that would make millions of moves of one block.
constexpr double kMaxMoves = 10000;
constexpr double kDegree = 3.14159265358979323846 / 180;

}  // namespace

void NgcInterpreter::cycle(const NgcBlock& block) {
    const std::string name = ngccodename('G', motion_);
    const NgcPlaneAxes axes = ngcplaneaxes(plane_);
    const char depthletter = kAxes[axes.across];
    if (block.has('R')) {
        cycler_ = block.get('R');
        hascycler_ = true;
    }
    if (block.has(depthletter)) {
        cyclebottom_ = block.get(depthletter);
        hascyclebottom_ = true;
    }
    if (block.has('Q')) {
        cycleq_ = block.get('Q');
        hascycleq_ = true;
    }
    if (block.has('P')) cyclep_ = block.get('P');
    if (!hascycler_) return problem(name + " needs R");
    if (!hascyclebottom_) return problem(name + " needs " + depthletter);
    const bool pecks = motion_ == 730 || motion_ == 830;
    if (pecks && !(hascycleq_ && cycleq_ > 0)) return problem(name + " needs a positive Q");
    double repeats = 1;
    if (block.has('L')) {
        repeats = block.get('L');
        if (!(repeats >= 0 && repeats <= kMaxMoves && repeats == std::floor(repeats))) {
            return problem(name + " needs L as a whole number of repeats");
        }
    }
    if (rotated() && plane_ != 17) return problem(name + " outside G17 in a turned coordinate system");
    double at[3];
    programposition(at);
    const double start = at[axes.across];
    const double r = incremental_ ? start + cycler_ : cycler_;
    const double bottom = incremental_ ? r + cyclebottom_ : cyclebottom_;
    if (pecks && (r - bottom) / cycleq_ > kMaxMoves) return problem(name + " Q too small");
    // G98 comes back to where the cycle started, never below R; G99 to R.
    const double clear = retracttor_ ? r : std::max(r, start);
    double hole1 = at[axes.first], hole2 = at[axes.second];
    double step1 = 0, step2 = 0;
    const char firstletter = kAxes[axes.first], secondletter = kAxes[axes.second];
    if (incremental_) {
        step1 = block.has(firstletter) ? block.get(firstletter) : 0;
        step2 = block.has(secondletter) ? block.get(secondletter) : 0;
    } else {
        if (block.has(firstletter)) hole1 = block.get(firstletter);
        if (block.has(secondletter)) hole2 = block.get(secondletter);
    }
    // Below R, the tool first comes up to it, once for all repeats.
    if (start < r) {
        double to[3] = {path_.pos[0], path_.pos[1], path_.pos[2]};
        to[axes.across] = r + offset(axes.across);
        toolmove(true, to);
    }
    for (double n = 0; n < repeats; ++n) {
        if (polarstep_) {
            // A bolt circle: each hole a turn further round the origin.
            const double radius = std::hypot(hole1, hole2) + polarradius_;
            const double angle = std::atan2(hole2, hole1) + polarangle_ * kDegree;
            hole1 = radius * std::cos(angle);
            hole2 = radius * std::sin(angle);
            step1 = step2 = 0;
        }
        hole1 += step1;
        hole2 += step2;
        drill(motion_, axes, hole1, hole2, r, bottom, clear);
    }
}

void NgcInterpreter::drill(int32_t code, const NgcPlaneAxes& axes, double hole1, double hole2,
                           double r, double bottom, double clear) {
    const int across = axes.across;
    double to[3] = {path_.pos[0], path_.pos[1], path_.pos[2]};
    if (rotated()) {
        double at[3] = {hole1, hole2, 0}, machine[3];
        tomachine(at, machine);
        to[0] = machine[0];
        to[1] = machine[1];
    } else {
        to[axes.first] = hole1 + offset(axes.first);
        to[axes.second] = hole2 + offset(axes.second);
    }
    if (to[axes.first] != path_.pos[axes.first] || to[axes.second] != path_.pos[axes.second]) toolmove(true, to);
    auto height = [&](bool rapid, double programheight) {
        double at[3] = {path_.pos[0], path_.pos[1], path_.pos[2]};
        at[across] = programheight + offset(across);
        toolmove(rapid, at);
    };
    if (program(across) != r) height(true, r);
    const bool dwells = code == 820 || code == 860 || code == 890;
    if (code == 730 || code == 830) {
        peck(code, across, r, bottom);
    } else {
        height(false, bottom);
    }
    if (dwells) path_.dwell(std::max(cyclep_, 0.0));
    if (code == 850) {
        // G85 bores on the way out too, but only through the hole: up to R at the feed, then
        // (G98 above R) on to the initial height at the rapid rate.
        height(false, r);
        if (clear != r) height(true, clear);
        return;
    }
    // G84 and G89 feed back out; the others leave at the rapid rate.
    height(code != 840 && code != 890, clear);
}

void NgcInterpreter::peck(int32_t code, int across, double r, double bottom) {
    // Backs off this far above the last depth before feeding on, as the machine does.
    const double backoff = lengthsininch() ? 0.010 : 0.254;
    auto height = [&](bool rapid, double programheight) {
        double at[3] = {path_.pos[0], path_.pos[1], path_.pos[2]};
        at[across] = programheight + offset(across);
        toolmove(rapid, at);
    };
    // G83 clears the chips by coming out to R; G73 only breaks them.
    ngcpecks(code == 830, r, bottom, cycleq_, backoff, height);
}
