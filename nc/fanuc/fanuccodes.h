#pragma once
// The G and M codes of one block, sorted into the control's modal groups.

#include <cstdint>
#include <initializer_list>

#include "nc/fanuc/fanucinterpreter.h"
#include "nc/ngc/ngcblock.h"

struct FanucInterpreter::Codes {
    static constexpr int kGroups = 24;
    int32_t group[kGroups] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1,
                              -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    uint32_t given = 0;     // one bit per group above with a code in the block
    int32_t axisuser = -1;  // G4, G10, G28, G30, G31, G52 or G92: takes the axis words
    int32_t call = -1;      // G65, G66, M98 or M99 (tenths)
    bool machine = false;   // G53
    bool toolchange = false, stop = false, endsmain = false;
    bool cancelcycle = false;  // G80 given beside another motion code
    // G65 and G66 take the block's words as the macro's arguments.
    bool takesarguments() const { return call == 650 || call == 660; }
    bool any(uint32_t groups) const { return (given & groups) != 0; }
    static constexpr uint32_t bits(std::initializer_list<int> groups) {
        uint32_t b = 0;
        for (const int g : groups) b |= 1u << g;
        return b;
    }
};

// The codes of the block gathered last without a notice, sorted; and where the others are.
struct FanucInterpreter::CodesMemo {
    int gcount = -1, mcount = -1;
    int32_t gcodes[NgcBlock::kMaxCodes] = {};
    int32_t mcodes[NgcBlock::kMaxCodes] = {};
    Codes codes;
    const Codes none{};  // a block without codes
    Codes scratch;     // codes that were noted

    bool sorts(const NgcBlock& words) const {
        if (words.gcount != gcount || words.mcount != mcount) return false;
        for (int i = 0; i < gcount; ++i) {
            if (words.gcodes[i] != gcodes[i]) return false;
        }
        for (int i = 0; i < mcount; ++i) {
            if (words.mcodes[i] != mcodes[i]) return false;
        }
        return true;
    }
    void keep(const NgcBlock& words, const Codes& sorted) {
        gcount = words.gcount;
        mcount = words.mcount;
        for (int i = 0; i < gcount; ++i) gcodes[i] = words.gcodes[i];
        for (int i = 0; i < mcount; ++i) mcodes[i] = words.mcodes[i];
        codes = sorted;
    }
};

inline const FanucInterpreter::Codes* FanucInterpreter::gather(const NgcBlock& words) {
    // Most blocks name no code, or the same ones as a block not long before (a loop's
    // lines, a CAM program's G1 lines): sorted once, taken again while nothing was said.
    const CodesMemo& memo = *codesmemo_;
    if (words.gcount == 0 && words.mcount == 0) return &memo.none;
    if (memo.sorts(words)) return &memo.codes;
    return sortcodes(words);
}

// The control's modal group of a G code (tenths), 0 for those that act once, -1 for none.
// Groups used: 1 motion, 2 plane, 3 distance, 5 feed, 6 units, 7 cutter compensation,
// 8 tool length, 10 cycle return, 11 scaling, 12 macro modal call, 14 work system,
// 15 cutting mode, 16 rotation, 17 polar, 22 mirror image.
int fanucgroupof(int32_t g);

inline bool fanuciscycle(int32_t motion) {
    return motion == 730 || motion == 740 || motion == 760 || (motion >= 810 && motion <= 890);
}

// Peck cycles whose Q is a depth; G76 and G87 shift by Q.
inline bool fanucqislength(int32_t motion) {
    return motion == 730 || motion == 830 || motion == 760 || motion == 870;
}
