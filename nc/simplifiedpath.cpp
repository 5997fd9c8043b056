#include "nc/simplifiedpath.h"

#include <algorithm>
#include <new>
#include <system_error>
#include <utility>

#include "nc/nodestore.h"

std::vector<double> SimplifiedLevels::tolerances() const {
    std::vector<double> t;
    t.reserve(levels.size());
    for (const auto& level : levels) t.push_back(level->tolerance);
    return t;
}

void SimplifiedPath::start(const NodeStore& nodes, double coarsest) {
    cancel();
    try {
        worker_ = std::thread([this, &nodes, coarsest] { run(nodes, coarsest); });
    } catch (const std::system_error&) {
        // No thread to be had: drags stay as they were without a simplified path.
    }
}

void SimplifiedPath::cancel() {
    cancel_.store(true);
    wait();
    cancel_.store(false);
    std::lock_guard<std::mutex> lock(mutex_);
    levels_.reset();
}

void SimplifiedPath::wait() {
    if (worker_.joinable()) worker_.join();
}

std::shared_ptr<const SimplifiedLevels> SimplifiedPath::levels() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return levels_;
}

void SimplifiedPath::run(const NodeStore& nodes, double coarsest) {
    const size_t count = static_cast<size_t>(std::max(0, nodes.nodecount()));
    const size_t most = std::min(mostkept, std::max<size_t>(count / 2, 2));
    double tolerance = coarsest;
    for (int k = 0; k < mostlevels; ++k, tolerance *= 0.25) {
        try {
            auto level = std::make_shared<SimplifiedLevel>();
            level->tolerance = tolerance;
            if (simplifynodes(nodes, tolerance, most, level->kept, &cancel_) !=
                SimplifyOutcome::Done) {
                return;
            }
            level->kept.shrink_to_fit();
            publish(std::move(level));
        } catch (const std::bad_alloc&) {
            return;
        }
    }
}

void SimplifiedPath::publish(std::shared_ptr<const SimplifiedLevel> level) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto next = std::make_shared<SimplifiedLevels>();
    if (levels_) next->levels = levels_->levels;
    next->levels.push_back(std::move(level));
    levels_ = std::move(next);
}
