#pragma once
// The stock simulation of one interpreted program: runs the moves of the node store into a
// height map on worker threads, forward and (from kept states) back, and reports the rapid
// moves that drive the tool into material and the plunges deeper than a tool's flutes.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "nc/moveevents.h"
#include "nc/nodestore.h"
#include "nc/tooltable.h"
#include "sim/checkpoints.h"
#include "sim/cutter.h"
#include "sim/cuttertrack.h"
#include "sim/heightmap.h"
#include "sim/stockgrid.h"
#include "sim/tileceilings.h"

class NcJob;

namespace sim {

struct SimulationAlarm {
    enum class Kind { Rapid, Plunge };
    Kind kind = Kind::Rapid;
    int32_t line = 0;
    int32_t node = 0;      // the node the move ends at
    double x = 0, y = 0, z = 0;  // where the move goes, as the program wrote it
    double depth = 0;      // how far the tool went into remaining material

    // "rapid through material at line L, X Y Z, depth d" or the plunge's like it.
    std::string text() const;
};

// Called between batches of moves, when no worker writes the map: it may be read then.
using SimulationProgress = std::function<void(int32_t done, int32_t target)>;

// The tool table a program's simulation uses: the one its reading loaded, else the one the user
// named for the job, else "tool.tbl" beside the program (a table not found gives default tools).
ToolTable simulationTools(const NcJob& job, const std::string& programPath);

class StockSimulation {
public:
    // Reads the store as it is now; the store and events must outlive the simulation and not
    // change while it runs. threads 0: one per processor.
    StockSimulation(const NodeStore& nodes, const MoveEvents& events, const ToolTable& tools,
                    bool inchProgram, const StockRequest& request = {}, unsigned threads = 0);
    StockSimulation(const NcJob& job, const StockRequest& request = {}, unsigned threads = 0);
    ~StockSimulation();

    // False when no grid could be made (problem() says why); nothing runs then.
    bool ready() const { return map_ != nullptr; }
    const std::string& problem() const { return problem_; }
    const StockBox& stock() const { return grid_.stock; }
    double cell() const { return grid_.cell; }
    const HeightMap& heightMap() const;

    // Brings the map to the state after the move that ends at node `target` (clamped to the
    // store). Going back starts from the newest kept state at or before the target. Returns
    // false when cancel was raised: the map then holds the state after position().
    bool runTo(int32_t target, const SimulationProgress& progress = {},
               const std::atomic<bool>* cancel = nullptr);
    bool runAll(const SimulationProgress& progress = {}, const std::atomic<bool>* cancel = nullptr);
    // The last node whose move is in the map; 0 before any move (the first node is where the
    // tool starts, no move leads to it).
    int32_t position() const { return position_; }

    // Alarms of the moves up to position(), in node order, each program line at most once.
    const std::vector<SimulationAlarm>& alarms() const { return alarms_; }
    // What was assumed or left out: tool sizes not in the table, moves out of range.
    const std::vector<std::string>& notices() const { return notices_; }
    const std::vector<Cutter>& cutters() const { return cutters_; }

    double removedVolume() const;
    float lowestPoint() const;
    std::size_t checkpointBytes() const { return checkpoints_.bytes(); }

private:
    using ToolSpan = CutterTrack::Span;
    struct Move;
    struct BandFinding;

    void prepare(const ToolTable& tools, bool inchProgram, const StockRequest& request);
    int32_t collectBatch(int32_t from, int32_t to, std::vector<Move>& moves) const;
    bool runBatch(const std::vector<Move>& moves, const std::atomic<bool>* cancel);
    void goBack(int32_t target);
    void addAlarm(const SimulationAlarm& alarm);

    const NodeStore& nodes_;
    const MoveEvents& events_;
    unsigned threads_;
    StockGrid grid_;
    std::string problem_;
    std::unique_ptr<HeightMap> map_;
    std::vector<Cutter> cutters_;
    std::vector<ToolSpan> spans_;
    std::vector<std::string> notices_;
    std::vector<SimulationAlarm> alarms_;
    std::unordered_set<int64_t> alarmed_;
    Checkpoints checkpoints_;
    TileCeilings ceilings_;
    int32_t position_ = 0;
    int32_t batchSize_ = 4096;
};

} // namespace sim
