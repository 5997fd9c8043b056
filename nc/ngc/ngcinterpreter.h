#pragma once

#include <cstdint>
#include <string>

#include "nc/bytesource.h"
#include "nc/ncjob.h"
#include "nc/ngc/ngcblock.h"
#include "nc/ngc/ngccompensation.h"
#include "nc/ngc/ngcflow.h"
#include "nc/ngc/ngcpath.h"

// One run over an RS274/NGC program: the modal state, the coordinate systems and offsets,
// and every block executed in the language's order. What it does not read (cutter
// compensation, probing ...) goes to the job's notice, never guessed at; a faulty block is
// reported with its line and skipped. Parameters and O-words are NgcFlow's.
class NgcInterpreter {
  public:
    // readahead splits the text into blocks on a thread of its own (see NgcBlockFeed);
    // folder is the program's, where files of called subroutines are looked for first;
    // program its file, read on for a subroutine called before its definition.
    NgcInterpreter(NcJob& job, ByteSource& source, bool readahead, std::string folder = "",
                   std::string program = "")
        : job_(job), source_(source), path_(job), comp_(job, path_), readahead_(readahead),
          flow_(*this, std::move(folder), std::move(program)) {}

    // Interprets the whole text and builds the statistics. NcFileError from the source ends
    // the run without texts.
    void run();

    // Runs a line that would otherwise run until it hits this bound (tests only).
    void setsteplimit(int64_t limit) { flow_.setsteplimit(limit); }

  private:
    friend class NgcFlow;
    struct Codes;

    void executeline(const NgcBlock& block);
    void poll();
    // #5061.. #5428, read from and written to the state they describe. False (read) when n
    // is not one of them; false (write) with `problem` when the program may not set it.
    bool systemparameter(int32_t n, double& value);
    bool setsystemparameter(int32_t n, double value, std::string& problem);

    void execute(const NgcBlock& block);
    void modes(const Codes& codes);
    bool setcoordinates(const NgcBlock& block, const Codes& codes);
    void motion(const NgcBlock& block, bool machine);
    void straight(const NgcBlock& block, bool machine);
    void arc(const NgcBlock& block);
    void reference(const NgcBlock& block, const double home[3]);
    void cycle(const NgcBlock& block);
    void drill(int32_t code, const NgcPlaneAxes& axes, double hole1, double hole2, double r,
               double bottom, double clear);
    void peck(int32_t code, int drillaxis, double r, double bottom);
    void problem(std::string message);
    void ignore(const std::string& code);

    // Program coordinates (the current work system and G92 offset applied) of the machine
    // position, and back.
    double program(int axis) const { return path_.pos[axis] - offset(axis); }
    double offset(int axis) const { return work_[system_][axis] + g92_[axis]; }
    // The same through a turned coordinate system (G10 L2 R): exact shifts when none is.
    bool rotated() const { return rotation_[system_] != 0; }
    void programposition(double out[3]) const;
    void tomachine(const double program[3], double out[3]) const;
    void turn(double& first, double& second) const;  // an XY offset into machine directions
    // The block with its polar words made axis words, or nullptr after a problem.
    const NgcBlock* polar(const NgcBlock& block);
    // The target of the axis words in program coordinates, absolute or incremental.
    void target(const NgcBlock& block, double out[3]) const;
    void toolmove(bool rapid, const double machine[3]) {
        fixunits();
        comp_.straight(line_, rapid, machine);
    }

    // Lengths are kept in one unit throughout: the one in force at the first move. Until then
    // a change of units converts what is held; after it, words in the other unit are converted
    // as they are read.
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
    NgcPath path_;
    NgcCompensation comp_;
    bool readahead_;
    NgcFlow flow_;
    WorkingCallback progress_;
    double fraction_ = 0;
    int32_t line_ = 0;
    bool ended_ = false;
    bool blockseen_ = false;
    static constexpr int64_t kListedProblems = 1000;
    int64_t problems_ = 0, unlisted_ = 0;

    // Modal state: the standard's start-up modes, metric.
    int32_t motion_ = 800;  // tenths: G80, no motion
    int32_t plane_ = 17;
    bool incremental_ = false;
    bool arcabsolute_ = false;  // G90.1
    bool inch_ = false;         // the unit words are written in
    bool lengthsinch_ = false;  // the unit positions are kept in, once fixed
    bool unitsfixed_ = false;
    bool unitsnoted_ = false;
    NgcBlock converted_;  // a block written in the other unit, its lengths converted
    NgcBlock polar_;      // a block with polar words, made axis words
    // G91 polar words of the block: each repeat of a cycle turns and steps by them again.
    bool polarstep_ = false;
    double polarradius_ = 0, polarangle_ = 0;
    bool retracttor_ = false;   // G99
    int32_t tool_ = 0;
    double feed_ = 0;

    int system_ = 0;              // G54 .. G59.3 as 0 .. 8
    double work_[9][3] = {};      // work offsets
    double rotation_[9] = {};     // their turns about Z, degrees
    double g92_[3] = {};          // G92 offset in force
    double g92stored_[3] = {};    // what G92.3 brings back
    double home28_[3] = {}, home30_[3] = {};

    // Canned-cycle words kept from one cycle block to the next.
    double cycler_ = 0, cyclebottom_ = 0, cycleq_ = 0, cyclep_ = 0;
    bool hascycler_ = false, hascyclebottom_ = false, hascycleq_ = false;
};
