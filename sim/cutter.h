#pragma once
// The cutting end of a tool as the simulation sees it: a solid of revolution about the spindle
// axis, described by the height of its surface above the tip at each distance from the axis.

#include <cstdint>
#include <string>
#include <vector>

#include "nc/tooltable.h"

namespace sim {

enum class CutterKind { Flat, Ball, BullNose, Vee, Drill };

struct Cutter {
    CutterKind kind = CutterKind::Flat;
    double radius = 0;        // program units
    double corner = 0;        // corner radius of a bull nose (the radius itself for a ball)
    double coneSlope = 0;     // rise per unit of distance from the axis, for a pointed tool
    double fluteLength = 0;   // program units; 0 when not known (no plunge check then)
    bool assumed = false;     // the size was not in the table

    // Height of the cutting surface above the tip at distance r from the axis (0 <= r <= radius).
    double profile(double r) const;
};

// Sizes used when a program's tool is not in the table, or the table is missing: a 6 mm flat
// end mill, and 118 degrees for a drill point.
inline constexpr double kDefaultDiameterMm = 6.0;
inline constexpr double kDrillPointAngle = 118.0;
// A diameter beyond this (or not above zero) is a typing fault, not a tool.
inline constexpr double kLargestDiameterMm = 1000.0;

// The cutter for a table entry (nullptr when the program's tool is not in the table), in the
// program's units. A missing or unusable entry gives the default cutter with assumed set and,
// in problem, why.
Cutter cutterFor(const ToolEntry* entry, int32_t toolNumber, bool inchProgram, std::string& problem);

} // namespace sim
