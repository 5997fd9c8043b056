#include "app/dragsimplification.h"

#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <ctime>

#include "nc/nodestore.h"
#include "render/drawtarget.h"
#include "render/toolpathdrawer.h"

namespace {

double processcpuseconds() {
    timespec t{};
    if (clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t) != 0) return 0.0;
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

}  // namespace

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
    laststride_ = 1;
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
    laststride_ = 1;
    drawnlevel_ = nullptr;
    const auto levels = path_.levels();
    if (!levels) return false;
    const double pixel = pixelworldsize(viewscale, pixelheight);
    if (chooselevel(levels->tolerances(), pixel, kMostPixels) < 0) {
        // Closer in than any copy made so far: the finer copies are made when first wanted,
        // so a program only looked at whole never holds them.
        path_.refine(kMostPixels * pixel);
    }
    // Lines of a copy cost more than the toolpath's own: a kind not drawn yet is guessed from
    // the other, or from the toolpath's.
    auto perline = [this](const SimplifiedLevel& level) {
        const double same = level.segments.empty() ? chordsecondsperline_ : cellsecondsperline_;
        const double other = level.segments.empty() ? cellsecondsperline_ : chordsecondsperline_;
        return same > 0.0 ? same : other > 0.0 ? other : secondsperline_;
    };
    std::vector<DragLevelCost> costs;
    for (const auto& level : levels->levels) {
        DragLevelCost cost{level->tolerance, static_cast<double>(level->lines()) * perline(*level)};
        for (const auto& [measuredlevel, seconds] : measured_) {
            if (measuredlevel == level.get()) cost.seconds = seconds;
        }
        costs.push_back(cost);
    }
    // Before the first drag frame has shown what the rest costs, half the budget is kept
    // for it.
    const double budget =
        budgetseconds - (restseconds_ >= 0.0 ? restseconds_ : budgetseconds / 2);
    const int k = choosedraglevel(costs, pixel, kMostPixels, kRoughestPixels, budget);
    if (k < 0 || k >= SimplifiedDrawer::kLevels) return false;
    int32_t first = 0;
    int32_t last = -1;
    drawer_.drawnrange(first, last);
    if (last < first) return false;
    const auto& level = levels->levels[static_cast<size_t>(k)];
    const int64_t stride =
        level->segments.empty()
            ? 1
            : dragstride(costs[static_cast<size_t>(k)].seconds, budget, level->lines(), kFewestLines);
    const double seconds = drawcopy(k, level, first, last, stride);
    if (seconds < 0.0) return false;
    lastlevel_ = k;
    laststride_ = stride;
    drawnlevel_ = level.get();
    drawnseconds_ = seconds;
    drawnlines_ = simplifieddrawer_.drawnlines();
    return true;
}

double DragSimplification::drawcopy(int k, const std::shared_ptr<const SimplifiedLevel>& level,
                                    int32_t first, int32_t last, int64_t stride) {
    // Finished before and after, so that the time is the copy's alone: the rasterizer works
    // on other threads, and what is left queued when the copy begins is not its cost.
    glFinish();
    const auto start = std::chrono::steady_clock::now();
    const double startcpu = processcpuseconds();
    const void* context = drawer_.currentcontext ? drawer_.currentcontext() : nullptr;
    if (!simplifieddrawer_.draw(k, level, first, last, drawer_.getprocaddress, context, stride)) {
        return -1.0;
    }
    glFinish();
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return std::max(wall, processcpuseconds() - startcpu);
}

void DragSimplification::frameended(double seconds, bool skipped, bool logoshown) {
    // Frames of a few thousand lines say more about the fixed cost of a frame than about lines.
    constexpr int64_t kFewestMeasured = 100000;
    // The cost of a copy's line is taken from fewer: the copy is timed on its own.
    constexpr int64_t kFewestCopyLines = 1000;
    const SimplifiedLevel* drawn = drawnlevel_;
    drawnlevel_ = nullptr;
    if (drawn != nullptr) {
        restseconds_ = std::max(0.0, seconds - drawnseconds_);
        if (drawnlines_ < kFewestCopyLines) return;
        const double perline = drawnseconds_ / static_cast<double>(drawnlines_);
        (drawn->segments.empty() ? chordsecondsperline_ : cellsecondsperline_) = perline;
        // A thinned copy's cost stands for the whole copy's.
        const double whole = perline * static_cast<double>(drawn->lines());
        const auto at = std::find_if(measured_.begin(), measured_.end(),
                                     [drawn](const auto& m) { return m.first == drawn; });
        if (at != measured_.end()) {
            at->second = whole;
        } else {
            measured_.emplace_back(drawn, whole);
        }
        return;
    }
    if (skipped || logoshown) return;
    int32_t first = 0;
    int32_t last = -1;
    drawer_.drawnrange(first, last);
    if (last - first >= kFewestMeasured) secondsperline_ = seconds / static_cast<double>(last - first);
}
