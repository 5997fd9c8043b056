#pragma once
// One line of an RS274/NGC program split into its words. G and M codes are kept as whole
// tenths (G92.1 is 921) so that codes compare exactly; every other letter may appear once.

#include <cstdint>
#include <string>

struct NgcBlock {
    static constexpr int kMaxCodes = 12;

    uint32_t letters = 0;     // one bit per letter A..Z given in the block (G and M excepted)
    uint32_t otheraxes = 0;   // A B C U V W: axes this reading does not draw
    double value[26] = {};
    int32_t gcodes[kMaxCodes] = {};
    int32_t mcodes[kMaxCodes] = {};
    int gcount = 0;
    int mcount = 0;
    // Polar words: '@' the radius, '^' the angle in degrees, in the plane's two axes.
    bool hasradius = false, hasangle = false;
    double radius = 0, angle = 0;

    bool has(char letter) const { return (letters >> (letter - 'A')) & 1u; }
    double get(char letter) const { return value[letter - 'A']; }
    bool hasaxis() const { return has('X') || has('Y') || has('Z') || hasradius || hasangle; }
};

// What a line turned out to be.
enum class NgcLineKind {
    Block,     // words to execute (possibly none)
    Percent,   // a '%' line
    Deleted,   // starts with '/': skipped as with the block-delete switch on
    Computed,  // holds parameters, expressions, polar words or an O-word: read by NgcFlowLine
    Bad,       // not a valid line; message says why
};

// Splits lines into blocks. On Bad the message names the problem.
class NgcBlockParser {
  public:
    NgcLineKind parse(const char* begin, const char* end, NgcBlock& block);

    std::string message;

  private:
    NgcLineKind bad(std::string text) {
        message = std::move(text);
        return NgcLineKind::Bad;
    }
    bool number(const char*& p, const char* end, double& value);
};

// "G92.1" for 921: how a code is written in messages and notices.
std::string ngccodename(char letter, int32_t tenths);
