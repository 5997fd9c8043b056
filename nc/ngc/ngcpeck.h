#pragma once
// The pecks of a deep-hole cycle, the same in every reading: feed down q at a time from r;
// after each peck a chip-clearing cycle comes out to r, a chip-breaking one only backs off;
// both come back at the rapid rate to backoff above the last depth before feeding on.

template <class Height>  // void height(bool rapid, double programheight)
void ngcpecks(bool clearchips, double r, double bottom, double q, double backoff, Height height) {
    for (double depth = r - q; depth > bottom; depth -= q) {
        height(false, depth);
        if (clearchips) height(true, r);
        height(true, depth + backoff);
    }
    height(false, bottom);
}
