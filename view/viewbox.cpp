#include "view/geometry.h"

void viewbox::reset() {
    xmin = ymin = zmin = kViewBoxResetMin;
    xmax = ymax = zmax = kViewBoxResetMax;
}

void viewbox::widen(double x, double y, double z) {
    if (x > xmax) xmax = x;
    if (x < xmin) xmin = x;
    if (y > ymax) ymax = y;
    if (y < ymin) ymin = y;
    if (z > zmax) zmax = z;
    if (z < zmin) zmin = z;
}

void viewbox::shift(double dx, double dy) {
    xmin += dx;
    xmax += dx;
    ymin += dy;
    ymax += dy;
}
