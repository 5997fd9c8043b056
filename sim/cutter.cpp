#include "sim/cutter.h"

#include <algorithm>
#include <cmath>

namespace sim {

namespace {

constexpr double kMillimetresPerInch = 25.4;
constexpr double kPi = 3.14159265358979323846;

Cutter defaultCutter(double scale)
{
    Cutter cutter;
    cutter.radius = kDefaultDiameterMm / 2 * scale;
    cutter.assumed = true;
    return cutter;
}

} // namespace

double Cutter::profile(double r) const
{
    r = std::clamp(r, 0.0, radius);
    switch (kind) {
    case CutterKind::Flat:
        return 0;
    case CutterKind::Ball:
    case CutterKind::BullNose: {
        const double flat = radius - corner;
        if (r <= flat)
            return 0;
        const double out = r - flat;
        return corner - std::sqrt(std::max(0.0, corner * corner - out * out));
    }
    case CutterKind::Vee:
    case CutterKind::Drill:
        return coneSlope * r;
    }
    return 0;
}

Cutter cutterFor(const ToolEntry* entry, int32_t toolNumber, bool inchProgram, std::string& problem)
{
    const double scale = inchProgram ? 1.0 / kMillimetresPerInch : 1.0;
    const std::string name = "T" + std::to_string(toolNumber);
    problem.clear();
    if (entry == nullptr) {
        problem = toolNumber > 0 ? "tool " + name + " is not in the tool table" : "no tool was selected";
        return defaultCutter(scale);
    }
    if (!(entry->diameter > 0) || entry->diameter > kLargestDiameterMm) {
        char text[64];
        std::snprintf(text, sizeof text, "%g", entry->diameter);
        problem = "tool " + name + " has diameter " + text;
        return defaultCutter(scale);
    }
    Cutter cutter;
    cutter.radius = entry->radius() * scale;
    cutter.fluteLength = entry->length > 0 ? entry->length * scale : 0;
    switch (entry->shape()) {
    case ToolShape::Flat:
        cutter.kind = CutterKind::Flat;
        break;
    case ToolShape::Ball:
        cutter.kind = CutterKind::Ball;
        cutter.corner = cutter.radius;
        break;
    case ToolShape::BullNose:
        cutter.kind = CutterKind::BullNose;
        cutter.corner = entry->cornerradius * scale;
        break;
    case ToolShape::Point:
        cutter.kind = std::abs(entry->pointangle - kDrillPointAngle) < 0.5 ? CutterKind::Drill
                                                                           : CutterKind::Vee;
        cutter.coneSlope = 1.0 / std::tan(entry->pointangle / 2 * kPi / 180);
        break;
    }
    return cutter;
}

} // namespace sim
