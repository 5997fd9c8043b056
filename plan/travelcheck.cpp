#include "plan/travelcheck.h"

#include <cmath>
#include <limits>

AllExtents allextents(const NodeStore& nodes) {
    AllExtents e;
    for (int32_t i = 0; i <= nodes.lastnode(); ++i) {
        const Tnodedata& n = nodes.node(i);
        const double p[3] = {n.x, n.y, n.z};
        for (int a = 0; a < 3; ++a) {
            if (!e.any || p[a] < e.min[a]) e.min[a] = p[a];
            if (!e.any || p[a] > e.max[a]) e.max[a] = p[a];
        }
        e.any = true;
    }
    return e;
}

std::vector<LimitBreak> checklimits(const NodeStore& nodes, bool inchprogram,
                                    const MachineProfile& profile) {
    const double scale = profilescale(profile, inchprogram);
    double worst[3] = {0, 0, 0};
    int32_t first[3] = {-1, -1, -1};
    for (int32_t i = 0; i <= nodes.lastnode(); ++i) {
        const Tnodedata& n = nodes.node(i);
        const double p[3] = {n.x, n.y, n.z};
        for (int a = 0; a < 3; ++a) {
            const double at = p[a] * scale + profile.origin[a];
            double out;
            if (std::isnan(at)) {
                out = std::numeric_limits<double>::quiet_NaN();  // cannot be shown inside
            } else if (at > profile.axis[a].max) {
                out = at - profile.axis[a].max;
            } else if (at < profile.axis[a].min) {
                out = at - profile.axis[a].min;
            } else {
                continue;
            }
            if (first[a] < 0) first[a] = n.line;
            if (!std::isnan(worst[a]) && !(std::fabs(out) <= std::fabs(worst[a]))) worst[a] = out;
        }
    }
    std::vector<LimitBreak> breaks;
    for (int a = 0; a < 3; ++a) {
        if (first[a] >= 0) breaks.push_back({a, worst[a], first[a]});
    }
    return breaks;
}
