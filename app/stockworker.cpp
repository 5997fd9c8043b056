#include "app/stockworker.h"

#include <chrono>

#include "nc/ncjob.h"

namespace {

// How often a running simulation shows the stock it has cut so far: making the coarser grid
// and drawing it costs a software rasterizer about a frame.
constexpr auto kLookInterval = std::chrono::milliseconds(400);

}  // namespace

std::unique_ptr<sim::StockSimulation> simulationof(const NcJob& job, const std::string& path,
                                                   const sim::StockRequest& request) {
    return std::make_unique<sim::StockSimulation>(
        job.nodes, job.events, sim::simulationTools(job, path), job.inchunits, request);
}

StockWorker::StockWorker(Poster post) : post_(std::move(post)) {}

StockWorker::~StockWorker() {
    stop();
}

void StockWorker::start(int32_t target, std::unique_ptr<sim::StockSimulation>& sim,
                        const NcJob& job, const std::string& path,
                        const sim::StockRequest& request) {
    stop();
    const uint64_t generation = ++generation_;
    running_ = true;
    runningto_ = target;
    done_ = 0;
    target_ = target;
    thread_ = std::thread([this, target, &sim, &job, path, request, generation] {
        if (sim == nullptr) sim = simulationof(job, path, request);
        auto outcome = std::make_shared<Outcome>();
        if (!sim->ready()) {
            outcome->problem = sim->problem();
            post_(generation, outcome);
            return;
        }
        auto looked = std::chrono::steady_clock::now();
        const auto progress = [&](int32_t done, int32_t goal) {
            done_ = done;
            target_ = goal;
            if (std::chrono::steady_clock::now() - looked < kLookInterval) return;
            auto look = std::make_shared<Outcome>();
            look->partial = true;
            look->grid = std::make_shared<const SolidGrid>(coarsegrid(sim->heightMap()));
            post_(generation, look);
            looked = std::chrono::steady_clock::now();
        };
        if (!sim->runTo(target, progress, &cancel_)) return;
        outcome->grid = std::make_shared<const SolidGrid>(coarsegrid(sim->heightMap()));
        outcome->alarms = sim->alarms();
        post_(generation, outcome);
    });
}

void StockWorker::stop() {
    ++generation_;  // whatever the worker posted belongs to a run given up
    cancel_ = true;
    join();
    cancel_ = false;
    running_ = false;
    runningto_ = -1;
}

void StockWorker::join() {
    if (thread_.joinable()) thread_.join();
}

int32_t StockWorker::finish() {
    join();
    running_ = false;
    const int32_t reached = runningto_;
    runningto_ = -1;
    return reached;
}
