// Work coordinate systems, G52, G92, G10, tool length offsets, the coordinate changes and
// the length unit.

#include <cmath>
#include <string>

#include "nc/fanuc/fanuccodes.h"
#include "nc/fanuc/fanucinterpreter.h"
#include "nc/unitchange.h"

namespace {

constexpr char kAxes[3] = {'X', 'Y', 'Z'};
constexpr char kFactors[3] = {'I', 'J', 'K'};
constexpr double kMillimetresPerInch = 25.4;

bool whole(double v, double low, double high) {
    return v >= low && v <= high && v == std::floor(v);
}

}  // namespace

bool FanucInterpreter::coordinates(const NgcBlock& block, const Codes& codes) {
    if (codes.axisuser == 100) {
        const double l = block.has('L') ? block.get('L') : -1;
        const double p = block.has('P') ? block.get('P') : -1;
        if (l == 10 || l == 11 || l == 12 || l == 13 || l == 1 || l == 3) {
            // The offset memory, and L3 the tool life data.
            ignore("G10 L" + std::to_string(static_cast<int>(l)));
            return true;
        }
        double* system = nullptr;
        if (l == 2 && whole(p, 0, 6)) {
            system = p == 0 ? external_ : work_[static_cast<int>(p) - 1];
        } else if (l == 20 && whole(p, 1, 48)) {
            system = work_[5 + static_cast<int>(p)];
        } else {
            problem(l == 2 ? "G10 L2 needs P 0 to 6" : l == 20 ? "G10 L20 needs P 1 to 48" : "G10 needs L2 or L20");
            return false;
        }
        for (int a = 0; a < 3; ++a) {
            if (!block.has(kAxes[a])) continue;
            // G91 adds to what the system holds.
            system[a] = incremental_ ? system[a] + block.get(kAxes[a]) : block.get(kAxes[a]);
        }
        reprogram();
    } else if (codes.axisuser == 280 || codes.axisuser == 300) {
        reference(block);
    } else if (codes.axisuser == 520) {
        for (int a = 0; a < 3; ++a) {
            if (block.has(kAxes[a])) local_[a] = block.get(kAxes[a]);
        }
        reprogram();
    } else if (codes.axisuser == 920) {
        for (int a = 0; a < 3; ++a) {
            if (!block.has(kAxes[a])) continue;
            g92_[a] = 0;
            g92_[a] = path_.pos[a] - offset(a) - block.get(kAxes[a]);
        }
        reprogram();
    }
    return true;
}

bool FanucInterpreter::lengthoffset(const Codes& codes, const NgcBlock& block) {
    // The programmed point stays: the next move, or this block's, goes to it with the new
    // offset, as a move in G91 adds the offset's change to its own.
    int32_t code = codes.group[8];
    if (code < 0) {
        // Under G43 or G44 the control takes a new H's length at once, in the same direction;
        // the H of a call block is an argument or belongs to the call.
        if (lengthmode_ == 490 || !block.has('H') || codes.call >= 0) return false;
        code = lengthmode_;
    }
    const double before = length_;
    if (code == 490) {
        lengthmode_ = code;
        length_ = 0;
        return length_ != before;
    }
    const double h = block.has('H') ? block.get('H') : -1;
    if (!whole(h, 0, 2147483647.0)) {
        problem(ngccodename('G', code) + " needs H, an offset number");
        return false;
    }
    lengthmode_ = code;
    double length = 0;
    if (h > 0) {
        const int32_t number = static_cast<int32_t>(h);
        const bool registers = job_.offsets.found();
        comp_.nametableproblems(line_);
        if (!registers && !job_.tools.found()) {
            // Named once: the offset is then left off, never guessed.
            job_.notice.ignore("G43/G44 without an offset file", line_);
            return false;
        }
        const ToolEntry* entry = registers ? nullptr : job_.tools.find(number);
        double millimetres = entry != nullptr ? entry->length : 0;
        if (registers ? !job_.offsets.length(number, millimetres) : entry == nullptr) {
            job_.notice.ignore("G43/G44 H" + std::to_string(number) + " not in the offset file", line_);
            return false;
        }
        length = millimetres / (lengthsininch() ? kMillimetresPerInch : 1);
    }
    length_ = code == 440 ? -length : length;
    return length_ != before;
}

