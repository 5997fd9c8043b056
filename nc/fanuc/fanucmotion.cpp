// The moves of G0 to G3, G28/G30 and G53: programmed points go through the coordinate
// changes in force, then the offsets, to the machine.

#include <cmath>
#include <cstdio>

#include "nc/arcgeometry.h"
#include "nc/fanuc/fanuccodes.h"
#include "nc/fanuc/fanucinterpreter.h"

namespace {

constexpr char kAxes[3] = {'X', 'Y', 'Z'};
constexpr char kOffsets[3] = {'I', 'J', 'K'};

std::string number(double v) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%g", v);
    return buffer;
}

}  // namespace

void FanucInterpreter::machine(const double programmed[3], double out[3]) const {
    // Axis by axis, each read once and written once: the point was just written an axis at
    // a time, and reading two axes in one wide load would wait for those stores to land.
    if (transform_.active()) {
        double changed[3];
        transform_.apply(programmed, changed);
        for (int a = 0; a < 3; ++a) out[a] = changed[a] + offset(a);
        return;
    }
    const double x = programmed[0] + offset(0);
    const double y = programmed[1] + offset(1);
    const double z = programmed[2] + offset(2);
    out[0] = x;
    out[1] = y;
    out[2] = z;
}

void FanucInterpreter::target(const NgcBlock& block, double out[3]) const {
    for (int a = 0; a < 3; ++a) {
        if (!block.has(kAxes[a])) {
            out[a] = prog_[a];
        } else if (incremental_) {
            out[a] = prog_[a] + block.get(kAxes[a]);
        } else {
            out[a] = block.get(kAxes[a]);
        }
    }
}

void FanucInterpreter::reprogram() {
    // With a coordinate change in force the programmed point is kept: the change is what
    // the program's points are seen through.
    if (transform_.active()) return;
    for (int a = 0; a < 3; ++a) prog_[a] = path_.pos[a] - offset(a);
}

void FanucInterpreter::moveto(bool rapid, const double programmed[3]) {
    double to[3];
    machine(programmed, to);
    for (int a = 0; a < 3; ++a) prog_[a] = programmed[a];
    toolmove(rapid, to);
}

void FanucInterpreter::motion(const NgcBlock& block, bool machinecoordinates) {
    if (machinecoordinates) {
        if (motion_ != 0 && motion_ != 10) return problem("G53 works only with G0 or G1");
        // Machine coordinates, absolute whatever the distance mode.
        double to[3];
        for (int a = 0; a < 3; ++a) to[a] = block.has(kAxes[a]) ? block.get(kAxes[a]) : path_.pos[a];
        toolmove(motion_ == 0, to);
        const bool changed = transform_.active();
        if (!changed) reprogram();
        return;
    }
    if (motion_ == 0 || motion_ == 10) {
        double to[3];
        target(block, to);
        polarpoint(block, to);
        return moveto(motion_ == 0, to);
    }
    if (motion_ == 20 || motion_ == 30) return arc(block);
    if (fanuciscycle(motion_)) return cycle(block);
    problem("axis words with no motion in force (G80)");
}

void FanucInterpreter::arc(const NgcBlock& block) {
    // Named only in a problem: most arcs have none.
    const auto name = [this] { return ngccodename('G', motion_); };
    const NgcPlaneAxes axes = ngcplaneaxes(plane_);
    const int f = axes.first, s = axes.second;
    double to[3];
    target(block, to);
    polarpoint(block, to);
    const bool hasradius = block.has('R');
    const bool hascentre = block.has(kOffsets[f]) || block.has(kOffsets[s]);
    // R beside I, J or K: the control takes R.
    if (!hasradius && !hascentre) {
        return problem(name() + " needs " + kOffsets[f] + " or " + kOffsets[s] + ", or R");
    }
    const double s1 = prog_[f], s2 = prog_[s];
    const double e1 = to[f], e2 = to[s];
    const double tolerance = lengthsininch() ? 0.002 : 0.05;
    double c1 = 0, c2 = 0;
    bool made = true;
    if (hasradius) {
        const double r = block.get('R');
        const double half = std::hypot(e1 - s1, e2 - s2) / 2;
        // R with the end at the start is no move at all on the control.
        if (half == 0) return;
        made = roundedradiuscentre(motion_ / 10, r, s1, s2, e1, e2, tolerance, c1, c2);
        if (!made) problem(name() + " radius R" + number(r) + " does not reach its end point");
    } else {
        c1 = s1 + (block.has(kOffsets[f]) ? block.get(kOffsets[f]) : 0);
        c2 = s2 + (block.has(kOffsets[s]) ? block.get(kOffsets[s]) : 0);
        const double rs = std::hypot(s1 - c1, s2 - c2), re = std::hypot(e1 - c1, e2 - c2);
        const double miss = std::fabs(rs - re);
        if (!(miss <= tolerance || miss <= 0.001 * rs)) {
            made = false;
            problem(name() + " end is not on its circle: radius " + number(rs) + " at the start, " +
                    number(re) + " at the end");
        }
    }
    // An arc that cannot be made is drawn as a feed straight to its end, so that what follows
    // stays where the program puts it.
    if (!made) return moveto(false, to);
    double centre[3] = {0, 0, 0}, machinecentre[3], machineend[3];
    centre[f] = c1;
    centre[s] = c2;
    machine(centre, machinecentre);
    machine(to, machineend);
    for (int a = 0; a < 3; ++a) prog_[a] = to[a];
    int32_t turn = motion_ / 10;
    if (transform_.active() && transform_.reverses(f, s)) turn = turn == 2 ? 3 : 2;
    fixunits();
    comp_.arc(line_, plane_, turn, machineend, machinecentre[f], machinecentre[s], 1);
}

void FanucInterpreter::polarpoint(const NgcBlock& block, double to[3]) {
    if (!polar_.on) return;
    const NgcPlaneAxes axes = ngcplaneaxes(plane_);
    const int f = axes.first, s = axes.second;
    const double current[2] = {prog_[f], prog_[s]};
    double point[2];
    // The angle is no length: a change of units must not convert it.
    const double angle = block.has(kAxes[s]) ? block.get(kAxes[s]) / wordscale() : 0;
    if (!polar_.point(block.has(kAxes[f]), block.has(kAxes[f]) ? block.get(kAxes[f]) : 0, block.has(kAxes[s]), angle,
                      incremental_, current, point)) {
        return;
    }
    to[f] = point[0];
    to[s] = point[1];
}

void FanucInterpreter::reference(const NgcBlock& block) {
    // Through the intermediate point the axis words give, then those axes to the reference
    // point, the machine's zero; axes not named stay.
    if (!block.hasaxis()) return;
    double via[3];
    target(block, via);
    moveto(true, via);
    double to[3];
    for (int a = 0; a < 3; ++a) to[a] = block.has(kAxes[a]) ? 0 : path_.pos[a];
    toolmove(true, to);
    if (!transform_.active()) reprogram();
}
