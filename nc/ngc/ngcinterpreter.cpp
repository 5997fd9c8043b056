#include "nc/ngc/ngcinterpreter.h"

#include <cmath>

#include "nc/ngc/ngcblockcodes.h"

namespace {

// The modal group of a G code (tenths), 0 for the codes that act once, -1 for none.
int groupof(int32_t g) {
    switch (g) {
        case 0: case 10: case 20: case 30: case 50: case 51: case 52: case 330: case 331:
        case 382: case 383: case 384: case 385: case 730: case 760: case 800: case 810:
        case 820: case 830: case 840: case 850: case 860: case 870: case 880: case 890:
            return 1;
        case 170: case 180: case 190:
            return 2;
        case 900: case 910:
            return 3;
        case 901: case 911:
            return 4;
        case 930: case 940: case 950:
            return 5;
        case 200: case 210:
            return 6;
        case 400: case 410: case 411: case 420: case 421:
            return 7;
        case 430: case 431: case 432: case 490:
            return 8;
        case 980: case 990:
            return 10;
        case 540: case 550: case 560: case 570: case 580: case 590: case 591: case 592: case 593:
            return 12;
        case 610: case 611: case 640:
            return 13;
        case 960: case 970:
            return 14;
        case 70: case 80:
            return 15;
        case 40: case 100: case 280: case 281: case 300: case 301: case 530: case 920:
        case 921: case 922: case 923:
            return 0;
        default:
            return -1;
    }
}

// groupof for every code a block can hold, looked up once per code of every block.
struct GroupTable {
    static constexpr int32_t kCodes = 1000;
    int8_t group[kCodes];
    GroupTable() {
        for (int32_t g = 0; g < kCodes; ++g) group[g] = static_cast<int8_t>(groupof(g));
    }
    int lookup(int32_t g) const { return g >= 0 && g < kCodes ? group[g] : -1; }
};
const GroupTable kGroups;

int systemindex(int32_t g) {
    return g <= 590 ? (g - 540) / 10 : 5 + (g - 590);
}

}  // namespace

