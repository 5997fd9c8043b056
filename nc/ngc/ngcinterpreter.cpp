#include "nc/ngc/ngcinterpreter.h"

#include <cmath>


struct NgcInterpreter::Codes {
    int32_t group[16] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    int32_t axisuser = -1;  // G10, G28, G30 or G92: takes the axis words from the motion
    int32_t offsetreset = -1;  // G92.1, G92.2 or G92.3
    bool dwell = false, toolchange = false, machine = false, store28 = false, store30 = false;
    bool stop = false;
    bool cancelcycle = false;  // G80 given beside another motion code
    bool othergroups = false;  // a modal code of a group other than motion
};

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

bool NgcInterpreter::setcoordinates(const NgcBlock& block, const Codes& codes) {
    static constexpr char kAxes[3] = {'X', 'Y', 'Z'};
    if (codes.axisuser == 100) {
        const double l = block.has('L') ? block.get('L') : -1;
        const double p = block.has('P') ? block.get('P') : -1;
        if (l == 1 || l == 10 || l == 11) {
            ignore(l == 1 ? "G10 L1" : l == 10 ? "G10 L10" : "G10 L11");
            return true;
        }
        if (l != 2 && l != 20) {
            problem("G10 needs L2 or L20");
            return false;
        }
        if (!(p >= 0 && p <= 9 && p == std::floor(p))) {
            problem("G10 needs P 0 to 9");
            return false;
        }
        const int target = p == 0 ? system_ : static_cast<int>(p) - 1;
        if (block.has('R')) rotation_[target] = block.get('R') / wordscale();  // degrees, not a length
        for (int a = 0; a < 3; ++a) {
            if (!block.has(kAxes[a])) continue;
            const double v = block.get(kAxes[a]);
            work_[target][a] = l == 2 ? v : path_.pos[a] - g92_[a] - v;
        }
        if (l == 20 && rotation_[target] != 0 && (block.has('X') || block.has('Y'))) {
            // The origin that puts the tool at the given coordinates seen through the turn.
            double at[3];
            const int held = system_;
            system_ = target;
            programposition(at);
            for (int a = 0; a < 2; ++a) at[a] = block.has(kAxes[a]) ? block.get(kAxes[a]) : at[a];
            double x = at[0] + g92_[0], y = at[1] + g92_[1];
            turn(x, y);
            work_[target][0] = path_.pos[0] - x;
            work_[target][1] = path_.pos[1] - y;
            system_ = held;
        }
    } else if (codes.axisuser == 280 || codes.axisuser == 300) {
        reference(block, codes.axisuser == 280 ? home28_ : home30_);
    } else if (codes.axisuser == 920) {
        if (!block.hasaxis()) {
            problem("G92 needs an axis word");
            return false;
        }
        double at[3];
        programposition(at);
        for (int a = 0; a < 3; ++a) {
            // Seen through a turned system the offset adds to the program's coordinates.
            if (block.has(kAxes[a])) {
                g92_[a] = rotated() ? at[a] + g92_[a] - block.get(kAxes[a])
                                    : path_.pos[a] - work_[system_][a] - block.get(kAxes[a]);
            }
            g92stored_[a] = g92_[a];
        }
    }
    if (codes.store28 || codes.store30) {
        for (int a = 0; a < 3; ++a) (codes.store28 ? home28_ : home30_)[a] = path_.pos[a];
    }
    if (codes.offsetreset >= 0) {
        for (int a = 0; a < 3; ++a) {
            if (codes.offsetreset == 921) g92stored_[a] = 0;
            g92_[a] = codes.offsetreset == 923 ? g92stored_[a] : 0;
        }
    }
    return true;
}
