#pragma once

#include <string>

// What a G20/G21 does in a reading that draws in one unit: before the first move every length
// the reading holds is converted (a factor other than 1); after it the drawing keeps its unit,
// the words that follow are converted as they are read, and the change is named once.
struct UnitChange {
    double factor = 1;
    std::string problem;  // empty unless the change must be named
};

inline UnitChange unitchange(bool toinch, bool& inch, bool unitsfixed, bool& noted, bool lengthsinch) {
    UnitChange change;
    if (toinch == inch) return change;
    if (!unitsfixed) {
        change.factor = toinch ? 1 / 25.4 : 25.4;
    } else if (!noted) {
        noted = true;
        const char* kept = lengthsinch ? "inches" : "mm";
        change.problem = std::string(toinch ? "G20" : "G21") + " after the first move in " + kept +
                         ": the lengths that follow are converted to " + kept;
    }
    inch = toinch;
    return change;
}
