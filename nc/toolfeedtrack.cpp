#include "nc/toolfeedtrack.h"

#include <algorithm>

ToolFeed ToolFeedTrack::at(int64_t node, int32_t lastnode) const {
    if (node < 0 || node > lastnode) return {};
    // The last change at or before the node.
    const auto after = std::upper_bound(
        changes_.begin(), changes_.end(), node,
        [](int64_t n, const Change& change) { return n < change.node; });
    if (after == changes_.begin()) return {0, 0, true};
    const Change& change = *(after - 1);
    return {change.tool, change.feed, true};
}
