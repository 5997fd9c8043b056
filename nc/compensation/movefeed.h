#pragma once

#include <cstdint>

// What a reading had in force for a move (feed, its colour, inverse time), kept with a move
// that is drawn later than it was read.
struct MoveFeed {
    double feed = 0;
    int32_t color = 0;
    bool inversetime = false;
};
