#include "render/logo/logodesign.h"

#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTop = 0.0;
constexpr double kBottom = -10.0;

// Letters are drawn in a 30 x 40 cell with 8-unit strokes and 45-degree chamfers.
constexpr double kLetterAdvance = 34.0;
constexpr double kWordBaseline = -124.616;

void emit(const LogoSink& out, LogoOp op, double x = 0, double y = 0, double z = 0) {
    out(LogoCommand{op, x, y, z});
}

void face(const std::vector<LogoOutline>& outlines, double z, double nz, const LogoSink& out) {
    emit(out, LogoOp::PolygonBegin, 0, 0, nz);
    for (const LogoOutline& loop : outlines) {
        emit(out, LogoOp::ContourBegin);
        for (const LogoPoint& p : loop) emit(out, LogoOp::TessVertex, p.x, p.y, z);
        emit(out, LogoOp::ContourEnd);
    }
    emit(out, LogoOp::PolygonEnd);
}

LogoOutline placed(const LogoOutline& loop, double scale, double dx, double dy) {
    LogoOutline moved;
    moved.reserve(loop.size());
    for (const LogoPoint& p : loop) moved.push_back({p.x * scale + dx, p.y * scale + dy});
    return moved;
}

std::vector<LogoOutline> placed(const std::vector<LogoOutline>& glyph, double scale, double dx,
                                double dy) {
    std::vector<LogoOutline> moved;
    for (const LogoOutline& loop : glyph) moved.push_back(placed(loop, scale, dx, dy));
    return moved;
}

const std::vector<LogoOutline> kK = {{{0, 0}, {8, 0}, {8, 14}, {20, 0}, {30, 0}, {16, 20},
                                       {30, 40}, {20, 40}, {8, 26}, {8, 40}, {0, 40}}};
const std::vector<LogoOutline> kO = {
    {{6, 0}, {24, 0}, {30, 6}, {30, 34}, {24, 40}, {6, 40}, {0, 34}, {0, 6}},
    {{11, 8}, {8, 11}, {8, 29}, {11, 32}, {19, 32}, {22, 29}, {22, 11}, {19, 8}}};
const std::vector<LogoOutline> kR = {
    {{0, 0}, {8, 0}, {8, 14}, {13, 14}, {21, 0}, {30, 0}, {22.5, 13}, {30, 20}, {30, 34},
     {24, 40}, {0, 40}},
    {{8, 22}, {8, 32}, {19, 32}, {22, 29}, {22, 25}, {19, 22}}};
const std::vector<LogoOutline> kV = {
    {{10, 0}, {20, 0}, {30, 40}, {22, 40}, {15, 12}, {8, 40}, {0, 40}}};
const std::vector<LogoOutline> kE = {{{6, 0}, {30, 0}, {30, 8}, {8, 8}, {8, 16}, {24, 16},
                                       {24, 24}, {8, 24}, {8, 32}, {30, 32}, {30, 40}, {6, 40},
                                       {0, 34}, {0, 6}}};
const std::vector<LogoOutline> kN = {{{0, 0}, {8, 0}, {8, 25}, {22, 0}, {30, 0}, {30, 40},
                                       {22, 40}, {22, 15}, {8, 40}, {0, 40}}};

LogoPoint polar(double cx, double cy, double r, double degrees) {
    const double a = degrees * kPi / 180.0;
    return {cx + r * std::cos(a), cy + r * std::sin(a)};
}

// A wheel of 16 flat-topped teeth round a bore; the upright tooth's top touches Y 0.
std::vector<LogoOutline> wheel() {
    constexpr double cx = 100.0, cy = -38.0;
    constexpr int kTeeth = 16;
    constexpr double kPitch = 360.0 / kTeeth;
    const double tip = 38.0 / std::cos(4.0 * kPi / 180.0);
    constexpr double root = 32.0;
    LogoOutline rim;
    for (int i = 0; i < kTeeth; ++i) {
        const double a = 90.0 + i * kPitch;
        rim.push_back(polar(cx, cy, root, a - 7.5));
        rim.push_back(polar(cx, cy, tip, a - 4.0));
        rim.push_back(polar(cx, cy, tip, a + 4.0));
        rim.push_back(polar(cx, cy, root, a + 7.5));
        rim.push_back(polar(cx, cy, root, a + kPitch / 2));
    }
    LogoOutline bore;
    for (int i = 0; i < 48; ++i) bore.push_back(polar(cx, cy, 22.0, -i * 7.5));
    return {rim, bore};
}

// A slanted bar under the word with nine slots, like the marks of a rule.
std::vector<LogoOutline> bar() {
    std::vector<LogoOutline> loops = {
        {{0, -147.32}, {192, -147.32}, {200, -133}, {8, -133}}};
    for (int i = 0; i < 9; ++i) {
        const double x = 22.0 + i * 20.0;
        loops.push_back({{x, -143.5}, {x + 2, -137}, {x + 8, -137}, {x + 6, -143.5}});
    }
    return loops;
}

void claim(const LogoSink& out, double xmin, double xmax, double ymin, double ymax) {
    emit(out, LogoOp::XMax, xmax);
    emit(out, LogoOp::YMax, 0, ymax);
    emit(out, LogoOp::XMin, xmin);
    emit(out, LogoOp::YMin, 0, ymin);
}

}  // namespace

void extrudeoutlines(const std::vector<LogoOutline>& outlines, double ztop, double zbottom,
                     const LogoSink& out) {
    face(outlines, ztop, 1.0, out);
    face(outlines, zbottom, -1.0, out);
    emit(out, LogoOp::QuadsBegin);
    for (const LogoOutline& loop : outlines) {
        for (size_t i = 0; i < loop.size(); ++i) {
            const LogoPoint& a = loop[i];
            const LogoPoint& b = loop[(i + 1) % loop.size()];
            emit(out, LogoOp::Normal, b.y - a.y, a.x - b.x, 0);
            emit(out, LogoOp::Vertex, a.x, a.y, zbottom);
            emit(out, LogoOp::Vertex, b.x, b.y, zbottom);
            emit(out, LogoOp::Vertex, b.x, b.y, ztop);
            emit(out, LogoOp::Vertex, a.x, a.y, ztop);
        }
    }
    emit(out, LogoOp::QuadsEnd);
}

void emitlogosection(int section, const LogoSink& out) {
    switch (section) {
        case 1:
            extrudeoutlines(wheel(), kTop, kBottom, out);
            extrudeoutlines(placed(kK, 0.6, 91.0, -50.0), kTop, kBottom, out);
            break;
        case 2: {
            const std::vector<LogoOutline>* word[] = {&kK, &kO, &kR, &kV, &kE, &kN};
            for (int i = 0; i < 6; ++i) {
                extrudeoutlines(placed(*word[i], 1.0, i * kLetterAdvance, kWordBaseline), kTop,
                                kBottom, out);
            }
            claim(out, 0, 200, -124.616, 0);
            break;
        }
        case 3:
            extrudeoutlines(bar(), kTop, kBottom, out);
            claim(out, 0, 200, -147.32, 0);
            break;
        default:
            break;
    }
}
