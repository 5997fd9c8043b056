#include "view/transform.h"

#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

// The Y and Z axes as the earlier turns of the chain leave them: A is Y turned about X by
// rotx, B is Z turned about X by rotx and then about A by roty.
void movedaxes(const ViewAngles& angles, Point3& a, Point3& b) {
    a = {0.0, 1.0, 0.0};
    b = {0.0, 0.0, 1.0};
    rotateaboutaxis(a.x, a.y, a.z, 1.0, 0.0, 0.0, angles.rotx);
    rotateaboutaxis(b.x, b.y, b.z, 1.0, 0.0, 0.0, angles.rotx);
    rotateaboutaxis(b.x, b.y, b.z, a.x, a.y, a.z, angles.roty);
}

}  // namespace

void rotatepair(double& a, double& b, double s, double c) {
    const double olda = a;
    a = olda * c - b * s;
    b = olda * s + b * c;
}

void rotatepairdeg(double& a, double& b, double angle) {
    const double radians = angle * kPi * (1.0 / 180.0);
    rotatepair(a, b, std::sin(radians), std::cos(radians));
}

void rotateaboutaxis(double& x, double& y, double& z, double ax, double ay, double az,
                     double angle) {
    const double length = std::sqrt(ax * ax + ay * ay + az * az);
    ax /= length;
    ay /= length;
    az /= length;
    // m is exactly 0 only for an axis along +-Z; then the turn about Y alone reaches +X.
    const double m = std::sqrt(ax * ax + ay * ay);
    if (m != 0.0) rotatepair(x, y, -ay / m, ax / m);  // axis into the XZ plane
    rotatepair(z, x, az, m);                          // axis onto +X
    rotatepairdeg(y, z, angle);                       // the spin itself
    rotatepair(z, x, -az, m);
    if (m != 0.0) rotatepair(x, y, ay / m, ax / m);
}

void viewturn(const ViewAngles& angles, double& x, double& y, double& z) {
    Point3 a;
    Point3 b;
    movedaxes(angles, a, b);
    rotateaboutaxis(x, y, z, 1.0, 0.0, 0.0, angles.rotx);
    rotateaboutaxis(x, y, z, a.x, a.y, a.z, angles.roty);
    rotateaboutaxis(x, y, z, b.x, b.y, b.z, angles.rotz);
}

void viewrotate(const ViewAngles& angles, double x, double y, double z, viewbox& box) {
    viewturn(angles, x, y, z);
    box.widen(x, y, z);
}

void viewunrotate(const ViewAngles& angles, double& x, double& y, double& z) {
    Point3 a;
    Point3 b;
    movedaxes(angles, a, b);
    rotateaboutaxis(x, y, z, b.x, b.y, b.z, -angles.rotz);
    rotateaboutaxis(x, y, z, a.x, a.y, a.z, -angles.roty);
    rotateaboutaxis(x, y, z, 1.0, 0.0, 0.0, -angles.rotx);
}
