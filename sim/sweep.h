#pragma once
// The shape a cutter sweeps along one straight move, Z changing along it included, and its
// imprint on the height map. For every column the lowest point of the cutter's surface over the
// column's centre along the whole move is found by minimising in closed form: the height of the
// surface over a column is a convex function of the position along the move, so its minimum is
// the stationary point clamped to the stretch of the move that covers the column. Nothing is
// sampled, so no scallops appear between samples.

#include <limits>

#include "sim/cutter.h"
#include "sim/heightmap.h"
#include "sim/tileceilings.h"

namespace sim {

struct Point3 {
    double x = 0, y = 0, z = 0;
};

// What one move did to the columns it lowered.
struct SweepEffect {
    float deepest = 0;  // largest drop of a column (how far the cutter went into material)
    float highestLowered = -std::numeric_limits<float>::infinity();  // its height before the move
    bool lowered = false;

    void merge(const SweepEffect& other);
};

// Lowest height of the cutter's surface over (x, y) while its tip moves from a to b; +infinity
// when the cutter never covers that point.
double lowestOver(const Cutter& cutter, const Point3& a, const Point3& b, double x, double y);

// Lowers the columns of rows [rowBegin, rowEnd) to the cutter's swept surface, never below the
// map's bottom; with tell, effect says what it removed (a move that raises no alarm needs not
// know, and goes faster). The rows must start on a tile row (the last may end anywhere), so
// that no other band touches their tiles.
void sweepRows(HeightMap& map, TileCeilings& ceilings, int rowBegin, int rowEnd,
               const Cutter& cutter, const Point3& a, const Point3& b, SweepEffect& effect,
               bool tell = true);

} // namespace sim
