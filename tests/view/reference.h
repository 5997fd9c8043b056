#pragma once
// Textbook rotation matrices, independent of the chained axis turns under test.

#include <array>
#include <cmath>

#include "view/geometry.h"

using Matrix3 = std::array<std::array<double, 3>, 3>;

inline double radians(double degrees) {
    return degrees * 3.14159265358979323846 / 180.0;
}

inline Matrix3 rotationx(double deg) {
    const double s = std::sin(radians(deg)), c = std::cos(radians(deg));
    return {{{1, 0, 0}, {0, c, -s}, {0, s, c}}};
}
inline Matrix3 rotationy(double deg) {
    const double s = std::sin(radians(deg)), c = std::cos(radians(deg));
    return {{{c, 0, s}, {0, 1, 0}, {-s, 0, c}}};
}
inline Matrix3 rotationz(double deg) {
    const double s = std::sin(radians(deg)), c = std::cos(radians(deg));
    return {{{c, -s, 0}, {s, c, 0}, {0, 0, 1}}};
}

inline Matrix3 operator*(const Matrix3& a, const Matrix3& b) {
    Matrix3 r{};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            for (int k = 0; k < 3; ++k) r[i][j] += a[i][k] * b[k][j];
    return r;
}

inline Point3 operator*(const Matrix3& m, const Point3& p) {
    return {m[0][0] * p.x + m[0][1] * p.y + m[0][2] * p.z,
            m[1][0] * p.x + m[1][1] * p.y + m[1][2] * p.z,
            m[2][0] * p.x + m[2][1] * p.y + m[2][2] * p.z};
}

inline Matrix3 transposed(const Matrix3& m) {
    Matrix3 r{};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) r[i][j] = m[j][i];
    return r;
}

// The view matrix Rx(rotx) * Ry(roty) * Rz(rotz).
inline Matrix3 viewmatrix(double rotx, double roty, double rotz) {
    return rotationx(rotx) * rotationy(roty) * rotationz(rotz);
}

inline double distance(const Point3& a, const Point3& b) {
    return std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y) +
                     (a.z - b.z) * (a.z - b.z));
}
