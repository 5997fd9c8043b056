#include "tests/logo/logostream.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "render/logo/logofile.h"

RecordedLogo readbytes(const std::string& bytes) {
    RecordedLogo r;
    LogoSequencer sequencer([&](const LogoCommand& c) { r.commands.push_back(c); },
                            [&] { ++r.beeps; });
    size_t at = 0;
    readlogorecords(
        [&](char* buffer, size_t size) -> long {
            const size_t n = std::min(size, bytes.size() - at);
            std::memcpy(buffer, bytes.data() + at, n);
            at += n;
            return static_cast<long>(n);
        },
        sequencer);
    return r;
}

std::string fileof(const std::vector<int>& opcodes) {
    std::string bytes(kLogoHeaderBytes, '\0');
    for (const int op : opcodes) appendlogorecord(bytes, static_cast<LogoOp>(op), 1, 2, 3);
    return bytes;
}

std::string grammarfault(const std::vector<LogoCommand>& commands) {
    enum { Idle, Quads, Polygon, Contour } state = Idle;
    int vertices = 0;
    for (const LogoCommand& c : commands) {
        const int op = static_cast<int>(c.op);
        const bool ok = (op == 0 && state == Idle) ||
                        (op == 1 && (state == Idle || state == Quads)) ||
                        (op == 2 && state == Quads) || (op == 3 && state == Quads) ||
                        (op >= 90 && op <= 93) || (op == 100 && state == Idle) ||
                        (op == 101 && state == Polygon) || (op == 102 && state == Contour) ||
                        (op == 103 && state == Contour) || (op == 104 && state == Polygon);
        if (!ok) return "opcode " + std::to_string(op) + " out of place";
        if (!std::isfinite(c.x) || !std::isfinite(c.y) || !std::isfinite(c.z)) {
            return "opcode " + std::to_string(op) + " not finite";
        }
        vertices = op == 100 ? 0 : vertices + (op == 102 ? 1 : 0);
        if (vertices > LogoSequencer::kMaxPolygonVertices) return "a polygon overflows";
        if (op == 0) state = Quads;
        if (op == 3 || op == 104) state = Idle;
        if (op == 100 || op == 103) state = Polygon;
        if (op == 101) state = Contour;
    }
    return state == Idle ? std::string() : "left open at the end";
}

std::vector<int> opsof(const std::vector<LogoCommand>& commands) {
    std::vector<int> ops;
    for (const LogoCommand& c : commands) ops.push_back(static_cast<int>(c.op));
    return ops;
}
