#pragma once
// One line of a Fanuc-family program split into its words. The words are kept as written:
// which of them carried a decimal point decides later, with the units in force, whether
// they count in least increments.

#include <cstdint>
#include <string>

#include "nc/ngc/ngcblock.h"

struct FanucBlock {
    NgcBlock words;         // G and M codes in tenths, the other letters once each
    uint32_t points = 0;    // one bit per letter written with a decimal point (or a macro value)
    int64_t sequence = -1;  // the N number, -1 when the line has none
};

// A block that names anything at all: the rest (blank, only a comment or N) moves nothing.
inline bool haswords(const FanucBlock& block) {
    return block.words.letters != 0 || block.words.gcount != 0 || block.words.mcount != 0;
}

enum class FanucLineKind {
    Block,    // words to execute (possibly none)
    Percent,  // a '%' line: the tape's start or end
    Deleted,  // starts with '/': skipped as with the block-delete switch on
    Header,   // "O1234": a program starts; number holds 1234
    Macro,    // holds '#', '[' or a macro keyword: executed from its text
    Bad,      // not a valid line; message says why
};

class FanucBlockParser {
  public:
    FanucLineKind parse(const char* begin, const char* end, FanucBlock& block);

    std::string message;
    int64_t number = 0;  // of a Header

  private:
    FanucLineKind bad(std::string text) {
        message = std::move(text);
        return FanucLineKind::Bad;
    }
};

// Reads a number at p: sign, digits, at most one point. Blanks before and inside it pass.
// point tells whether a point was written. False when there is no digit.
bool fanucnumber(const char*& p, const char* end, double& value, bool& point);

// The sequence number at the start of a line ("N120 ..." or "/N120"), or -1.
int64_t fanucsequence(const char* begin, const char* end);
