// Length units: one unit for all positions, the one in force at the program's first move.

#include <string>

#include "nc/ngc/ngcinterpreter.h"
#include "nc/unitchange.h"

void NgcInterpreter::setunits(bool inch) {
    const UnitChange change = unitchange(inch, inch_, unitsfixed_, unitsnoted_, lengthsinch_);
    if (change.factor != 1) scaleheld(change.factor);
    if (!change.problem.empty()) problem(change.problem);
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
