#pragma once

#include <cstdint>

#include "nc/bytesource.h"
#include "nc/ignoredtally.h"
#include "nc/inlining.h"
#include "nc/moverecorder.h"
#include "nc/ncjob.h"
#include "nc/wordfeed.h"

// One run over a program: keeps the modal state of the program, turns radius words into
// centres, adds up the machining time and hands every block's move to the recorder.
class NcInterpreter {
  public:
    // readahead splits the text into words on a thread of its own (see WordFeed).
    NcInterpreter(NcJob& job, ByteSource& source, bool readahead);

    // Interprets the whole text (or up to the block during which a stop was requested), trims
    // the node of a trailing empty block and builds the statistics texts. NcFileError from
    // the source ends the run without texts.
    void PO();

  private:
    void act(uint8_t letter, double value);
    void actg(double value);
    void blockend();
    void selectfeedslot();
    void radiuscentre();
    // The block closed by the end of the text, and the final trim.
    void lastblockend(bool wordread, int32_t wordline);
    // Counts a word without an action that a real controller would act on.
    KORVEN_COLD void passedover(uint8_t letter, double value);

    NcJob& job_;
    WordFeed words_;
    MoveRecorder recorder_;
    int32_t motion_ = 0;
    int32_t plane_ = 17;
    bool incremental_ = false;
    int32_t tool_ = 0;
    double feed_ = 0;
    double x_ = 0, y_ = 0, z_ = 999;
    double i_ = 0, j_ = 0, k_ = 0;
    double r_ = 0;
    double time_ = 0;
    int32_t line_ = 0;
    const NcWord* word_ = nullptr;  // the word being acted on
    IgnoredTally tally_;
};
