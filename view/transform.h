#pragma once
// The view rotation without matrices: every turn is a rotation of one point about an axis
// through the origin, and the view rotation chains three of them, each about an axis that the
// earlier turns have already moved. The result equals Rx(rotx) * Ry(roty) * Rz(rotz) * p, the
// same turn the renderer issues, so fitting, panning and the icons agree with the picture.

#include "view/geometry.h"

// The three view angles in degrees, never normalised (400 shows the same as 40).
struct ViewAngles {
    double rotx = 0.0;
    double roty = 0.0;
    double rotz = 0.0;
};

// a <- a*c - b*s; b <- a*s + b*c, both from the old values.
void rotatepair(double& a, double& b, double s, double c);

// rotatepair with the sine and cosine of an angle in degrees.
void rotatepairdeg(double& a, double& b, double angle);

// Right-handed turn of the point about the axis line (ax, ay, az) through the origin: counter-
// clockwise seen from the axis tip. The axis length does not matter but must not be zero.
void rotateaboutaxis(double& x, double& y, double& z, double ax, double ay, double az,
                     double angle);

// Forward view rotation of a point, in place.
void viewturn(const ViewAngles& angles, double& x, double& y, double& z);

// Forward view rotation of a point, widening the box with the result.
void viewrotate(const ViewAngles& angles, double x, double y, double z, viewbox& box);

// Inverse view rotation: turns a view-space point back into world orientation.
void viewunrotate(const ViewAngles& angles, double& x, double& y, double& z);
