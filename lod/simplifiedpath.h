#pragma once
// Simplified copies of a finished job's toolpath at a few tolerances, built on a worker thread
// so the window stays usable: the level within about one pixel of the fitted view first, then
// rougher copies on grids for drawing too slow even for it. Finer levels (each a quarter of
// the last) are made only when a closer view asks for them: most programs are looked at whole,
// and on a large one each finer copy holds tens of megabytes. Levels are published one by one
// as they are finished; readers take a snapshot and keep it as long as they like.
//
// The worker reads the node store, so it must be stopped (cancel) before the store changes.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "lod/pathsimplifier.h"

class NodeStore;

struct SimplifiedLevels {
    // Coarsest first.
    std::vector<std::shared_ptr<const SimplifiedLevel>> levels;
    std::vector<double> tolerances() const;
};

class SimplifiedPath {
  public:
    SimplifiedPath() = default;
    ~SimplifiedPath() { cancel(); }
    SimplifiedPath(const SimplifiedPath&) = delete;
    SimplifiedPath& operator=(const SimplifiedPath&) = delete;

    // Starts building levels of the store's nodes, the coarsest at `coarsest` world units.
    // A build still running is cancelled first.
    void start(const NodeStore& nodes, double coarsest);
    // Asks for finer levels down to `tolerance` world units, made on the worker once it is
    // free (a call while it works is dropped; the caller asks again at its next frame).
    // Nothing happens without a started store, or once a finer level has proved not worth it.
    void refine(double tolerance);
    // Stops the worker (it gives up within a few thousand nodes) and forgets the levels.
    void cancel();
    // Blocks until the worker has finished (tools and tests).
    void wait();
    // The worker has made every level it will make (or none was started).
    bool finished() const { return !running_.load(); }

    // The levels finished so far; empty until the coarsest is done.
    std::shared_ptr<const SimplifiedLevels> levels() const;

    // At most this many levels; the finest is also given up when it would keep more than
    // half the nodes (it would hardly draw faster than the full path) or more than mostkept.
    int mostlevels = 5;
    size_t mostkept = size_t{1} << 23;
    // Copies on grids (lod/cellsimplifier.h), rougher than the level within a pixel, for drawing
    // that cannot keep up even with it.
    bool cellcopies = true;

  private:
    void run(const NodeStore& nodes, double coarsest);
    // Levels finer than the finest so far, a quarter each, down to tolerance.
    void runfiner(const NodeStore& nodes, double tolerance);
    size_t mostkeptof(const NodeStore& nodes) const;
    // False when cancelled.
    bool buildcells(const NodeStore& nodes, const SimplifiedLevel& chords, double pixel);
    void publish(std::shared_ptr<const SimplifiedLevel> level);

    std::thread worker_;
    const NodeStore* nodes_ = nullptr;  // of the last start, until cancelled
    // Tolerance of the finest level within-a-pixel made so far (0: none), the count of such
    // levels, and whether no finer one will be made.
    double finest_ = 0.0;
    int chordlevels_ = 0;
    bool nofiner_ = false;
    std::atomic<bool> cancel_{false};
    std::atomic<bool> running_{false};
    mutable std::mutex mutex_;
    std::shared_ptr<const SimplifiedLevels> levels_;
};

// The level a drag frame draws, given each level's tolerance and the seconds it is expected
// to take (0 when not known): the coarsest within faithful pixels if it fits the budget, else
// the finest that fits the budget within roughest pixels, else the finest that fits within
// four times roughest pixels, else the coarsest within four times roughest (the cheapest,
// to be thinned with dragstride); the faithful one when nothing is within roughest; -1 for
// none. Levels come coarsest first.
struct DragLevelCost {
    double tolerance = 0.0;
    double seconds = 0.0;
};
int choosedraglevel(const std::vector<DragLevelCost>& levels, double pixelsize,
                    double faithfulpixels, double roughestpixels, double budgetseconds);

// Every how many-th line a drag frame draws of a copy of `lines` lines expected to take
// `seconds` whole, so that it fits `budgetseconds` (which may be used up already), yet never
// fewer than `fewest` lines: 1 when the whole copy fits.
int64_t dragstride(double seconds, double budgetseconds, int64_t lines, int64_t fewest);
