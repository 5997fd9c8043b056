#include "nc/ngc/ngcpath.h"

#include <cmath>

#include "nc/arcpoints.h"
#include "nc/inlining.h"

namespace {

constexpr double kRapidMinutesPerLength = 0.000125;  // rapids at 8000 length units a minute

// Rounds into 32 bits as the slot keys of the default reading do; NaN and huge values give 0.
int32_t roundtoint32(double value) {
    const double r = std::nearbyint(value);
    if (!(r >= -9223372036854775808.0 && r < 9223372036854775808.0)) return 0;
    const auto wide = static_cast<uint64_t>(static_cast<int64_t>(r));
    return static_cast<int32_t>(static_cast<uint32_t>(wide));
}

}  // namespace

void NgcPath::selectslot(double feed, int32_t tool) {
    const int32_t key = static_cast<int32_t>(static_cast<uint32_t>(roundtoint32(feed)) +
                                             static_cast<uint32_t>(tool));
    job_.feedcolor = job_.feedslots.select(key, tool);
    slotfeed_ = feed;
    slottool_ = tool;
    slotcount_ = job_.feedslots.count;
    slotcolor_ = job_.feedcolor;
}

KORVEN_HOT_INLINE void NgcPath::begin(int32_t line, bool rapid) {
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
    firstnode_ = job_.nodes.nodecount();
    if (!rapid && !inversetime_) job_.events.feed(firstnode_, feed_);
}

KORVEN_HOT_INLINE void NgcPath::point(double x, double y, double z) {
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

KORVEN_HOT_INLINE void NgcPath::end() {
    if (rapid_) {
        time += length_ * kRapidMinutesPerLength;
    } else if (inversetime_) {
        if (feed_ > 0) time += 1 / feed_;
        // The machine runs the whole move in 1/F minutes, so its rate is known only now.
        job_.events.feed(firstnode_, length_ * feed_);
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
    const double start[3] = {pos[0], pos[1], pos[2]};
    arcpoints(axes.first, axes.second, axes.across, motion, start, target, centrefirst, centresecond, turns,
              [this](double x, double y, double z) { point(x, y, z); });
    end();
}
