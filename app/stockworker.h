#pragma once
// The stock simulation run off the main thread, so the window stays usable on long programs: one
// run at a time, cancelled when given up, with a look at the stock cut so far every little while.
// What a run finds is handed over through the poster, to be taken on the owner's thread.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "render/solidview.h"
#include "sim/stockgrid.h"
#include "sim/stocksimulation.h"

class NcJob;

// The simulation of the shown program, its tools from the table the window's job read or the
// one beside the program, as korven-info takes them.
std::unique_ptr<sim::StockSimulation> simulationof(const NcJob& job, const std::string& path,
                                                   const sim::StockRequest& request);

class StockWorker {
  public:
    struct Outcome {
        bool partial = false;  // a look at a run still going
        std::shared_ptr<const SolidGrid> grid;
        std::string problem;
        std::vector<sim::SimulationAlarm> alarms;
    };
    // Called on the worker's thread; generation tells which run the outcome belongs to.
    using Poster = std::function<void(uint64_t generation, std::shared_ptr<Outcome> outcome)>;

    explicit StockWorker(Poster post);
    ~StockWorker();
    StockWorker(const StockWorker&) = delete;
    StockWorker& operator=(const StockWorker&) = delete;

    // Runs sim (made first when there is none) up to node target. sim and job are the worker's
    // until it has stopped or its last outcome was taken.
    void start(int32_t target, std::unique_ptr<sim::StockSimulation>& sim, const NcJob& job,
               const std::string& path, const sim::StockRequest& request);
    void stop();
    // Waits for the thread to end, without cancelling it.
    void join();
    // The last outcome of the run was taken: the node it was asked for.
    int32_t finish();

    // Whatever was posted under another generation belongs to a run given up.
    bool current(uint64_t generation) const { return generation == generation_; }
    bool running() const { return running_; }
    int32_t runningto() const { return runningto_; }
    // Progress as the worker last reported it.
    int32_t done() const { return done_; }
    int32_t target() const { return target_; }

  private:
    Poster post_;
    std::thread thread_;
    std::atomic<bool> cancel_{false};
    std::atomic<int32_t> done_{0};
    std::atomic<int32_t> target_{0};
    bool running_ = false;
    int32_t runningto_ = -1;
    uint64_t generation_ = 0;
};
