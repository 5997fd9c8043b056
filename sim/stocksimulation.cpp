#include "sim/stocksimulation.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <thread>

#include "nc/ncjob.h"
#include "nc/palette.h"
#include "sim/sweep.h"

namespace sim {

struct StockSimulation::Move {
    Point3 a, b;
    int32_t node;
    int cutter;
    bool rapid;
    bool checkFlutes;  // a feed going down with a cutter whose flute length is known
};

// A move whose effect decides an alarm, as one band of rows saw it.
struct StockSimulation::BandFinding {
    std::size_t move;
    SweepEffect effect;
};

namespace {

// Rows a worker takes at a time: several bands a thread, so a toolpath crowded into one part
// of the stock still keeps every thread busy.
constexpr int kBandsPerThread = 4;
constexpr int kSmallestBand = 16;
// Batches are sized to take about this long, so a cancel is felt soon and progress moves.
constexpr double kBatchSeconds = 0.05;
constexpr int32_t kLargestBatch = 1 << 16;

// One key per line and kind: a line raises each kind of alarm once.
int64_t alarmKey(const SimulationAlarm& alarm)
{
    return int64_t(alarm.line) * 2 + (alarm.kind == SimulationAlarm::Kind::Rapid ? 0 : 1);
}

} // namespace

std::string SimulationAlarm::text() const
{
    char out[200];
    std::snprintf(out, sizeof out, "%s at line %d, X%.3f Y%.3f Z%.3f, depth %.3f",
                  kind == Kind::Rapid ? "rapid through material" : "plunge past the flute length",
                  static_cast<int>(line), x, y, z, depth);
    return out;
}

StockSimulation::StockSimulation(const NodeStore& nodes, const MoveEvents& events,
                                 const ToolTable& tools, bool inchProgram,
                                 const StockRequest& request, unsigned threads)
    : nodes_(nodes), events_(events),
      threads_(threads > 0 ? threads : std::max(1u, std::thread::hardware_concurrency()))
{
    prepare(tools, inchProgram, request);
}

StockSimulation::StockSimulation(const NcJob& job, const StockRequest& request, unsigned threads)
    : StockSimulation(job.nodes, job.events, job.tools, job.inchunits, request, threads)
{
}

StockSimulation::~StockSimulation() = default;

ToolTable simulationTools(const NcJob& job, const std::string& programPath)
{
    if (job.tools.found())
        return job.tools;
    return ToolTable::readfile(job.toolfile.empty() ? ToolTable::besideprogram(programPath) : job.toolfile);
}

const HeightMap& StockSimulation::heightMap() const
{
    static const HeightMap empty(0, 0, 1, 0, 0, 0, 0);
    return map_ ? *map_ : empty;
}

void StockSimulation::prepare(const ToolTable& tools, bool inchProgram, const StockRequest& request)
{
    CutterTrack track(nodes_, events_, tools, inchProgram);
    cutters_ = track.cutters();
    spans_ = track.spans();
    notices_ = track.notices();
    const CutExtents& cuts = track.cuts();
    grid_ = chooseStockGrid(request, cuts);
    if (!grid_.ok()) {
        problem_ = grid_.problem;
        return;
    }
    const StockBox& s = grid_.stock;
    map_ = std::make_unique<HeightMap>(s.x0, s.y0, grid_.cell, grid_.columns, grid_.rows,
                                       static_cast<float>(s.z1), static_cast<float>(s.z0));
    ceilings_.reset(*map_);
}

int32_t StockSimulation::collectBatch(int32_t from, int32_t to, std::vector<Move>& moves) const
{
    moves.clear();
    auto span = std::upper_bound(spans_.begin(), spans_.end(), from,
                                 [](int32_t node, const ToolSpan& s) { return node < s.node; });
    int32_t i = from;
    for (; i <= to && moves.size() < static_cast<std::size_t>(batchSize_); ++i) {
        while (span != spans_.end() && span->node <= i)
            ++span;
        if (!CutterTrack::usable(nodes_.node(i)) || !CutterTrack::usable(nodes_.node(i - 1)))
            continue;
        const Tnodedata& a = nodes_.node(i - 1);
        const Tnodedata& b = nodes_.node(i);
        const int cutter = span == spans_.begin() ? 0 : std::prev(span)->cutter;
        const bool rapid = b.color == kRapidColorIndex;
        const bool flutes = !rapid && b.z < a.z && cutters_[static_cast<std::size_t>(cutter)].fluteLength > 0;
        moves.push_back({{a.x, a.y, a.z}, {b.x, b.y, b.z}, i, cutter, rapid, flutes});
    }
    return i - 1;
}

bool StockSimulation::runBatch(const std::vector<Move>& moves, const std::atomic<bool>* cancel)
{
    HeightMap& map = *map_;
    const int rows = map.rows();
    const int bandCount = std::clamp(static_cast<int>(threads_) * kBandsPerThread, 1,
                                     std::max(1, rows / kSmallestBand));
    std::vector<std::vector<BandFinding>> findings(static_cast<std::size_t>(bandCount));
    std::atomic<int> nextBand{0};
    std::atomic<bool> stopped{false};
    auto work = [&] {
        for (int band = nextBand++; band < bandCount; band = nextBand++) {
            // Bands start on tile rows, so no two workers share a tile's ceiling.
            const int tileRows = (rows + TileCeilings::kSize - 1) >> TileCeilings::kShift;
            const int r0 = static_cast<int>(int64_t(tileRows) * band / bandCount) << TileCeilings::kShift;
            const int r1 = std::min(rows, static_cast<int>(int64_t(tileRows) * (band + 1) / bandCount)
                                              << TileCeilings::kShift);
            std::vector<BandFinding>& found = findings[static_cast<std::size_t>(band)];
            for (std::size_t m = 0; m < moves.size(); ++m) {
                if ((m & 63) == 0 && cancel != nullptr && cancel->load(std::memory_order_relaxed)) {
                    stopped = true;
                    return;
                }
                const Move& move = moves[m];
                SweepEffect effect;
                // Only rapids and plunges can raise an alarm; other moves need no record.
                const bool tell = move.rapid || move.checkFlutes;
                sweepRows(map, ceilings_, r0, r1, cutters_[static_cast<std::size_t>(move.cutter)],
                          move.a, move.b, effect, tell);
                if (tell && effect.lowered)
                    found.push_back({m, effect});
            }
        }
    };
    const unsigned helpers = std::min<unsigned>(threads_, static_cast<unsigned>(bandCount)) - 1;
    std::vector<std::thread> pool;
    for (unsigned t = 0; t < helpers; ++t)
        pool.emplace_back(work);
    work();
    for (std::thread& t : pool)
        t.join();
    map.touch();
    if (stopped)
        return false;

    // The bands are disjoint, so a move's effect is the merge of what each band saw of it.
    std::vector<BandFinding> merged;
    for (const auto& band : findings)
        merged.insert(merged.end(), band.begin(), band.end());
    std::sort(merged.begin(), merged.end(),
              [](const BandFinding& l, const BandFinding& r) { return l.move < r.move; });
    for (std::size_t i = 0; i < merged.size();) {
        SweepEffect effect = merged[i].effect;
        const std::size_t m = merged[i].move;
        for (++i; i < merged.size() && merged[i].move == m; ++i)
            effect.merge(merged[i].effect);
        const Move& move = moves[m];
        const Cutter& cutter = cutters_[static_cast<std::size_t>(move.cutter)];
        SimulationAlarm alarm;
        alarm.node = move.node;
        alarm.line = nodes_.node(move.node).line;
        alarm.x = move.b.x, alarm.y = move.b.y, alarm.z = move.b.z;
        // A rapid that only grazes the top by less than a cell is the grid's rounding, not a
        // crash.
        if (move.rapid && effect.deepest >= map.cell()) {
            alarm.kind = SimulationAlarm::Kind::Rapid;
            alarm.depth = effect.deepest;
            addAlarm(alarm);
        } else if (move.checkFlutes) {
            const double engaged = effect.highestLowered - std::min(move.a.z, move.b.z);
            if (engaged > cutter.fluteLength) {
                alarm.kind = SimulationAlarm::Kind::Plunge;
                alarm.depth = engaged;
                addAlarm(alarm);
            }
        }
    }
    return true;
}

void StockSimulation::addAlarm(const SimulationAlarm& alarm)
{
    if (alarmed_.insert(alarmKey(alarm)).second)
        alarms_.push_back(alarm);
}

void StockSimulation::goBack(int32_t target)
{
    const int32_t from = checkpoints_.restore(*map_, target);
    ceilings_.reset(*map_);
    position_ = std::max<int32_t>(from, 0);
    while (!alarms_.empty() && alarms_.back().node > position_) {
        alarmed_.erase(alarmKey(alarms_.back()));
        alarms_.pop_back();
    }
}

bool StockSimulation::runTo(int32_t target, const SimulationProgress& progress,
                            const std::atomic<bool>* cancel)
{
    if (!map_)
        return true;
    target = std::clamp<int32_t>(target, 0, std::max<int32_t>(0, nodes_.lastnode()));
    if (target < position_)
        goBack(target);
    std::vector<Move> moves;
    moves.reserve(static_cast<std::size_t>(batchSize_));
    while (position_ < target) {
        if (cancel != nullptr && cancel->load())
            return false;
        const auto start = std::chrono::steady_clock::now();
        const int32_t end = collectBatch(position_ + 1, target, moves);
        if (!runBatch(moves, cancel)) {
            goBack(position_);  // the bands stopped at different moves: back to a whole state
            return false;
        }
        position_ = end;
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (seconds < kBatchSeconds / 2 && batchSize_ < kLargestBatch)
            batchSize_ *= 2;
        else if (seconds > kBatchSeconds * 2 && batchSize_ > 64)
            batchSize_ /= 2;
        if (checkpoints_.due(position_))
            checkpoints_.keep(*map_, position_);
        if (progress)
            progress(position_, target);
    }
    return true;
}

bool StockSimulation::runAll(const SimulationProgress& progress, const std::atomic<bool>* cancel)
{
    return runTo(nodes_.lastnode(), progress, cancel);
}

double StockSimulation::removedVolume() const
{
    return map_ ? map_->removedVolume() : 0.0;
}

float StockSimulation::lowestPoint() const
{
    return map_ ? map_->lowest() : 0.0f;
}

} // namespace sim
