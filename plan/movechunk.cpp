#include "plan/movechunk.h"

#include <algorithm>
#include <cmath>

#include "nc/palette.h"

// Where the processor has them, the loops run on wider vectors: the right copy is chosen when
// the program loads.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__) && \
    !defined(__SANITIZE_ADDRESS__)
#define KORVEN_WIDE_VECTORS __attribute__((target_clones("avx2", "default")))
#else
#define KORVEN_WIDE_VECTORS
#endif

KORVEN_WIDE_VECTORS
void MoveChunk::measure(const NodeStore& nodes, int32_t first, const AxisRates& rates,
                        bool withjunctions) {
    double x[kChunkMoves + 1], y[kChunkMoves + 1], z[kChunkMoves + 1];
    const int32_t last = nodes.lastnode();
    for (int32_t k = 0; k <= kChunkMoves; ++k) {
        const Tnodedata& n = nodes.node(std::min(first - 1 + k, last));
        x[k] = n.x;
        y[k] = n.y;
        z[k] = n.z;
    }
    // A move is a rapid when its end node carries the rapid colour.
    for (int32_t k = 0; k < kChunkMoves; ++k) {
        const int32_t end = std::min(first + k, last);
        const bool rapid = nodes.node(end).color == kRapidColorIndex;
        nofeed[k] = !rapid && feedinforce[k] < 0 ? 1.0 : 0.0;
        feedinforce[k] = rapid ? 0.0 : feedinforce[k];
    }
    const double s = rates.scale;
    for (int32_t k = 0; k < kChunkMoves; ++k) {
        const double dx = (x[k + 1] - x[k]) * s, dy = (y[k + 1] - y[k]) * s,
                     dz = (z[k + 1] - z[k]) * s;
        const double l = std::sqrt(dx * dx + dy * dy + dz * dz);
        const double inverse = l > 0 ? 1 / l : 0.0;
        const double ux = dx * inverse, uy = dy * inverse, uz = dz * inverse;
        const double ax = std::fabs(ux), ay = std::fabs(uy), az = std::fabs(uz);
        const double rateuse =
            std::max(std::max(ax * rates.secondsperlength[0], ay * rates.secondsperlength[1]),
                     az * rates.secondsperlength[2]);
        const double acceluse =
            std::max(std::max(ax * rates.persecondsquared[0], ay * rates.persecondsquared[1]),
                     az * rates.persecondsquared[2]);
        length[k] = l;
        u[0][k] = ux;
        u[1][k] = uy;
        u[2][k] = uz;
        pace[k] = std::max(rateuse, feedinforce[k]);
        vmax[k] = 1 / pace[k];
        inverseaccel[k] = acceluse;
        accel[k] = 1 / acceluse;
    }
    junction2[kChunkMoves - 1] = 0;
    if (!withjunctions) return;
    for (int32_t k = 0; k + 1 < kChunkMoves; ++k) {
        // With s = sin(theta/2): s^2 = 1 - |du|^2/4 and 1 - s = (|du|^2/4) / (1 + s), which
        // stays exact for nearly straight joins where 1 - s would cancel.
        const double du0 = u[0][k + 1] - u[0][k], du1 = u[1][k + 1] - u[1][k],
                     du2 = u[2][k + 1] - u[2][k];
        const double d2 = du0 * du0 + du1 * du1 + du2 * du2;
        const double sine = std::sqrt(std::max(0.0, 1 - d2 / 4));
        const double inverseaccel2 = std::max(inverseaccel[k], inverseaccel[k + 1]);
        junction2[k] = 4 * rates.deviation * sine * (1 + sine) / (d2 * inverseaccel2);
    }
}

double junctionlimit2(const double in[3], double ininverseaccel, const double out[3],
                      double outinverseaccel, double deviation) {
    double d2 = 0;
    for (int a = 0; a < 3; ++a) d2 += (out[a] - in[a]) * (out[a] - in[a]);
    if (d2 <= 0) return HUGE_VAL;
    const double sine = std::sqrt(std::max(0.0, 1 - d2 / 4));
    return 4 * deviation * sine * (1 + sine) / (d2 * std::max(ininverseaccel, outinverseaccel));
}

KORVEN_WIDE_VECTORS
void trapezoidtimes(const MoveChunk& c, const double* entry2, const double* exit2,
                    double* seconds) {
    for (int32_t k = 0; k < kChunkMoves; ++k) {
        const double e2 = entry2[k], x2 = exit2[k], vmax = c.vmax[k], l = c.length[k];
        const double ve = std::sqrt(e2), vx = std::sqrt(x2);
        const double inverseaccel = c.inverseaccel[k];
        // Where accelerating and braking meet; below full speed the move never cruises.
        const double peak2 = c.accel[k] * l + (e2 + x2) / 2;
        const double vp = std::sqrt(std::max(peak2, std::max(e2, x2)));
        const double triangle = (2 * vp - ve - vx) * inverseaccel;
        const double ramps = (2 * vmax * vmax - e2 - x2) * inverseaccel / 2;
        const double cruise = std::max(0.0, l - ramps);
        const double trapezoid = (2 * vmax - ve - vx) * inverseaccel + cruise * c.pace[k];
        const double t = peak2 <= vmax * vmax ? triangle : trapezoid;
        seconds[k] = l > 0 ? t : 0.0;
    }
}
