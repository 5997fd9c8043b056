#pragma once
// The coarsest copies of the toolpath, for drag frames where even the copy within a pixel
// would take too long to draw: every node moves to the middle of its cell of a grid, and each
// move between two cells is kept once, whichever way and however often the path passes it.
// A program that passes the same places again and again (pocket levels, raster finishing,
// thousands of repeats) shrinks to roughly the cells it touches, which a chord-following copy
// cannot do. Moves within one cell are not drawn.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "lod/pathsimplifier.h"

class NodeStore;

// The cells of the grid are cell world units wide, counted from origin.
struct CellGrid {
    double cell = 1.0;
    double origin[3] = {0.0, 0.0, 0.0};
};

// Segments of the nodes' path on the grid, in the order the path first passes them (so
// firstnode ascends); of the path through the kept nodes alone when kept is given (ascending
// indices, a simplified copy). Nodes that are not finite numbers break the path. Gives
// TooMany when more than mostsegments segments would be kept, Cancelled when cancel was
// raised.
SimplifyOutcome cellnodes(const NodeStore& nodes, const std::vector<int32_t>* kept,
                          const CellGrid& grid, size_t mostsegments,
                          std::vector<CellSegment>& segments,
                          const std::atomic<bool>* cancel = nullptr);

// The same on a coarser grid, from the segments of a finer copy.
SimplifyOutcome coarsencells(const std::vector<CellSegment>& finer, const CellGrid& grid,
                             size_t mostsegments, std::vector<CellSegment>& segments,
                             const std::atomic<bool>* cancel = nullptr);

// How far a copy on this grid strays from what it was made of: half a cell's diagonal.
double celltolerance(double cell);
