#pragma once
// From program lines to the nodes they produced. Node lines never decrease along the store,
// so any line range maps to one run of consecutive nodes found by two binary searches.

#include <cstdint>

#include "nc/nodestore.h"

struct NodeSpan {
    int32_t first = 0;
    int32_t last = -1;
    bool empty() const { return last < first; }
};

// Index of the first node whose line is at least `line`; nodecount() when there is none.
int32_t firstnodeofline(const NodeStore& nodes, int64_t line);

// The nodes whose lines lie in a..b (either order); empty when those lines made no node.
NodeSpan nodesoflines(const NodeStore& nodes, int64_t a, int64_t b);