bool FanucInterpreter::transforms(const Codes& codes, const FanucBlock& written, const NgcBlock& block) {
    bool took = false;
    const int32_t mirror = codes.group[22], scaling = codes.group[11], rotation = codes.group[16];
    if (mirror == 501) {
        // G50.1 with axis words cancels those axes; without, every axis.
        for (int a = 0; a < 3; ++a) {
            if (block.has(kAxes[a]) || !block.hasaxis()) transform_.mirrored[a] = false;
        }
        took = true;
    } else if (mirror == 511) {
        for (int a = 0; a < 3; ++a) {
            if (!block.has(kAxes[a])) continue;
            transform_.mirrored[a] = true;
            transform_.mirrorcentre[a] = block.get(kAxes[a]);
        }
        took = true;
    }
    if (scaling == 500) {
        transform_.scaling = false;
    } else if (scaling == 510) {
        // The factor in thousandths without a point; P for all axes, else I J K each.
        auto factor = [&](char letter) {
            const double v = written.words.get(letter);
            return (written.points & (1u << (letter - 'A'))) ? v : v / 1000;
        };
        for (int a = 0; a < 3; ++a) {
            transform_.scalecentre[a] = block.has(kAxes[a]) ? block.get(kAxes[a]) : prog_[a];
            double f = 1;
            if (written.words.has('P')) {
                f = factor('P');
            } else if (written.words.has(kFactors[a])) {
                f = factor(kFactors[a]);
            }
            transform_.factor[a] = f;
        }
        if (!(std::isfinite(transform_.factor[0]) && std::isfinite(transform_.factor[1]) &&
              std::isfinite(transform_.factor[2]) && transform_.factor[0] != 0 &&
              transform_.factor[1] != 0 && transform_.factor[2] != 0)) {
            problem("G51 needs a scale factor other than 0");
        } else {
            transform_.scaling = true;
        }
        took = true;
    }
    if (rotation == 690) {
        transform_.rotating = false;
    } else if (rotation == 680) {
        const NgcPlaneAxes axes = ngcplaneaxes(plane_);
        transform_.first = axes.first;
        transform_.second = axes.second;
        const int f = axes.first, s = axes.second;
        transform_.rotatecentre[0] = block.has(kAxes[f]) ? block.get(kAxes[f]) : prog_[f];
        transform_.rotatecentre[1] = block.has(kAxes[s]) ? block.get(kAxes[s]) : prog_[s];
        // The angle in thousandths of a degree without a point, absolute in G90 and G91.
        double degrees = 0;
        if (written.words.has('R')) {
            degrees = written.words.get('R');
            if (!(written.points & (1u << ('R' - 'A')))) degrees /= 1000;
        }
        transform_.degrees = degrees;
        transform_.rotating = std::isfinite(degrees);
        took = true;
    }
    return took;
}

void FanucInterpreter::setunits(bool inch) {
    const UnitChange change = unitchange(inch, inch_, unitsfixed_, unitsnoted_, lengthsinch_);
    if (change.factor != 1) scaleheld(change.factor);
    if (!change.problem.empty()) problem(change.problem);
}

void FanucInterpreter::scaleheld(double factor) {
    for (int a = 0; a < 3; ++a) {
        for (double(&system)[3] : work_) system[a] *= factor;
        external_[a] *= factor;
        g92_[a] *= factor;
        local_[a] *= factor;
        prog_[a] *= factor;
        path_.pos[a] *= factor;
        transform_.mirrorcentre[a] *= factor;
        transform_.scalecentre[a] *= factor;
    }
    for (double& c : transform_.rotatecentre) c *= factor;
    length_ *= factor;
    cycler_ *= factor;
    cyclebottom_ *= factor;
    cycleq_ *= factor;
    initial_ *= factor;
    path_.scalefeed(factor);
}

void FanucInterpreter::modes(const Codes& codes, const NgcBlock& block) {
    const int32_t* g = codes.group;
    if (g[2] >= 0) plane_ = g[2] / 10;
    if (g[14] >= 0) {
        if (g[14] == 541) {
            const double p = block.has('P') ? block.get('P') : -1;
            if (!(p >= 1 && p <= 48 && p == std::floor(p))) {
                problem("G54.1 needs P 1 to 48");
            } else {
                system_ = 5 + static_cast<int>(p);
            }
        } else {
            system_ = (g[14] - 540) / 10;
        }
        reprogram();
    }
    if (g[3] >= 0) incremental_ = g[3] == 910;
    if (g[10] >= 0) retracttor_ = g[10] == 990;
    if (g[17] == 160) polar_.start();
    if (g[17] == 150) polar_.on = false;
}
