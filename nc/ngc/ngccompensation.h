#pragma once
// Cutter radius compensation in the RS274/NGC reading: G41/G42 with the tool's diameter from
// the tool table, G41.1/G42.1 with the diameter in the block, G40. The reading keeps its
// programmed position in the path's `pos`; where the tool centre really is lives here, and
// every move drawn while the two differ is drawn from it.

#include <cstdint>
#include <set>
#include <string>

#include "nc/compensation/cuttercompensation.h"
#include "nc/ncjob.h"
#include "nc/offsettable.h"
#include "nc/ngc/ngcblock.h"
#include "nc/ngc/ngcpath.h"

class NgcCompensation : private CompSink {
  public:
    NgcCompensation(NcJob& job, NgcPath& path) : job_(job), path_(path) {}

    // The code of a block that cannot be done while compensation is on, or -1; refusal
    // says so.
    int32_t refuses(const int32_t group[16], int32_t axisuser, bool machine, int32_t motion,
                    bool hasaxis, bool inch) const {
        // Asked of every block, and compensation is off for nearly all of them.
        return comp_.active() ? refusesactive(group, axisuser, machine, motion, hasaxis, inch) : -1;
    }
    static std::string refusal(int32_t code);
    // G40, G41, G41.1, G42 or G42.1 (in tenths) of the block.
    void set(int32_t code, const NgcBlock& block, int32_t line, int32_t plane, int32_t tool, bool inch,
             double dscale);

    void straight(int32_t line, bool rapid, const double target[3]);
    void arc(int32_t line, int32_t plane, int32_t motion, const double target[3],
             double centrefirst, double centresecond, int64_t turns);
    // The end of the program: the move held back is drawn.
    void finish();
    // The Fanuc-family reading's registers: when its offset file was found, D numbers its
    // radii there instead of the tool table's tools; D0 is always no radius.
    void useoffsets(const OffsetTable* offsets) { offsets_ = offsets; }
    // G18 and G19 as well as G17: the control offsets in the plane in force, G41 to the
    // left as seen from the plus side of the third axis.
    void allowplanes() { anyplane_ = true; }
    // The bad lines of the file the registers come from, named once, at the first block that
    // uses it (a length offset as well as compensation).
    void nametableproblems(int32_t line);

  private:
    int32_t refusesactive(const int32_t group[16], int32_t axisuser, bool machine, int32_t motion,
                          bool hasaxis, bool inch) const;
    // The radius in register (tool) number, in the program's length unit; false when there
    // is none, named.
    bool registerradius(int32_t number, int32_t line, bool inch, double& radius);
    void draw(const CompMove& move) override;
    void problem(int32_t line, std::string message) override;
    void pass(CompMove& m, const double target[3]);
    bool engaged() const { return comp_.active() || displaced_; }

    NcJob& job_;
    NgcPath& path_;
    CutterCompensation comp_{*this};
    double drawn_[3] = {};   // the tool centre, while it differs from the programmed point
    bool displaced_ = false;
    int32_t plane_ = 17;
    const OffsetTable* offsets_ = nullptr;
    bool anyplane_ = false;
    bool tablechecked_ = false;
    static constexpr int64_t kListedProblems = 1000;
    int64_t problems_ = 0, unlisted_ = 0;
    int32_t lastline_ = 0;
};
