#pragma once
// KORVEN's own emblem, built as solids: a toothed wheel carrying a K, the word KORVEN, and a
// slotted base bar. Every part is a flat outline (holes as further contours) lifted into a slab:
// a tessellated top and bottom face and one quadrilateral wall per outline edge.

#include <vector>

#include "render/logo/logocommand.h"

struct LogoPoint {
    double x = 0.0, y = 0.0;
};
// A closed loop; the outer one counterclockwise, holes clockwise, so the right-hand side of
// every edge is outside the solid.
using LogoOutline = std::vector<LogoPoint>;

// The slab of the outlines between zbottom and ztop.
void extrudeoutlines(const std::vector<LogoOutline>& outlines, double ztop, double zbottom,
                     const LogoSink& out);

// Sections 1 to 3 of the built-in logo. The second ends by claiming X 0..200 and
// Y -124.616..0 (wheel and word), the third X 0..200 and Y -147.32..0 (with the bar).
void emitlogosection(int section, const LogoSink& out);
