#pragma once
// Custom macro B for the Fanuc-family reading: variables, expressions, IF, WHILE, GOTO and
// the local levels of G65 calls.

#include <cstdint>

#include "nc/ngc/ngcblock.h"

class FanucInterpreter;

class FanucMacro {
  public:
    explicit FanucMacro(FanucInterpreter& reading) : reading_(reading) {}

    // A line holding macro words.
    void execute(const char* begin, const char* end);
    // Counts one executed line; false when the run must stop (a loop that never ends).
    bool step(int32_t line);
    // G65: a new local level with the block's words as its arguments; and its end.
    void enter(const NgcBlock& block);
    void leave();

  private:
    FanucInterpreter& reading_;
};
