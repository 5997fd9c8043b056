#pragma once
// Small value types shared by the view code: world points and boxes, and the view-space box
// accumulator that the forward view rotation widens.

// A point or direction in world units.
struct Point3 {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

// Axis-aligned world box, e.g. the toolpath extents. An empty job leaves minima above maxima.
struct WorldBox {
    double xmin = 0.0;
    double xmax = 0.0;
    double ymin = 0.0;
    double ymax = 0.0;
    double zmin = 0.0;
    double zmax = 0.0;
};

// The six numbers last handed to a fit, kept as given: each pair may come in either order.
struct FitBox {
    double x1 = 0.0;
    double x2 = 0.0;
    double y1 = 0.0;
    double y2 = 0.0;
    double z1 = 0.0;
    double z2 = 0.0;
};

// Reset values: far enough out that the first accumulated point replaces all six.
constexpr double kViewBoxResetMin = 99999.999;
constexpr double kViewBoxResetMax = -99999.999;

// View-space bounding box accumulator.
struct viewbox {
    double xmin = kViewBoxResetMin;
    double xmax = kViewBoxResetMax;
    double ymin = kViewBoxResetMin;
    double ymax = kViewBoxResetMax;
    double zmin = kViewBoxResetMin;
    double zmax = kViewBoxResetMax;

    void reset();
    // Each coordinate is tested against both ends, so a single point after a reset sets all six.
    void widen(double x, double y, double z);
    // Moves the x and y ranges; depth stays.
    void shift(double dx, double dy);

    double centerx() const { return (xmin + xmax) / 2; }
    double centery() const { return (ymin + ymax) / 2; }
    double centerz() const { return (zmin + zmax) / 2; }
};

// An accumulator together with the copy taken when a drag begins, so that every move of the
// drag is measured from the same start and never drifts.
struct BoxAccumulator : viewbox {
    viewbox dragstartbox;

    void takedragstart() { dragstartbox = static_cast<const viewbox&>(*this); }
};
