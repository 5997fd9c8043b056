#include "nc/ngc/ngcpath.h"

#include <cmath>

#include "nc/arcgeometry.h"

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kRapidMinutesPerLength = 0.000125;  // rapids at 8000 length units a minute

// Rounds into 32 bits as the slot keys of the default reading do; NaN and huge values give 0.
int32_t roundtoint32(double value) {
    const double r = std::nearbyint(value);
    if (!(r >= -9223372036854775808.0 && r < 9223372036854775808.0)) return 0;
    const auto wide = static_cast<uint64_t>(static_cast<int64_t>(r));
    return static_cast<int32_t>(static_cast<uint32_t>(wide));
}

}  // namespace

void NgcPath::setfeed(double feed, int32_t tool, double lengthscale) {
    feed_ = inversetime_ ? feed : feed * lengthscale;
    const int32_t key = static_cast<int32_t>(static_cast<uint32_t>(roundtoint32(feed)) +
                                             static_cast<uint32_t>(tool));
    job_.feedcolor = job_.feedslots.select(key, tool);
}

void NgcPath::begin(int32_t line, bool rapid) {
    line_ = line;
    rapid_ = rapid;
    color_ = rapid ? kRapidColorIndex : static_cast<uint8_t>(job_.feedcolor);
    length_ = 0;
    if (!started_) {
        // The first move starts where the tool stands: that point is drawn as well.
        started_ = true;
        recorder_.x0 = pos[0];
        recorder_.y0 = pos[1];
        recorder_.z0 = pos[2];
        recorder_.PointTo(line, kRapidColorIndex, pos[0], pos[1], pos[2]);
    }
}

void NgcPath::point(double x, double y, double z) {
    const double dx = x - pos[0], dy = y - pos[1], dz = z - pos[2];
    length_ += std::sqrt(dx * dx + dy * dy + dz * dz);
    recorder_.x0 = pos[0];
    recorder_.y0 = pos[1];
    recorder_.z0 = pos[2];
    recorder_.PointTo(line_, color_, x, y, z);
    pos[0] = x;
    pos[1] = y;
    pos[2] = z;
}

void NgcPath::end() {
    if (rapid_) {
        time += length_ * kRapidMinutesPerLength;
    } else if (inversetime_) {
        if (feed_ > 0) time += 1 / feed_;
    } else if (feed_ > 0) {
        time += length_ / feed_;
    }
}

void NgcPath::straight(int32_t line, bool rapid, const double target[3]) {
    begin(line, rapid);
    point(target[0], target[1], target[2]);
    end();
}

void NgcPath::arc(int32_t line, int32_t plane, int32_t motion, const double target[3],
                  double centrefirst, double centresecond, int64_t turns) {
    begin(line, false);
    const NgcPlaneAxes axes = ngcplaneaxes(plane);
    const double s1 = pos[axes.first], s2 = pos[axes.second], sacross = pos[axes.across];
    const double e1 = target[axes.first], e2 = target[axes.second];
    const bool closed = s1 == e1 && s2 == e2;
    double sweep = 0;
    if (!closed) {
        const double a0 = AT(s1 - centrefirst, s2 - centresecond);
        double a1 = AT(e1 - centrefirst, e2 - centresecond);
        if (motion == 2 && a1 > a0) a1 -= 2 * kPi;
        if (motion == 3 && a1 < a0) a1 += 2 * kPi;
        sweep = std::fabs(a1 - a0);
    }
    const int64_t wholeturns = closed ? turns : turns - 1;
    const double total = 2 * kPi * static_cast<double>(wholeturns) + sweep;
    const double rise = target[axes.across] - sacross;
    const int64_t pieces = 2 * wholeturns + (closed ? 0 : 1);
    int64_t piecesdone = 0;
    double done = 0;
    // Each piece runs from where the tool stands; the axis across the plane climbs with the
    // angle turned, so a helix is drawn as one.
    auto piece = [&](double f1, double f2, double pieceangle) {
        const double b1 = pos[axes.first], b2 = pos[axes.second];
        ChordList chords;
        const int32_t n =
            DrawCircleSeg(motion, 0, b1, b2, centrefirst - b1, centresecond - b2, f1, f2, chords);
        const bool last = ++piecesdone == pieces;
        for (int32_t k = 1; k <= n; ++k) {
            if (last && k == n) {
                point(target[0], target[1], target[2]);
                break;
            }
            double at[3];
            const double angle = done + pieceangle * k / n;
            at[axes.first] = chords.first[static_cast<size_t>(k)];
            at[axes.second] = chords.second[static_cast<size_t>(k)];
            at[axes.across] = total > 0 ? sacross + rise * (angle / total) : sacross;
            point(at[0], at[1], at[2]);
        }
        done += pieceangle;
    };
    const double opposite1 = 2 * centrefirst - s1, opposite2 = 2 * centresecond - s2;
    for (int64_t t = 0; t < wholeturns; ++t) {
        // A whole turn as two halves: the generator takes an arc back to its start for none.
        piece(opposite1, opposite2, kPi);
        piece(s1, s2, kPi);
    }
    if (!closed) piece(e1, e2, sweep);
    end();
}
