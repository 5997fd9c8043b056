// The block's changes to where program coordinates sit: G10 L2/L20 (with a turn), the stored
// G28/G30 positions, G92 and its resets.

#include <cmath>

#include "nc/ngc/ngcblockcodes.h"

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
