// Any bytes as a custom logo file: the reader must not fault, and what it hands on must be a
// stream GL can take (every block ended, nothing out of place, finite coordinates).
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "render/logo/logofile.h"

namespace {

struct Grammar {
    enum { Idle, Quads, Polygon, Contour } state = Idle;
    int vertices = 0;

    void take(const LogoCommand& c) {
        if (!std::isfinite(c.x) || !std::isfinite(c.y) || !std::isfinite(c.z)) std::abort();
        const int op = static_cast<int>(c.op);
        const bool ok = (op == 0 && state == Idle) || ((op == 1 || op == 2) && state == Quads) ||
                        (op == 3 && state == Quads) || (op >= 90 && op <= 93) ||
                        (op == 100 && state == Idle) || (op == 101 && state == Polygon) ||
                        (op == 102 && state == Contour) || (op == 103 && state == Contour) ||
                        (op == 104 && state == Polygon);
        if (!ok) std::abort();
        if (op == 0 || op == 3 || op == 104) state = op == 0 ? Quads : Idle;
        if (op == 100) vertices = 0;
        if (op == 100 || op == 103) state = Polygon;
        if (op == 101) state = Contour;
        if (op == 102 && ++vertices > LogoSequencer::kMaxPolygonVertices) std::abort();
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Grammar grammar;
    LogoSequencer sequencer([&](const LogoCommand& c) { grammar.take(c); }, [] {});
    std::size_t at = 0;
    readlogorecords(
        [&](char* buffer, std::size_t room) -> long {
            // Uneven pieces, so records straddle the reads.
            const std::size_t n = std::min({room, size - at, std::size_t{1} + at % 23});
            std::memcpy(buffer, data + at, n);
            at += n;
            return static_cast<long>(n);
        },
        sequencer);
    if (grammar.state != Grammar::Idle) std::abort();
    return 0;
}
