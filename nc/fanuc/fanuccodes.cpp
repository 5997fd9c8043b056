#include "nc/fanuc/fanuccodes.h"

#include <cmath>

#include "nc/ngc/ngcblock.h"

int fanucgroupof(int32_t g) {
    switch (g) {
        case 0: case 10: case 20: case 30: case 730: case 740: case 760: case 800: case 810:
        case 820: case 830: case 840: case 850: case 860: case 870: case 880: case 890:
            return 1;
        case 170: case 180: case 190:
            return 2;
        case 900: case 910:
            return 3;
        case 940: case 950:
            return 5;
        case 200: case 210:
            return 6;
        case 400: case 410: case 420:
            return 7;
        case 430: case 440: case 490:
            return 8;
        case 980: case 990:
            return 10;
        case 500: case 510:
            return 11;
        case 660: case 670:
            return 12;
        case 540: case 541: case 550: case 560: case 570: case 580: case 590:
            return 14;
        case 610: case 620: case 630: case 640:
            return 15;
        case 680: case 690:
            return 16;
        case 150: case 160:
            return 17;
        case 501: case 511:
            return 22;
        case 40: case 90: case 100: case 110: case 270: case 280: case 290: case 300: case 310:
        case 311: case 312: case 313: case 520: case 530: case 650: case 920:
            return 0;
        default:
            return -1;
    }
}

const FanucInterpreter::Codes* FanucInterpreter::sortcodes(const NgcBlock& words) {
    CodesMemo& memo = *codesmemo_;
    Codes& codes = memo.scratch;
    codes = Codes{};
    bool quiet = true;
    for (int i = 0; i < words.gcount; ++i) {
        const int32_t g = words.gcodes[i];
        const int group = fanucgroupof(g);
        if (group < 0) {
            problem("unknown code " + ngccodename('G', g));
            return nullptr;
        }
        if (group > 0) {
            // Two codes of one group: the control takes the last. G80 beside a motion code, as
            // posts write a safety line, cancels the cycle and leaves the other the motion.
            int32_t& held = codes.group[group];
            codes.given |= 1u << group;
            if (group == 1 && (held == 800 || g == 800) && held != g) {
                codes.cancelcycle = true;
                if (held < 0 || held == 800) held = g;
                continue;
            }
            held = g;
        } else if (g == 530) {
            codes.machine = true;
        } else if (g == 650) {
            codes.call = 650;
        } else if (g == 90 || g == 110) {
            // Exact stop and the end of data setting change nothing drawn.
        } else if (g == 270 || g == 290) {
            ignore(ngccodename('G', g));
            quiet = false;
        } else {
            // The skip (probing) moves until a signal there is none of here: its axis words
            // are taken and nothing is drawn.
            if (g >= 310 && g <= 313) {
                ignore(ngccodename('G', g));
                quiet = false;
            }
            if (codes.axisuser >= 0) {
                problem(ngccodename('G', codes.axisuser) + " and " + ngccodename('G', g) +
                        " in one block: both take the axis words");
                return nullptr;
            }
            codes.axisuser = g;
        }
    }
    if (codes.group[12] == 660) {
        if (codes.call >= 0) {
            problem("G65 and G66 exclude each other in one block");
            return nullptr;
        }
        codes.call = 660;
    }
    // G65 and G66 take M as an argument.
    for (int i = 0; i < (codes.takesarguments() ? 0 : words.mcount); ++i) {
        const int32_t m = words.mcodes[i];
        if (m == 20 || m == 300) {
            codes.stop = true;
        } else if (m == 60) {
            codes.toolchange = true;
        } else if (m == 980 || m == 990) {
            if (codes.call >= 0) {
                problem("M98, M99 and G65 exclude each other in one block");
                return nullptr;
            }
            codes.call = m;
        } else if (m != 0 && m != 10 && (m < 30 || m > 90) && m != 480 && m != 490) {
            ignore(ngccodename('M', m));
            quiet = false;
        }
    }
    // A block whose codes were noted must be noted again on its own line.
    if (!quiet) return &codes;
    memo.keep(words, codes);
    return &memo.codes;
}

const NgcBlock& FanucInterpreter::rescaled(const FanucBlock& written, const Codes& codes) {
    // Lengths written without a point count in the least increment of the units in force.
    const double increment = inch_ ? 0.0001 : 0.001;
    const double scale = wordscale();
    // Only what the block holds is copied: the whole record is several times the size of
    // a plain line's few words, and this runs for most blocks of a CAM program.
    NgcBlock& block = scaled_;
    const NgcBlock& words = written.words;
    block.letters = words.letters;
    block.otheraxes = words.otheraxes;
    block.gcount = words.gcount;
    block.mcount = words.mcount;
    for (int i = 0; i < words.gcount; ++i) block.gcodes[i] = words.gcodes[i];
    for (int i = 0; i < words.mcount; ++i) block.mcodes[i] = words.mcodes[i];
    block.radius = words.radius;
    block.angle = words.angle;
    for (uint32_t left = words.letters & NgcBlock::kLetters; left != 0; left &= left - 1) {
        const int index = __builtin_ctz(left);
        block.value[index] = words.value[index];
    }
    const bool rotation = codes.group[16] == 680;
    const bool scaling = codes.group[11] == 510;
    const int32_t nextmotion = codes.group[1] >= 0 ? codes.group[1] : motion_;
    auto length = [&](char letter) {
        if (!block.has(letter)) return;
        double& v = block.value[letter - 'A'];
        if (!(written.points & (1u << (letter - 'A')))) v *= increment;
        v *= scale;
    };
    for (const char letter : {'X', 'Y', 'Z'}) length(letter);
    // I J K are a centre's offsets; G51 makes them factors, a cycle's K counts repeats.
    if (!scaling) {
        length('I');
        length('J');
        if (!fanuciscycle(nextmotion) || codes.takesarguments()) length('K');
    }
    if (!rotation) length('R');
    if (fanucqislength(nextmotion) && !codes.takesarguments()) length('Q');
    return block;
}
