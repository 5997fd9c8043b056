#pragma once
// The logo as a stream of drawing commands: solid quadrilaterals, tessellated flat faces with
// their contours, and the extents the logo claims. The built-in emblem and a custom logo file
// speak the same commands; a GL compiler turns them into a display list.

#include <cstdint>
#include <functional>

// Opcode values are those of the custom logo file's records.
enum class LogoOp : int8_t {
    QuadsBegin = 0,
    Normal = 1,
    Vertex = 2,
    QuadsEnd = 3,
    XMax = 90,
    YMax = 91,
    XMin = 92,
    YMin = 93,
    PolygonBegin = 100,  // x, y, z: the face normal
    ContourBegin = 101,
    TessVertex = 102,
    ContourEnd = 103,
    PolygonEnd = 104,
};

struct LogoCommand {
    LogoOp op = LogoOp::QuadsBegin;
    double x = 0.0, y = 0.0, z = 0.0;
};

using LogoSink = std::function<void(const LogoCommand&)>;

// The X and Y box the logo claims (set by the extents opcodes, not measured).
struct LogoExtents {
    double xmin = 0.0, xmax = 0.0, ymin = 0.0, ymax = 0.0;

    // Takes the value of an extents command; other commands leave the box alone.
    void apply(const LogoCommand& c);
};

// The toolpath-style box the view is framed on: each side of X and Y gains 5 % of the width,
// Z is fixed at -11..1.
struct LogoFrameBox {
    double xmin = 0.0, xmax = 0.0, ymin = 0.0, ymax = 0.0, zmin = 0.0, zmax = 0.0;
};
LogoFrameBox widenlogoextents(const LogoExtents& e);
