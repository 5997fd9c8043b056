#pragma once
// The programmed contour as a thin grey line beside the compensated toolpath, as far as the
// toolpath is drawn (the points of the nodes from first to last).

#include <cstdint>

class ProgrammedContour;

void drawcontour(const ProgrammedContour& contour, int32_t firstnode, int32_t lastnode);
