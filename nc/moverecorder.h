#pragma once

#include <cstdint>

#include "nc/ncjob.h"

// Turns the move of one block into toolpath nodes: one at the end of a straight move,
// the inner chord points and then the end of an arc. Feed moves widen the job's extents by
// their end points (and, leaving a rapid or a plunge, by their start too when they change X
// or Y); rapids never do.
class MoveRecorder {
  public:
    explicit MoveRecorder(NcJob& job) : job_(job) {}

    // Block-start position, kept up to date by the interpreter.
    double x0 = 999, y0 = 999, z0 = 999;

    void LineTo(int32_t line, int32_t plane, int32_t motion, double x, double y, double z, double i,
                double j, double k);
    void setcolor(uint8_t index) { job_.curcolor = index; }

    // One point of a path the caller has worked out itself (the end of a straight move or a
    // chord point), taken as a move from x0, y0, z0 like the points of LineTo.
    void PointTo(int32_t line, uint8_t color, double x, double y, double z) {
        line_ = line;
        setcolor(color);
        plotpoint(x, y, z);
    }

  private:
    void plotpoint(double x, double y, double z);
    void drawarc(int32_t plane, int32_t motion, double x, double y, double z, double i, double j,
                 double k);
    void widen(double x, double y, double z);

    NcJob& job_;
    int32_t line_ = 0;
};
