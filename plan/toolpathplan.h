#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "nc/moveevents.h"
#include "nc/nodestore.h"
#include "plan/machineprofile.h"

struct ToolSeconds {
    int32_t tool;
    double seconds;
};

// The time a machine takes for a toolpath: every move a trapezoid (accelerate, cruise,
// decelerate) within its axes' rates and accelerations, every junction no faster than the
// cornering allowance lets it pass, and the whole program planned backward and then forward
// so that no limit is broken and no move is slower than the limits demand.
struct ToolpathPlan {
    bool ok = false;
    bool cancelled = false;
    std::string problem;             // "cannot plan: ..." when not ok
    double planned = 0;              // seconds
    double feedonly = 0;             // seconds: every move at its full rate, no acceleration
    std::vector<ToolSeconds> tools;  // in the order the tools were first used
    // Seconds of the move ending at each node (dwells and tool changes before a node included):
    // the time of any run of nodes is a sum.
    std::vector<float> nodeseconds;
};

// Lengths of the nodes are the program's (inches when inchprogram); the profile's unit is
// converted to. cancel, when given, is polled and ends the plan early.
ToolpathPlan plantoolpath(const NodeStore& nodes, const MoveEvents& events, bool inchprogram,
                          const MachineProfile& profile, const std::atomic<bool>* cancel = nullptr);

// Planned seconds of the nodes first to last (clamped to the plan).
double plannedseconds(const ToolpathPlan& plan, int32_t first, int32_t last);
