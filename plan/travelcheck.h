#pragma once

#include <cstdint>
#include <vector>

#include "nc/nodestore.h"
#include "plan/machineprofile.h"

// The box around every node, rapids and plunges included (the toolpath's own extents leave
// those out, as they frame the cut).
struct AllExtents {
    bool any = false;
    double min[3] = {0, 0, 0};
    double max[3] = {0, 0, 0};
};
AllExtents allextents(const NodeStore& nodes);

// One axis on which the toolpath leaves the machine's travel: the worst excursion (beyond max
// positive, below min negative, in the profile's unit) and the line of the first node outside.
struct LimitBreak {
    int axis;  // 0 X, 1 Y, 2 Z
    double amount;
    int32_t line;
};
// Node positions are taken relative to the profile's work origin.
std::vector<LimitBreak> checklimits(const NodeStore& nodes, bool inchprogram,
                                    const MachineProfile& profile);
