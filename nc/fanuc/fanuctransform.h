#pragma once
// The coordinate changes a Fanuc-family program can switch on, applied to programmed points
// in this order: mirror image (G51.1), scaling (G51), rotation in the plane (G68). Each is a
// small pure function; FanucTransform holds what is in force and applies them together.

#include <cmath>

// p mirrored about the plane through centre across the axis.
inline double fanucmirror(double p, double centre) {
    return 2 * centre - p;
}

// p scaled about centre by factor.
inline double fanucscale(double p, double centre, double factor) {
    return centre + (p - centre) * factor;
}

// (a, b) turned counter-clockwise by degrees about (ca, cb): the plane's first axis toward
// its second.
inline void fanucrotate(double& a, double& b, double ca, double cb, double degrees) {
    const double radians = degrees * (3.141592653589793 / 180);
    const double c = std::cos(radians), s = std::sin(radians);
    const double da = a - ca, db = b - cb;
    a = ca + da * c - db * s;
    b = cb + da * s + db * c;
}

struct FanucTransform {
    bool mirrored[3] = {false, false, false};
    double mirrorcentre[3] = {0, 0, 0};
    bool scaling = false;
    double scalecentre[3] = {0, 0, 0};
    double factor[3] = {1, 1, 1};
    bool rotating = false;
    int first = 0, second = 1;  // the plane the rotation was given in
    double rotatecentre[2] = {0, 0};
    double degrees = 0;

    bool active() const { return mirrored[0] || mirrored[1] || mirrored[2] || scaling || rotating; }

    void apply(const double in[3], double out[3]) const {
        for (int a = 0; a < 3; ++a) {
            double v = in[a];
            if (mirrored[a]) v = fanucmirror(v, mirrorcentre[a]);
            if (scaling) v = fanucscale(v, scalecentre[a], factor[a]);
            out[a] = v;
        }
        if (rotating) fanucrotate(out[first], out[second], rotatecentre[0], rotatecentre[1], degrees);
    }

    // An arc in the plane of axes f and s turns the other way once one of them is mirrored
    // (or scaled by a negative factor), and again for the other.
    bool reverses(int f, int s) const {
        auto flips = [&](int a) { return mirrored[a] != (scaling && factor[a] < 0); };
        return flips(f) != flips(s);
    }

    // How much an arc's radius grows in the plane of axes f and s.
    double radiusfactor(int f) const { return scaling ? std::fabs(factor[f]) : 1; }
};
