#include "nc/fanuc/fanucmacro.h"

#include "nc/fanuc/fanucinterpreter.h"

void FanucMacro::execute(const char*, const char*) {
    reading_.problem("macro words are not read yet");
}

bool FanucMacro::step(int32_t) {
    return true;
}

void FanucMacro::enter(const NgcBlock&) {}

void FanucMacro::leave() {}
