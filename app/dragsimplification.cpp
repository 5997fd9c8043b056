#include "app/dragsimplification.h"

#include <algorithm>

#include "nc/nodestore.h"
#include "render/drawtarget.h"
#include "render/toolpathdrawer.h"

DragSimplification::DragSimplification(const NodeStore& nodes,
                                       const std::array<uint32_t, 16>& palette,
                                       DrawTarget& surface, const ToolpathDrawer& drawer)
    : nodes_(nodes), surface_(surface), drawer_(drawer), simplifieddrawer_(nodes, palette) {}

DragSimplification::~DragSimplification() {
    // The worker reads the store, which goes with the window.
    path_.cancel();
}

void DragSimplification::jobstarting() {
    path_.cancel();
    lastlevel_ = -1;
    drawnlevel_ = nullptr;
    measured_.clear();
    if (surface_.ready()) {
        // The arrays of the last job would only hold memory until the next slow drag.
        surface_.BeginGL();
        simplifieddrawer_.release(drawer_.currentcontext ? drawer_.currentcontext() : nullptr);
        surface_.EndGL();
    }
}

void DragSimplification::jobfinished(double viewscale, int pixelheight) {
    if (nodes_.nodecount() < 3) return;
    path_.start(nodes_, kMostPixels * pixelworldsize(viewscale, pixelheight));
}

bool DragSimplification::draw(double viewscale, int pixelheight) {
    lastlevel_ = -1;
    drawnlevel_ = nullptr;
    const auto levels = path_.levels();
    if (!levels) return false;
    const double pixel = pixelworldsize(viewscale, pixelheight);
    if (chooselevel(levels->tolerances(), pixel, kMostPixels) < 0) {
        // Closer in than any copy made so far: the finer copies are made when first wanted,
        // so a program only looked at whole never holds them.
        path_.refine(kMostPixels * pixel);
    }
    std::vector<DragLevelCost> costs;
    for (const auto& level : levels->levels) {
        DragLevelCost cost{level->tolerance, static_cast<double>(level->lines()) * secondsperline_};
        for (const auto& [measuredlevel, seconds] : measured_) {
            if (measuredlevel == level.get()) cost.seconds = seconds;
        }
        costs.push_back(cost);
    }
    const int k = choosedraglevel(costs, pixel, kMostPixels, kRoughestPixels, kBudgetSeconds);
    if (k < 0 || k >= SimplifiedDrawer::kLevels) return false;
    int32_t first = 0;
    int32_t last = -1;
    drawer_.drawnrange(first, last);
    if (last < first) return false;
    const void* context = drawer_.currentcontext ? drawer_.currentcontext() : nullptr;
    const auto& level = levels->levels[static_cast<size_t>(k)];
    if (simplifieddrawer_.draw(k, level, first, last, drawer_.getprocaddress, context)) {
        lastlevel_ = k;
        drawnlevel_ = level.get();
        return true;
    }
    return false;
}

void DragSimplification::frameended(double seconds, bool skipped, bool logoshown) {
    // Frames of a few thousand lines say more about the fixed cost of a frame than about lines.
    constexpr int64_t kFewestLines = 100000;
    const SimplifiedLevel* drawn = drawnlevel_;
    drawnlevel_ = nullptr;
    if (drawn != nullptr) {
        const auto at = std::find_if(measured_.begin(), measured_.end(),
                                     [drawn](const auto& m) { return m.first == drawn; });
        if (at != measured_.end()) {
            at->second = seconds;
        } else {
            measured_.emplace_back(drawn, seconds);
        }
        if (drawn->lines() >= kFewestLines) {
            secondsperline_ = seconds / static_cast<double>(drawn->lines());
        }
        return;
    }
    if (skipped || logoshown) return;
    int32_t first = 0;
    int32_t last = -1;
    drawer_.drawnrange(first, last);
    if (last - first >= kFewestLines) secondsperline_ = seconds / static_cast<double>(last - first);
}
