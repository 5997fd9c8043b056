// Length units: one unit for all positions, the one in force at the program's first move.

#include <string>

#include "nc/ngc/ngcinterpreter.h"

void NgcInterpreter::setunits(bool inch) {
    if (inch == inch_) return;
    if (!unitsfixed_) {
        scaleheld(inch ? 1 / 25.4 : 25.4);
    } else if (!unitsnoted_) {
        unitsnoted_ = true;
        const char* kept = lengthsinch_ ? "inches" : "mm";
        problem(std::string(inch ? "G20" : "G21") + " after the first move in " + kept +
                ": the lengths that follow are converted to " + kept);
    }
    inch_ = inch;
}

void NgcInterpreter::scaleheld(double factor) {
    for (int a = 0; a < 3; ++a) {
        for (double(&system)[3] : work_) system[a] *= factor;
        g92_[a] *= factor;
        g92stored_[a] *= factor;
        home28_[a] *= factor;
        home30_[a] *= factor;
        path_.pos[a] *= factor;
    }
    cycler_ *= factor;
    cyclebottom_ *= factor;
    cycleq_ *= factor;
    path_.scalefeed(factor);
}
