#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "nc/bytesource.h"
#include "nc/fanuc/fanucarguments.h"
#include "nc/fanuc/fanucblock.h"
#include "nc/fanuc/fanucpolar.h"
#include "nc/fanuc/fanucprogram.h"
#include "nc/fanuc/fanuctransform.h"
#include "nc/ncjob.h"
#include "nc/ngc/ngccompensation.h"
#include "nc/ngc/ngcpath.h"

class FanucMacro;

// One run over a Fanuc-family program: its modal state, work coordinate systems, offsets and
// coordinate changes, subprogram calls and custom macros, every block in the control's
// order. What it does not act on goes to the job's notice; a faulty block is reported with
// its line and skipped; where the control would stop with an alarm, the run stops there.
class FanucInterpreter {
  public:
    // readahead splits the text into words on a thread of its own while the program runs
    // straight down it (see FanucBlockFeed).
    FanucInterpreter(NcJob& job, ByteSource& source, bool readahead);
    ~FanucInterpreter();

    // Interprets the whole text and builds the statistics. NcFileError from the source ends
    // the run without texts.
    void run();
    // Chunks for a seekable source read ahead (see FanucChunks): smaller ones serve fuzzing.
    size_t chunkbytes = FanucChunks::kChunkBytes, chunks = FanucChunks::kChunks;

    // For the macro executor: a block whose words are known, executed as if written so.
    void execute(const FanucBlock& block);
    void problem(std::string message);
    // Ends the run at the line being executed: the control would stop with an alarm here.
    void alarm(std::string message) {
        problem(std::move(message));
        ended_ = true;
    }
    // Goes on at sequence n of the program being run; false (and a problem) when none.
    bool jumpto(int64_t n);
    const FanucPlace& current() const { return current_; }
    FanucPlace& next() { return next_; }
    FanucProgram& text() { return program_; }
    int32_t line() const { return line_; }
    size_t depth() const { return stack_.size(); }
    bool ended() const { return ended_; }

  private:
    struct Codes;
    struct CodesMemo;
    // What a move calls in modalview_: the G66 specified last, or none.
    static constexpr int kLastModal = -2, kNoModal = -1;
    struct Call {
        FanucPlace back;       // where the caller goes on
        FanucPlace body;       // the subprogram's first line
        int64_t repeats = 0;   // runs still to make after this one
        bool macro = false;    // G65: has a local variable level of its own
        int callerview = kLastModal;  // the caller's modalview_, back on return
    };

    void dispatch(FanucLineKind kind, const FanucBlock& block, const std::string& message);
    // The block's codes sorted into groups, valid until the next block's; nullptr (and a
    // problem) when they are wrong.
    const Codes* gather(const NgcBlock& words);
    const Codes* sortcodes(const NgcBlock& words);  // the long way, kept for the next block when quiet
    // The block's words in the units lengths are kept in; the written block itself when
    // nothing needs changing.
    const NgcBlock& scaled(const FanucBlock& block, const Codes& codes) {
        // Told inline: nearly every block's lengths carry a point, in the units they count in.
        constexpr uint32_t kLengths = (1u << ('X' - 'A')) | (1u << ('Y' - 'A')) | (1u << ('Z' - 'A')) |
                                      (1u << ('I' - 'A')) | (1u << ('J' - 'A')) | (1u << ('K' - 'A')) |
                                      (1u << ('R' - 'A')) | (1u << ('Q' - 'A'));
        if ((block.words.letters & kLengths & ~block.points) == 0 && inch_ == lengthsininch()) return block.words;
        return rescaled(block, codes);
    }
    const NgcBlock& rescaled(const FanucBlock& block, const Codes& codes);
    void modes(const Codes& codes, const NgcBlock& block);
    bool coordinates(const NgcBlock& block, const Codes& codes);
    // True when the offset in force changed.
    bool lengthoffset(const Codes& codes, const NgcBlock& block);
    // The coordinate changes of the block; true when they took its axis words.
    bool transforms(const Codes& codes, const FanucBlock& written, const NgcBlock& block);
    void motion(const NgcBlock& block, bool machine);
    void arc(const NgcBlock& block);
    void reference(const NgcBlock& block);
    void cycle(const NgcBlock& block);
    void hole(double hole1, double hole2, double r, double bottom);
    // moved: the block made a move, after which a G66 call in force runs.
    void calls(const Codes& codes, const NgcBlock& block, bool moved);
    // arguments: nullptr for M98, a new local level with them for a macro call; modal: the
    // entry of modals_ making the call after a move, or kNoModal.
    void call(int64_t number, int64_t repeats, const FanucArguments* arguments, int modal);
    bool arguments(const NgcBlock& block, FanucArguments& out);
    void modalstart(const NgcBlock& block);
    void modalcancel();
    // The entry of modals_ a move calls now, or kNoModal.
    int modalcalled() const {
        return modalview_ == kLastModal ? static_cast<int>(modals_.size()) - 1 : modalview_;
    }
    // The plane's words as a polar point under G16.
    void polarpoint(const NgcBlock& block, double to[3]);
    void giveback(const NgcBlock& block);
    void ignore(const std::string& code) { job_.notice.ignore(code, line_); }

