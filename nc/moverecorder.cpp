#include "nc/moverecorder.h"

#include "nc/arcgeometry.h"

void MoveRecorder::LineTo(int32_t line, int32_t plane, int32_t motion, double x, double y, double z,
                          double i, double j, double k) {
    line_ = line;
    if (motion == 0) {
        setcolor(kRapidColorIndex);
        plotpoint(x, y, z);
        return;
    }
    if (motion < 1 || motion > 3) return;
    setcolor(static_cast<uint8_t>(job_.feedcolor));
    if (motion != 1) drawarc(plane, motion, x, y, z, i, j, k);
    plotpoint(x, y, z);
}

void MoveRecorder::drawarc(int32_t plane, int32_t motion, double x, double y, double z, double i,
                           double j, double k) {
    ChordList chords;
    const int32_t mode = job_.arcmode;
    // A helix is drawn flat at its end height: the first chord climbs to it.
    if (plane == 18) {
        const int32_t n = DrawCircleSeg(motion, mode, z0, x0, k, i, z, x, chords);
        for (size_t p = 1; p < static_cast<size_t>(n); ++p)
            plotpoint(chords.second[p], y, chords.first[p]);
    } else if (plane == 19) {
        const int32_t n = DrawCircleSeg(motion, mode, y0, z0, j, k, y, z, chords);
        for (size_t p = 1; p < static_cast<size_t>(n); ++p)
            plotpoint(x, chords.first[p], chords.second[p]);
    } else {
        const int32_t n = DrawCircleSeg(motion, mode, x0, y0, i, j, x, y, chords);
        for (size_t p = 1; p < static_cast<size_t>(n); ++p)
            plotpoint(chords.first[p], chords.second[p], z);
    }
}

void MoveRecorder::widen(double x, double y, double z) {
    // Written as selections rather than branches: arcs move the extents in no pattern a
    // branch predictor could learn, and each selection is a single min or max instruction.
    NcJob& j = job_;
    j.xmax = x > j.xmax ? x : j.xmax;
    j.xmin = x < j.xmin ? x : j.xmin;
    j.ymax = y > j.ymax ? y : j.ymax;
    j.ymin = y < j.ymin ? y : j.ymin;
    j.zmax = z > j.zmax ? z : j.zmax;
    j.zmin = z < j.zmin ? z : j.zmin;
}

void MoveRecorder::plotpoint(double x, double y, double z) {
    if (!job_.interpreting) return;
    if (z != 999.0) {
        if (job_.curcolor == kRapidColorIndex) {
            job_.lastplotcolor = kRapidColorIndex;
        } else if (x != x0 || y != y0) {
            // A feed move leaving a rapid or plunge brings its start point in as well.
            if (job_.lastplotcolor == kRapidColorIndex) widen(x0, y0, z0);
            widen(x, y, z);
            job_.lastplotcolor = job_.curcolor;
        } else {
            // A plunge or a drill stroke: its depth is part of the job even when no move in X
            // or Y follows at that depth. Its start still enters only with a following move.
            if (z != z0) widen(x, y, z);
            job_.lastplotcolor = kRapidColorIndex;
        }
    }
    job_.nodes.pushnodedata(line_, job_.curcolor, x, y, z);
}
