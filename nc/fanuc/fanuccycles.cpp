// Canned cycles G73, G74, G76 and G81 to G89 as the control makes them: each hole is
// reached at the level the tool stands at, the tool goes at the rapid rate to R, works the
// hole and returns to the initial level (G98) or to R (G99). In G91 R is measured from the
// initial level and Z from R. K (or L) repeats the hole, moving by the incremental X and Y
// each time; K0 only keeps the cycle's words.

#include <algorithm>
#include <cmath>

#include "nc/fanuc/fanuccodes.h"
#include "nc/fanuc/fanucinterpreter.h"
#include "nc/ngc/ngcpeck.h"

namespace {

constexpr char kAxes[3] = {'X', 'Y', 'Z'};
// A guard against a Q or a K that would make millions of moves of one block.
constexpr double kMaxMoves = 10000;

}  // namespace

void FanucInterpreter::cycle(const NgcBlock& block) {
    // Named only in a problem: most cycle blocks have none.
    const auto name = [this] { return ngccodename('G', motion_); };
    const NgcPlaneAxes axes = ngcplaneaxes(plane_);
    const char depthletter = kAxes[axes.across];
    if (!incycle_) {
        incycle_ = true;
        initial_ = prog_[axes.across];
    }
    if (block.has('R')) {
        cycler_ = block.get('R');
        hascycler_ = true;
    }
    if (block.has(depthletter)) {
        cyclebottom_ = block.get(depthletter);
        hascyclebottom_ = true;
    }
    if (block.has('Q')) cycleq_ = block.get('Q');
    if (block.has('P')) cyclep_ = block.get('P') / 1000;  // milliseconds
    if (!hascycler_) return problem(name() + " needs R");
    if (!hascyclebottom_) return problem(name() + " needs " + depthletter);
    const bool pecks = motion_ == 730 || motion_ == 830;
    if (pecks && !(cycleq_ > 0)) return problem(name() + " needs a positive Q");
    double repeats = 1;
    const char repeatletter = block.has('K') ? 'K' : 'L';
    if (block.has(repeatletter)) {
        repeats = block.get(repeatletter);
        if (!(repeats >= 0 && repeats <= kMaxMoves && repeats == std::floor(repeats))) {
            return problem(name() + " needs " + repeatletter + " as a whole number of repeats");
        }
    }
    const double r = incremental_ ? initial_ + cycler_ : cycler_;
    const double bottom = incremental_ ? r + cyclebottom_ : cyclebottom_;
    if (pecks && (r - bottom) / cycleq_ > kMaxMoves) return problem(name() + " Q too small");
    if (motion_ == 870 && retracttor_) problem("G87 returns to the initial level only");
    const char firstletter = kAxes[axes.first], secondletter = kAxes[axes.second];
    double hole1 = prog_[axes.first], hole2 = prog_[axes.second];
    double step1 = 0, step2 = 0;
    if (incremental_) {
        step1 = block.has(firstletter) ? block.get(firstletter) : 0;
        step2 = block.has(secondletter) ? block.get(secondletter) : 0;
    } else {
        if (block.has(firstletter)) hole1 = block.get(firstletter);
        if (block.has(secondletter)) hole2 = block.get(secondletter);
    }
    const bool polar = polar_.on && (block.has(firstletter) || block.has(secondletter));
    for (double n = 0; n < repeats; ++n) {
        if (polar) {
            // Each repeat takes the polar words again: in G91 the angle steps round a circle.
            double at[3] = {prog_[0], prog_[1], prog_[2]};
            at[axes.first] = hole1;
            at[axes.second] = hole2;
            polarpoint(block, at);
            hole1 = at[axes.first];
            hole2 = at[axes.second];
        } else {
            hole1 += step1;
            hole2 += step2;
        }
        hole(hole1, hole2, r, bottom);
        if (ended_) return;
    }
}

void FanucInterpreter::hole(double hole1, double hole2, double r, double bottom) {
    const NgcPlaneAxes axes = ngcplaneaxes(plane_);
    const int across = axes.across;
    const int32_t code = motion_;
    const bool back = code == 870;
    const double clear = retracttor_ && !back ? r : initial_;
    double at[3] = {prog_[0], prog_[1], prog_[2]};
    at[axes.first] = hole1;
    at[axes.second] = hole2;
    if (at[axes.first] != prog_[axes.first] || at[axes.second] != prog_[axes.second]) moveto(true, at);
    auto height = [&](bool rapid, double programheight) {
        double to[3] = {prog_[0], prog_[1], prog_[2]};
        to[across] = programheight;
        moveto(rapid, to);
    };
    // G76 and G87 move the tool off the bore's wall by Q along the plane's first axis.
    auto shift = [&](double by) {
        double to[3] = {prog_[0], prog_[1], prog_[2]};
        to[axes.first] += by;
        moveto(true, to);
    };
    if (back) {
        // Back boring: in beside the bore to R below the part, back to the centre, up to Z.
        shift(cycleq_);
        height(true, r);
        shift(-cycleq_);
        height(false, bottom);
        path_.dwell(std::max(cyclep_, 0.0));
        shift(cycleq_);
        height(true, initial_);
        shift(-cycleq_);
        return;
    }
    if (prog_[across] != r) height(true, r);
    if (code == 730 || code == 830) {
        const double backoff = lengthsininch() ? 0.010 : 0.254;
        ngcpecks(code == 830, r, bottom, cycleq_, backoff, height);
    } else {
        height(false, bottom);
    }
    const bool dwells = code == 820 || code == 840 || code == 740 || code == 760 || code == 880 || code == 890;
    if (dwells) path_.dwell(std::max(cyclep_, 0.0));
    switch (code) {
        case 740: case 840: case 850: case 890:
            // Taps and reamers come back out through the hole at the feed, to R.
            height(false, r);
            if (clear != r) height(true, clear);
            return;
        case 760:
            shift(cycleq_);
            height(true, clear);
            shift(-cycleq_);
            return;
        default:
            height(true, clear);
    }
}
