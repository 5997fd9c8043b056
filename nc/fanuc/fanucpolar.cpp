#include "nc/fanuc/fanucpolar.h"

#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

}  // namespace

bool FanucPolar::point(bool hasradius, double radius, bool hasangle, double angle, bool incremental,
                       const double current[2], double out[2]) {
    if (!hasradius && !hasangle) return false;
    if (fresh_) {
        fresh_ = false;
        centre_[0] = centre_[1] = 0;
        radius_ = std::hypot(current[0], current[1]);
        angle_ = radius_ > 0 ? std::atan2(current[1], current[0]) * 180 / kPi : 0;
    }
    if (hasradius) {
        centre_[0] = incremental ? current[0] : 0;
        centre_[1] = incremental ? current[1] : 0;
        radius_ = radius;
    }
    if (hasangle) angle_ = incremental ? angle_ + angle : angle;
    // Whole quarter turns exactly, so that a hole at 90 degrees lies on the axis.
    const double turns = angle_ / 90;
    double c = std::cos(angle_ * kPi / 180), s = std::sin(angle_ * kPi / 180);
    if (std::isfinite(turns) && turns == std::floor(turns)) {
        const long q = static_cast<long>(std::fmod(std::fmod(turns, 4) + 4, 4));
        c = q == 0 ? 1 : q == 2 ? -1 : 0;
        s = q == 1 ? 1 : q == 3 ? -1 : 0;
    }
    out[0] = centre_[0] + radius_ * c;
    out[1] = centre_[1] + radius_ * s;
    return true;
}
