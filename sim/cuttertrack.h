#pragma once
// Which cutter makes each move of a job, from its tool changes and the tool table, and where its
// feed moves cut: one pass over the node store before the simulation starts.

#include <cstdint>
#include <string>
#include <vector>

#include "nc/moveevents.h"
#include "nc/nodestore.h"
#include "nc/tooltable.h"
#include "sim/cutter.h"
#include "sim/stockgrid.h"

namespace sim {

// Coordinates beyond this are a program's fault, not a part: such moves are left out.
inline constexpr double kFarthestCoordinate = 1e6;

class CutterTrack {
public:
    struct Span {
        int32_t node;  // first node moved to with this cutter
        int cutter;
    };

    CutterTrack(const NodeStore& nodes, const MoveEvents& events, const ToolTable& tools,
                bool inchProgram);

    // False for a node with a coordinate out of range or without a number.
    static bool usable(const Tnodedata& node);

    const std::vector<Cutter>& cutters() const { return cutters_; }
    const std::vector<Span>& spans() const { return spans_; }
    const CutExtents& cuts() const { return cuts_; }
    // Tools whose sizes were assumed, moves left out.
    const std::vector<std::string>& notices() const { return notices_; }

private:
    int cutterOfTool(int32_t tool, const ToolTable& tools, bool inchProgram);

    std::vector<Cutter> cutters_;
    std::vector<int32_t> tools_;  // the tool number of each cutter
    std::vector<Span> spans_;
    CutExtents cuts_;
    std::vector<std::string> notices_;
};

} // namespace sim
