// The moves of the motion modes G0 to G3 and of G28/G30, all in machine coordinates.

#include <cmath>
#include <cstdio>

#include "nc/arcgeometry.h"
#include "nc/ngc/ngcinterpreter.h"

namespace {

constexpr char kAxes[3] = {'X', 'Y', 'Z'};
constexpr char kOffsets[3] = {'I', 'J', 'K'};
// More turns than any thread mill makes; a bigger P is a typing fault, not a helix.
constexpr double kMaxTurns = 1000;

std::string number(double v) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%g", v);
    return buffer;
}

}  // namespace

void NgcInterpreter::target(const NgcBlock& block, double out[3]) const {
    if (rotated()) {
        double at[3];
        programposition(at);
        for (int a = 0; a < 3; ++a) {
            if (block.has(kAxes[a])) at[a] = incremental_ ? at[a] + block.get(kAxes[a]) : block.get(kAxes[a]);
        }
        return tomachine(at, out);
    }
    for (int a = 0; a < 3; ++a) {
        if (!block.has(kAxes[a])) {
            out[a] = path_.pos[a];
        } else if (incremental_) {
            out[a] = path_.pos[a] + block.get(kAxes[a]);
        } else {
            out[a] = block.get(kAxes[a]) + offset(a);
        }
    }
}

void NgcInterpreter::motion(const NgcBlock& block, bool machine) {
    if (machine && motion_ != 0 && motion_ != 10) return problem("G53 works only with G0 or G1");
    switch (motion_) {
        case 0:
        case 10:
            return straight(block, machine);
        case 20:
        case 30:
            return arc(block);
        case 800:
            return problem("axis words with no motion in force (G80)");
        case 730: case 810: case 820: case 830: case 840: case 850: case 860:
        case 890:
            return cycle(block);
        default:
            return ignore(ngccodename('G', motion_));
    }
}

void NgcInterpreter::straight(const NgcBlock& block, bool machine) {
    double to[3];
    if (machine) {
        // Machine coordinates, absolute whatever the distance mode.
        for (int a = 0; a < 3; ++a) to[a] = block.has(kAxes[a]) ? block.get(kAxes[a]) : path_.pos[a];
    } else {
        target(block, to);
    }
    toolmove(motion_ == 0, to);
}

void NgcInterpreter::arc(const NgcBlock& block) {
    const std::string name = ngccodename('G', motion_);
    const NgcPlaneAxes axes = ngcplaneaxes(plane_);
    const int f = axes.first, s = axes.second;
    double to[3];
    target(block, to);
    const bool hasradius = block.has('R');
    const bool hascentre = block.has(kOffsets[f]) || block.has(kOffsets[s]);
    if (hasradius && hascentre) return problem(name + " with both R and a centre word");
    if (!hasradius && !hascentre) {
        return problem(name + " needs " + kOffsets[f] + " or " + kOffsets[s] + ", or R");
    }
    double turns = 1;
    if (block.has('P')) {
        turns = block.get('P');
        if (!(turns >= 1 && turns <= kMaxTurns && turns == std::floor(turns))) {
            return problem(name + " needs P as a whole number of turns from 1 to 1000");
        }
    }
    if (rotated() && plane_ != 17) {
        problem(name + " outside G17 in a turned coordinate system is drawn straight");
        return toolmove(false, to);
    }
    const double s1 = path_.pos[f], s2 = path_.pos[s];
    const double e1 = to[f], e2 = to[s];
    // Ends may miss the circle by this much: programs round their coordinates.
    const double tolerance = lengthsininch() ? 0.002 : 0.05;
    double c1 = 0, c2 = 0;
    bool made = true;
    if (hasradius) {
        const double r = block.get('R');
        const double half = std::hypot(e1 - s1, e2 - s2) / 2;
        if (half == 0) return problem(name + " with R needs an end point other than its start");
        made = roundedradiuscentre(motion_ / 10, r, s1, s2, e1, e2, tolerance, c1, c2);
        if (!made) problem(name + " radius R" + number(r) + " does not reach its end point");
    } else {
        double i1 = block.has(kOffsets[f]) ? block.get(kOffsets[f]) : 0;
        double i2 = block.has(kOffsets[s]) ? block.get(kOffsets[s]) : 0;
        if (arcabsolute_ && rotated()) {
            double at[3], centre[3];
            programposition(at);
            at[0] = block.has('I') ? i1 : at[0];
            at[1] = block.has('J') ? i2 : at[1];
            tomachine(at, centre);
            c1 = centre[0];
            c2 = centre[1];
        } else if (arcabsolute_) {
            c1 = block.has(kOffsets[f]) ? i1 + offset(f) : s1;
            c2 = block.has(kOffsets[s]) ? i2 + offset(s) : s2;
        } else {
            turn(i1, i2);
            c1 = s1 + i1;
            c2 = s2 + i2;
        }
        const double rs = std::hypot(s1 - c1, s2 - c2), re = std::hypot(e1 - c1, e2 - c2);
        const double miss = std::fabs(rs - re);
        if (!(miss <= tolerance || miss <= 0.001 * rs)) {
            made = false;
            problem(name + " end is not on its circle: radius " + number(rs) + " at the start, " +
                    number(re) + " at the end");
        }
    }
    // An arc that cannot be made is drawn as a feed straight to its end, so that what follows
    // stays where the program puts it.
    if (!made) return toolmove(false, to);
    fixunits();
    comp_.arc(line_, plane_, motion_ / 10, to, c1, c2, static_cast<int64_t>(turns));
}

void NgcInterpreter::reference(const NgcBlock& block, const double home[3]) {
    // Through the point the axis words give, then those axes (all, when none is given) home.
    if (!block.hasaxis()) return toolmove(true, home);
    double via[3];
    target(block, via);
    toolmove(true, via);
    double to[3];
    for (int a = 0; a < 3; ++a) to[a] = block.has(kAxes[a]) ? home[a] : path_.pos[a];
    toolmove(true, to);
}
