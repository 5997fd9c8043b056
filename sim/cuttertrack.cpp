#include "sim/cuttertrack.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "nc/palette.h"

namespace sim {

namespace {

std::string cutterWords(const Cutter& c, bool inchProgram)
{
    char text[96];
    const double d = 2 * c.radius * (inchProgram ? 25.4 : 1.0);
    std::snprintf(text, sizeof text, "a %g mm flat end mill", d);
    return text;
}

} // namespace

bool CutterTrack::usable(const Tnodedata& n)
{
    return std::abs(n.x) <= kFarthestCoordinate && std::abs(n.y) <= kFarthestCoordinate &&
           std::abs(n.z) <= kFarthestCoordinate;  // false for NaN too
}

int CutterTrack::cutterOfTool(int32_t tool, const ToolTable& tools, bool inchProgram)
{
    for (std::size_t i = 0; i < tools_.size(); ++i)
        if (tools_[i] == tool)
            return static_cast<int>(i);
    std::string why;
    const Cutter cutter = cutterFor(tools.find(tool), tool, inchProgram, why);
    cutters_.push_back(cutter);
    tools_.push_back(tool);
    if (!why.empty()) {
        if (!tools.found() && tool > 0)
            why = "no tool table for T" + std::to_string(tool);
        notices_.push_back(why + ": simulated as " + cutterWords(cutter, inchProgram));
    }
    return static_cast<int>(cutters_.size() - 1);
}

CutterTrack::CutterTrack(const NodeStore& nodes, const MoveEvents& events, const ToolTable& tools,
                         bool inchProgram)
{
    // One pass over the moves: the cutter of each stretch, and where the cutting happens.
    std::size_t stop = 0;
    int cutter = -1;
    int64_t skipped = 0;
    const int32_t last = nodes.lastnode();
    // Tool changes at the same node replace each other; a change to the same cutter adds none.
    auto useCutter = [&](int32_t node, int next) {
        if (!spans_.empty() && spans_.back().node == node)
            spans_.back().cutter = next;
        else if (spans_.empty() || spans_.back().cutter != next)
            spans_.push_back({node, next});
        cutter = next;
    };
    for (int32_t i = 1; i <= last; ++i) {
        for (; stop < events.stops.size() && events.stops[stop].node <= i; ++stop)
            if (events.stops[stop].tool >= 0)
                useCutter(i, cutterOfTool(events.stops[stop].tool, tools, inchProgram));
        if (cutter < 0)
            useCutter(i, cutterOfTool(0, tools, inchProgram));
        if (!usable(nodes.node(i)) || !usable(nodes.node(i - 1))) {
            ++skipped;
            continue;
        }
        if (nodes.node(i).color == kRapidColorIndex)
            continue;
        // A feed move cuts at its lower end: a plunge from the clearance plane does not put
        // the stock's top up there.
        const Tnodedata& a = nodes.node(i - 1);
        const Tnodedata& b = nodes.node(i);
        const double z = std::min(a.z, b.z);
        cuts_.add(a.x, a.y, z);
        cuts_.add(b.x, b.y, z);
        cuts_.largestRadius =
            std::max(cuts_.largestRadius, cutters_[static_cast<std::size_t>(cutter)].radius);
    }
    if (skipped > 0) {
        notices_.push_back(std::to_string(skipped) +
                           " moves reach past 1000000 or have no number for a coordinate: "
                           "left out of the simulation");
    }
}

} // namespace sim