void NgcInterpreter::execute(const NgcBlock& written) {
    Codes codes;
    for (int i = 0; i < written.gcount; ++i) {
        const int32_t g = written.gcodes[i];
        const int group = kGroups.lookup(g);
        if (group < 0) return problem("unknown code " + ngccodename('G', g));
        if (group > 0) {
            int32_t& held = codes.group[group];
            // G80 beside a motion code, as posts write their safety line ("G0 G80 G90 ..."):
            // the cycle is cancelled and the other code is the motion.
            if (group == 1 && (held == 800 || g == 800) && held != g) {
                codes.cancelcycle = true;
                if (held < 0 || held == 800) held = g;
                continue;
            }
            if (held >= 0) {
                return problem(ngccodename('G', held) + " and " + ngccodename('G', g) +
                               " in one block: they exclude each other");
            }
            held = g;
            codes.othergroups |= group != 1;
        } else if (g == 40) {
            codes.dwell = true;
        } else if (g == 530) {
            codes.machine = true;
        } else if (g == 281 || g == 301) {
            (g == 281 ? codes.store28 : codes.store30) = true;
        } else if (g == 921 || g == 922 || g == 923) {
            codes.offsetreset = g;
        } else {
            if (codes.axisuser >= 0) {
                return problem(ngccodename('G', codes.axisuser) + " and " + ngccodename('G', g) +
                               " in one block: both take the axis words");
            }
            codes.axisuser = g;
        }
    }
    // G80 takes no axis words: beside G28, G92 and their like it only cancels.
    if (codes.group[1] >= 0 && codes.group[1] != 800 && codes.axisuser >= 0 && written.hasaxis()) {
        return problem(ngccodename('G', codes.group[1]) + " and " +
                       ngccodename('G', codes.axisuser) + " in one block: both take the axis words");
    }
    for (int i = 0; i < written.mcount; ++i) {
        const int32_t m = written.mcodes[i];
        if (m == 20 || m == 300) {
            codes.stop = true;
        } else if (m == 60) {
            codes.toolchange = true;
        } else if (m != 0 && m != 10 && m != 600 && (m < 30 || m > 90) && m != 480 && m != 490) {
            ignore(ngccodename('M', m));
        }
    }
    if (written.otheraxes != 0) {
        for (char axis : {'A', 'B', 'C', 'U', 'V', 'W'}) {
            if (written.otheraxes & (1u << (axis - 'A'))) ignore(std::string(1, axis));
        }
    }
    // A block that compensation refuses changes nothing, its units included.
    const int32_t refused = comp_.refuses(codes.group, codes.axisuser, codes.machine, motion_,
                                          written.hasaxis(), inch_);
    if (refused >= 0) return problem(NgcCompensation::refusal(refused));
    // Units come first: the block's own lengths are written in them.
    if (codes.group[6] >= 0) setunits(codes.group[6] == 200);
    const double scale = wordscale();
    if (scale != 1) {
        converted_ = written;
        for (const char letter : {'X', 'Y', 'Z', 'I', 'J', 'K', 'R', 'Q'}) {
            converted_.value[letter - 'A'] *= scale;
        }
        converted_.radius *= scale;  // '@' is a length too
    }
    const NgcBlock& block = scale != 1 ? converted_ : written;
    // The order of execution: feed mode and feed, tool, dwell, the modes, offsets, motion.
    if (codes.group[5] >= 0) {
        path_.setinversetime(codes.group[5] == 930);
        if (codes.group[5] == 950) ignore("G95");
    }
    if (block.has('F')) {
        feed_ = block.get('F');
        path_.setfeed(feed_, tool_, scale);
    }
    if (block.has('T')) {
        const double t = block.get('T');
        tool_ = t >= 0 && t < 2147483647.0 ? static_cast<int32_t>(t) : 0;
    }
    job_.events.written(job_.nodes.nodecount(), tool_, feed_);
    if (codes.toolchange) path_.toolchange(tool_);
    if (codes.dwell) {
        if (!block.has('P') || !(block.get('P') >= 0)) return problem("G4 needs P, the seconds to wait");
        path_.dwell(block.get('P'));
    }
    // Most blocks of a long program hold a motion code at most: no mode or offset to change.
    if (codes.othergroups) modes(codes);
    if (codes.group[7] >= 0) comp_.set(codes.group[7], block, line_, plane_, tool_, lengthsininch(), scale);
    if ((codes.axisuser >= 0 || codes.store28 || codes.store30 || codes.offsetreset >= 0) &&
        !setcoordinates(block, codes)) {
        return;
    }
    if (codes.group[1] >= 0) {
        const int32_t g = codes.group[1];
        const bool cycle = g == 730 || (g >= 810 && g <= 890);
        // Cycle words are kept only while cycles follow each other.
        if (!cycle || codes.cancelcycle) hascycler_ = hascyclebottom_ = hascycleq_ = false;
        motion_ = g;
    }
    const bool arcwords = block.has('I') || block.has('J') || block.has('K') || block.has('R');
    const bool polarwords = block.haspolar();
    polarstep_ = false;
    if (polarwords) {
        if (codes.axisuser >= 0 || codes.machine) return problem("polar words only with G0 to G3 and the cycles");
        polarstep_ = incremental_;
        polarradius_ = block.hasradius() ? block.radius : 0;
        polarangle_ = block.hasangle() ? block.angle : 0;
    }
    if (block.hasaxis() && codes.axisuser < 0) {
        const NgcBlock* moved = polarwords ? polar(block) : &block;
        if (moved == nullptr) return;
        motion(*moved, codes.machine);
    } else if (arcwords && codes.axisuser < 0 && !codes.machine && (motion_ == 20 || motion_ == 30)) {
        arc(block);  // offsets alone: a whole circle back to where it starts
    } else if (codes.machine) {
        problem("G53 without an axis word");
    }
    if (codes.stop) ended_ = true;
}

void NgcInterpreter::modes(const Codes& codes) {
    const int32_t* g = codes.group;
    if (g[2] >= 0) plane_ = g[2] / 10;
    if (g[8] == 431 || g[8] == 432) ignore(ngccodename('G', g[8]));
    if (g[12] >= 0) system_ = systemindex(g[12]);
    if (g[3] >= 0) incremental_ = g[3] == 910;
    if (g[4] >= 0) arcabsolute_ = g[4] == 901;
    if (g[10] >= 0) retracttor_ = g[10] == 990;
    if (g[15] >= 0) ignore(ngccodename('G', g[15]));
}
