#include "nc/moveevents.h"

#include <algorithm>

void MoveEvents::writtenchange(int32_t node, double feed) {
    writtenfeed_ = feed;
    if (!feeds.empty() && feeds.back().node == node) {
        // The block before recorded no node: its F never applied to one.
        Feed& last = feeds.back();
        last.written = feed;
        if (feeds.size() > 1) {
            const Feed& before = feeds[feeds.size() - 2];
            if (same(before.written, feed) && before.perminute == last.perminute) feeds.pop_back();
        }
        return;
    }
    feeds.push_back({node, feeds.empty() ? 0.0f : feeds.back().perminute, feed});
}

void MoveEvents::writtentoolchange(int32_t node, int32_t tool) {
    writtentool_ = tool;
    if (!tools.empty() && tools.back().node == node) {
        tools.back().tool = tool;
        if (tools.size() > 1 && tools[tools.size() - 2].tool == tool) tools.pop_back();
        return;
    }
    tools.push_back({node, tool});
}

ToolFeed MoveEvents::writtenat(int64_t node, int32_t lastnode) const {
    if (node < 0 || node > lastnode) return {};
    // The last change at or before the node, of each.
    const auto feed = std::upper_bound(feeds.begin(), feeds.end(), node,
                                       [](int64_t n, const Feed& f) { return n < f.node; });
    const auto tool = std::upper_bound(tools.begin(), tools.end(), node,
                                       [](int64_t n, const Tool& t) { return n < t.node; });
    ToolFeed answer{0, 0, true};
    if (feed != feeds.begin()) answer.feed = (feed - 1)->written;
    if (tool != tools.begin()) answer.tool = (tool - 1)->tool;
    return answer;
}
