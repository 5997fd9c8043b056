#pragma once
// A lighter copy of the toolpath for pictures where a pixel hides detail: a run of nodes that
// stays within a tolerance of the straight chord between its ends is replaced by that chord.
// The chord-following test is conservative and costs a fixed amount per node, so the time is
// linear in the number of nodes whatever the shape of the path, and the copy never holds more
// than a given number of nodes.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

class NodeStore;

// One move of a copy on a grid (lod/cellsimplifier.h), between the middles of two cells. Its two
// halves are the line's two vertices as a vertex array takes them (position, then four colour
// bytes, 16 bytes a vertex), so the copy is drawn from where it lies: the colour goes with the
// second vertex, which gives the colour of a flat-shaded line, and its fourth byte holds the
// palette index (nothing blends); the first vertex's colour bytes hold the node number instead.
struct CellSegment {
    float from[3];
    int32_t firstnode;  // the node ending the first move this segment stands for
    float to[3];
    uint8_t rgba[4];
    uint8_t color() const { return rgba[3]; }
};
static_assert(sizeof(CellSegment) == 32, "a segment must stay 32 bytes");

struct SimplifiedLevel {
    double tolerance = 0.0;     // world units: no node is farther than this from the kept chords
    std::vector<int32_t> kept;  // node indices, ascending
    // A copy on a grid (lod/cellsimplifier.h) holds loose segments instead of kept nodes.
    std::vector<CellSegment> segments;
    // Lines a frame draws of the whole copy: what its drawing costs.
    int64_t lines() const;
};

enum class SimplifyOutcome {
    Done,       // kept holds the copy
    Cancelled,  // the cancel flag was raised; kept is incomplete
    TooMany,    // the copy would have kept more than allowed (or memory ran out)
};

// Fills kept with the indices of the nodes that stay. Always kept: the first and the last
// node, both nodes of every colour change and every node that ends a rapid move, so colours
// and rapids are drawn exactly. A non-finite coordinate or tolerance keeps nodes rather than
// dropping them. Polls cancel every few thousand nodes. A long toolpath is cut into a fixed
// number of pieces (the copy does not depend on threads), run on up to `threads` threads;
// each piece may keep its share of mostkept, no more. A node is dropped only when both its
// moves are at most longest: a picture that must not move a pixel keeps its long lines exactly
// where they are and merges only the moves that hide inside a pixel or two.
SimplifyOutcome simplifynodes(const NodeStore& nodes, double tolerance, size_t mostkept,
                              std::vector<int32_t>& kept,
                              const std::atomic<bool>* cancel = nullptr, int threads = 1,
                              double longest = std::numeric_limits<double>::infinity());

// World size of one pixel of a picture whose height (2 * viewscale world units) spans
// pixelheight pixels.
double pixelworldsize(double viewscale, int pixelheight);

// Index of the coarsest of the levels (tolerances descending) whose tolerance is at most
// `pixels` pixels of pixelsize world units; -1 when none is fine enough.
int chooselevel(const std::vector<double>& tolerances, double pixelsize, double pixels);
