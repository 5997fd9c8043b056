#include "nc/arcgeometry.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kTwoPi = 6.283185307179586;
constexpr double kChordsPerRadian = 7.957747154594767;

struct Candidates {
    double pa = 0, pb = 0, qa = 0, qb = 0;
};

double square(double v) {
    return v * v;
}

int32_t chordcount(double sweep) {
    const double n = std::nearbyint(sweep * kChordsPerRadian);
    // NaN sweeps (from infinite coordinates) get a single chord like an empty sweep.
    if (!(n >= 1.0)) return 1;
    return static_cast<int32_t>(std::min(n, static_cast<double>(ChordList::kMaxChords)));
}

}  // namespace

double AT(double x, double y) {
    if (x == 0) return y >= 0 ? 1.5707963267948966 : 4.71238898038469;
    const double a = std::atan(y / x);
    if (x < 0) return a + 3.141592653589793;
    return a < 0 ? a + kTwoPi : a;
}

int32_t DrawCircleSeg(int32_t motion, int32_t arcmode, double startfirst, double startsecond,
                      double offsetfirst, double offsetsecond, double endfirst, double endsecond,
                      ChordList& chords) {
    if (arcmode == 1) {
        offsetfirst = endfirst + offsetfirst - startfirst;
        offsetsecond = endsecond + offsetsecond - startsecond;
    } else if (arcmode == 2) {
        offsetfirst = offsetfirst - startfirst;
        offsetsecond = offsetsecond - startsecond;
    }
    const double r = std::sqrt(square(offsetfirst) + square(offsetsecond));
    const double cfirst = startfirst + offsetfirst;
    const double csecond = startsecond + offsetsecond;
    const double a0 = AT(startfirst - cfirst, startsecond - csecond);
    double a1 = AT(endfirst - cfirst, endsecond - csecond);
    int32_t n = 1;
    if (motion == 2) {
        if (a1 > a0) a1 = a1 - kTwoPi;
        n = chordcount(std::fabs(a1 - a0));
    } else {
        if (a1 < a0) a1 = a1 + kTwoPi;
        n = chordcount(a1 - a0);
    }
    const double step = (a1 - a0) / n;
    chords.first[0] = startfirst;
    chords.second[0] = startsecond;
    for (int32_t k = 1; k < n; ++k) {
        const double angle = a0 + k * step;
        chords.first[static_cast<size_t>(k)] = cfirst + r * std::cos(angle);
        chords.second[static_cast<size_t>(k)] = csecond + r * std::sin(angle);
    }
    chords.first[static_cast<size_t>(n)] = endfirst;
    chords.second[static_cast<size_t>(n)] = endsecond;
    return n;
}

namespace {

// Where the perpendicular bisector of the chord meets the circle of radius r about the
// start. Candidates are set only when disc >= 0: a NaN disc (overflowing products, inf - inf)
// is no meeting either.
double intersect(double r, double sa, double sb, double ea, double eb, Candidates& c) {
    const double ma = (sa + ea) / 2;
    const double mb = (sb + eb) / 2;
    const double da = ea - sa;
    const double db = eb - sb;
    const double w = -da * ma - db * mb;
    if (da != 0) {
        const double cc = square(da) + square(db);
        const double b1 = 2 * w * db + 2 * sa * da * db - 2 * sb * square(da);
        const double c0 = square(w) + 2 * sa * w * da + square(sa) * square(da) +
                          square(sb) * square(da) - square(r) * square(da);
        const double disc = square(b1) - 4 * cc * c0;
        if (disc >= 0) {
            const double root = std::sqrt(disc);
            c.pb = (-b1 + root) / (2 * cc);
            c.qb = (-b1 - root) / (2 * cc);
            c.pa = (-db * c.pb - w) / da;
            c.qa = (-db * c.qb - w) / da;
        }
        return disc;
    }
    const double disc = square(r) - square(sb - mb);
    if (disc >= 0) {
        const double root = std::sqrt(disc);
        c.pb = mb;
        c.qb = mb;
        c.pa = sa + root;
        c.qa = sa - root;
    }
    return disc;
}

}  // namespace

bool arcradiuscenter(int32_t direction, double& offsetfirst, double& offsetsecond, double r,
                     double startfirst, double startsecond, double endfirst, double endsecond) {
    Candidates c;
    const double disc = intersect(r, startfirst, startsecond, endfirst, endsecond, c);
    if (!(disc >= 0)) {
        offsetfirst = 0;
        offsetsecond = 0;
        return false;
    }
    const double cross =
        (startfirst - c.pa) * (endsecond - c.pb) - (endfirst - c.pa) * (startsecond - c.pb);
    const bool useq = (r * cross > 0) != (direction == 3);
    offsetfirst = (useq ? c.qa : c.pa) - startfirst;
    offsetsecond = (useq ? c.qb : c.pb) - startsecond;
    return true;
}

bool roundedradiuscentre(int32_t direction, double r, double startfirst, double startsecond,
                         double endfirst, double endsecond, double tolerance, double& centrefirst,
                         double& centresecond) {
    const double half = std::hypot(endfirst - startfirst, endsecond - startsecond) / 2;
    if (std::fabs(r) < half && half - std::fabs(r) <= tolerance) {
        centrefirst = (startfirst + endfirst) / 2;
        centresecond = (startsecond + endsecond) / 2;
        return true;
    }
    double o1 = 0, o2 = 0;
    const bool made = arcradiuscenter(direction, o1, o2, r, startfirst, startsecond, endfirst, endsecond);
    centrefirst = startfirst + o1;
    centresecond = startsecond + o2;
    return made;
}
