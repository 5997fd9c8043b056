#include "nc/linenodes.h"

#include <algorithm>

int32_t firstnodeofline(const NodeStore& nodes, int64_t line) {
    int32_t lo = 0;
    int32_t hi = nodes.nodecount();
    while (lo < hi) {
        const int32_t mid = lo + (hi - lo) / 2;
        if (nodes.node(mid).line < line) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    return lo;
}

NodeSpan nodesoflines(const NodeStore& nodes, int64_t a, int64_t b) {
    if (b < a) std::swap(a, b);
    NodeSpan span;
    span.first = firstnodeofline(nodes, a);
    span.last = b >= INT32_MAX ? nodes.lastnode() : firstnodeofline(nodes, b + 1) - 1;
    return span;
}
