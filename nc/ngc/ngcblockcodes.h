#pragma once
// What a block's G and M codes ask for, sorted by modal group: worked out once per block, then
// read by the interpreter's passes (modes, coordinate changes, motion).

#include <cstdint>

#include "nc/ngc/ngcinterpreter.h"

struct NgcInterpreter::Codes {
    int32_t group[16] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    int32_t axisuser = -1;  // G10, G28, G30 or G92: takes the axis words from the motion
    int32_t offsetreset = -1;  // G92.1, G92.2 or G92.3
    bool dwell = false, toolchange = false, machine = false, store28 = false, store30 = false;
    bool stop = false;
    bool cancelcycle = false;  // G80 given beside another motion code
    bool othergroups = false;  // a modal code of a group other than motion
};