    // Program coordinates to machine coordinates: the coordinate changes, then the offsets.
    void machine(const double programmed[3], double out[3]) const;
    double offset(int axis) const {
        return external_[axis] + work_[system_][axis] + g92_[axis] + local_[axis] + (axis == 2 ? length_ : 0);
    }
    // The programmed point of the axis words, absolute or incremental.
    void target(const NgcBlock& block, double out[3]) const;
    // Where the tool stands, in program coordinates, after offsets changed under it.
    void reprogram();
    void moveto(bool rapid, const double programmed[3]);
    void toolmove(bool rapid, const double machinepoint[3]) {
        fixunits();
        comp_.straight(line_, rapid, machinepoint);
    }

    void setunits(bool inch);
    void fixunits() {
        if (unitsfixed_) return;
        unitsfixed_ = true;
        lengthsinch_ = inch_;
    }
    bool lengthsininch() const { return unitsfixed_ ? lengthsinch_ : inch_; }
    double wordscale() const {
        if (inch_ == lengthsininch()) return 1;
        return inch_ ? 25.4 : 1 / 25.4;
    }
    void scaleheld(double factor);

    NcJob& job_;
    ByteSource& source_;
    bool readahead_;
    FanucProgram program_;
    FanucBlockParser parser_;
    NgcPath path_;
    NgcCompensation comp_;
    FanucMacro* macro_ = nullptr;
    std::unique_ptr<CodesMemo> codesmemo_;
    NgcBlock scaled_;
    FanucPlace current_, next_;
    int32_t line_ = 0;
    bool ended_ = false;
    bool mainstarted_ = false;  // a block or the main program's header was met
    std::vector<Call> stack_;
    std::vector<FanucModalCall> modals_;  // G66 calls in force, the last specified last
    int modalview_ = kLastModal;          // which of them the moves of this level call
    static constexpr size_t kMaxNesting = 32;
    static constexpr int64_t kListedProblems = 1000;
    int64_t problems_ = 0, unlisted_ = 0;

    // Modal state: the control's usual power-on modes, metric.
    int32_t motion_ = 0;    // tenths
    int32_t plane_ = 17;
    bool incremental_ = false;
    bool inch_ = false;
    bool lengthsinch_ = false;
    bool unitsfixed_ = false;
    bool unitsnoted_ = false;
    bool retracttor_ = false;  // G99
    int32_t tool_ = 0;
    int32_t dregister_ = 0;  // D0: no radius
    double feed_ = 0;

    double prog_[3] = {0, 0, 0};  // where the tool stands, as programmed (before the changes)
    int system_ = 0;              // G54 .. G59 as 0 .. 5, G54.1 P1 .. P48 as 6 .. 53
    double work_[54][3] = {};
    double external_[3] = {};
    double g92_[3] = {};
    double local_[3] = {};        // G52
    double length_ = 0;           // G43/G44 along Z
    int32_t lengthmode_ = 490;    // G43, G44 or G49: an H word alone acts under the first two
    FanucTransform transform_;
    FanucPolar polar_;

    // Canned-cycle words kept from one cycle block to the next.
    double cycler_ = 0, cyclebottom_ = 0, cycleq_ = 0, cyclep_ = 0;
    double initial_ = 0;          // the initial level, program coordinates across the plane
    bool incycle_ = false;
    bool hascycler_ = false, hascyclebottom_ = false;
};
