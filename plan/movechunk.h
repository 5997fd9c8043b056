#pragma once
// The planner's arithmetic, a run of moves at a time: lengths, directions, limits, junction
// speeds and trapezoid times of consecutive moves are independent of each other, so they are
// worked out in plain loops over arrays that the compiler turns into vector code; only the
// passes that carry a speed from move to move stay one move at a time.

#include <cstdint>

#include "nc/nodestore.h"

struct AxisRates {
    // Inverses, so that a move's limits cost one division each: an axis holding a share |u|
    // of the move lets it go only limit / |u| along it, and the move goes at the smallest
    // of those, 1 / max(|u| / limit).
    double secondsperlength[3];
    double persecondsquared[3];
    double scale;  // program length to profile length
    double deviation;
};

constexpr int32_t kChunkMoves = 256;

// The moves ending at nodes first .. first + kChunkMoves - 1; moves past the last node have
// no length.
struct MoveChunk {
    // In: per move, the pace (1 / speed) of the feed in force, -1 when there is none.
    double feedinforce[kChunkMoves];

    double length[kChunkMoves];
    double u[3][kChunkMoves];
    double pace[kChunkMoves];  // 1 / the highest speed the move may go; 0 when it has no length
    double vmax[kChunkMoves];
    double accel[kChunkMoves];
    double inverseaccel[kChunkMoves];
    double nofeed[kChunkMoves];     // 1 for a feed move without a feed
    double junction2[kChunkMoves];  // squared speed limit from move k to k + 1 (both moving)

    // withjunctions: also the junction limits (the backward pass needs them, the forward
    // pass does not).
    void measure(const NodeStore& nodes, int32_t first, const AxisRates& rates, bool withjunctions);
};

// The highest squared speed the junction of two moves allows: the corner is taken as an arc
// that deviates from it by the allowance at the junction's acceleration. Straight on there is
// no limit; a reversal stops.
double junctionlimit2(const double in[3], double ininverseaccel, const double out[3],
                      double outinverseaccel, double deviation);

// Seconds of every move of the chunk, entered and left at the given squared speeds.
void trapezoidtimes(const MoveChunk& chunk, const double* entry2, const double* exit2,
                    double* seconds);
