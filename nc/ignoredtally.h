#pragma once
// The codes and words the interpreter has no action for that a real controller would act on,
// counted by kind with the first line as the program is read, and written into the job's
// notice once at the end: a program of millions of blocks costs a scan over a few kinds per
// ignored word, never a text or an allocation. Kept out of line: the interpreter's word loop
// is faster without it.

#include <cstdint>
#include <vector>

#include "nc/readertally.h"
#include "nc/readingnotice.h"

class IgnoredTally {
  public:
    // A G code is told apart by its value as read (G92.1 is not G92); M codes by their rounded
    // value; axis letters by the letter alone (value 0).
    void note(uint8_t letter, double value, int32_t line);

    // Writes every kind, with what the reader passed over, into notice, the earliest first
    // line first.
    void writeinto(ReadingNotice& notice, const ReaderTally& reader) const;

    // Past this many kinds (a damaged or generated file) the rest share one entry, so the
    // scan stays short and the notice readable.
    static constexpr size_t kMaxKinds = 64;

  private:
    struct Kind {
        double value;
        int64_t count;
        int32_t firstline;
        uint8_t letter;  // 0 for the shared entry of kinds past the limit
    };
    void addkind(uint8_t letter, double value, int32_t line);

    std::vector<Kind> kinds_;
};
