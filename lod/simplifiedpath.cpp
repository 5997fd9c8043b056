#include "lod/simplifiedpath.h"

#include <algorithm>
#include <cmath>
#if defined(__GLIBC__)
#include <malloc.h>
#endif
#include <new>
#include <system_error>
#include <utility>

#include "lod/cellsimplifier.h"
#include "nc/nodestore.h"

namespace {

// Copies on grids, in fitted pixels: the middle one first, then coarser ones up to the
// roughest or until one is small enough to draw at once anywhere, then finer ones.
constexpr double kMiddleCellPixels = 15.0;
constexpr double kRoughestCellPixels = 64.0;
constexpr double kFinestCellPixels = 2.0;
constexpr size_t kFewestCellSegments = 20000;
// A copy on a grid is for drawing fast: one that would keep more is not worth its memory.
constexpr size_t kMostCellSegments = size_t{1} << 20;

bool origin(const NodeStore& nodes, CellGrid& grid) {
    for (int32_t j = 0; j < nodes.nodecount(); ++j) {
        const Tnodedata& n = nodes.node(j);
        if (std::isfinite(n.x) && std::isfinite(n.y) && std::isfinite(n.z)) {
            grid.origin[0] = n.x, grid.origin[1] = n.y, grid.origin[2] = n.z;
            return true;
        }
    }
    return false;
}

// The pieces of a copy, freed, stay with the worker's heap unless handed back: the next copy
// is then made on top of them, and that is the moment a large program's memory peaks.
void trimheap() {
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

}  // namespace

std::vector<double> SimplifiedLevels::tolerances() const {
    std::vector<double> t;
    t.reserve(levels.size());
    for (const auto& level : levels) t.push_back(level->tolerance);
    return t;
}

void SimplifiedPath::start(const NodeStore& nodes, double coarsest) {
    cancel();
    nodes_ = &nodes;
    running_.store(true);
    try {
        worker_ = std::thread([this, &nodes, coarsest] {
            run(nodes, coarsest);
            running_.store(false);
        });
    } catch (const std::system_error&) {
        running_.store(false);
        // No thread to be had: drags stay as they were without a simplified path.
    }
}

void SimplifiedPath::refine(double tolerance) {
    // The worker's fields are read only once it is seen to have finished.
    if (running_.load() || nodes_ == nullptr || nofiner_ || !(tolerance > 0.0) ||
        !(finest_ > tolerance) || chordlevels_ >= mostlevels) {
        return;
    }
    wait();  // the finished worker of the last build
    running_.store(true);
    const NodeStore* nodes = nodes_;
    try {
        worker_ = std::thread([this, nodes, tolerance] {
            runfiner(*nodes, tolerance);
            running_.store(false);
        });
    } catch (const std::system_error&) {
        running_.store(false);
    }
}

void SimplifiedPath::cancel() {
    cancel_.store(true);
    wait();
    cancel_.store(false);
    nodes_ = nullptr;
    finest_ = 0.0;
    chordlevels_ = 0;
    nofiner_ = false;
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

size_t SimplifiedPath::mostkeptof(const NodeStore& nodes) const {
    const size_t count = static_cast<size_t>(std::max(0, nodes.nodecount()));
    return std::min(mostkept, std::max<size_t>(count / 2, 2));
}

void SimplifiedPath::run(const NodeStore& nodes, double coarsest) {
    // The copy within a pixel of the fitted view first, then the rougher ones slow drawing
    // falls back on; finer ones wait until a closer view asks.
    if (mostlevels < 1) return;
    std::shared_ptr<SimplifiedLevel> level;
    try {
        level = std::make_shared<SimplifiedLevel>();
        level->tolerance = coarsest;
        // The window is idle after a job: a second thread may help.
        const SimplifyOutcome outcome =
            simplifynodes(nodes, coarsest, mostkeptof(nodes), level->kept, &cancel_, 2);
        if (outcome != SimplifyOutcome::Done) {
            nofiner_ = true;
            return;
        }
        level->kept.shrink_to_fit();
        publish(level);
        finest_ = coarsest;
        chordlevels_ = 1;
    } catch (const std::bad_alloc&) {
        nofiner_ = true;
        return;
    }
    trimheap();
    if (cellcopies) buildcells(nodes, *level, coarsest);
    trimheap();
}

void SimplifiedPath::runfiner(const NodeStore& nodes, double tolerance) {
    while (finest_ > tolerance && chordlevels_ < mostlevels && !cancel_.load()) {
        try {
            auto level = std::make_shared<SimplifiedLevel>();
            level->tolerance = finest_ * 0.25;
            const SimplifyOutcome outcome =
                simplifynodes(nodes, level->tolerance, mostkeptof(nodes), level->kept, &cancel_, 2);
            if (outcome != SimplifyOutcome::Done) {
                // Too many kept: this and every finer copy would hardly draw faster than the
                // toolpath itself.
                if (outcome == SimplifyOutcome::TooMany) nofiner_ = true;
                return;
            }
            level->kept.shrink_to_fit();
            finest_ = level->tolerance;
            ++chordlevels_;
            publish(std::move(level));
        } catch (const std::bad_alloc&) {
            nofiner_ = true;
            return;
        }
    }
}

bool SimplifiedPath::buildcells(const NodeStore& nodes, const SimplifiedLevel& chords,
                                double pixel) {
    CellGrid grid;
    if (!(pixel > 0.0) || !std::isfinite(pixel) || !origin(nodes, grid)) return true;
    // Made from the chords within a pixel rather than from the nodes: far fewer points to pass,
    // for a pixel more of straying. The grids share their origin and each cell is a union of
    // the finer grid's, so a coarser copy made from a finer one is the copy made from the
    // chords.
    std::shared_ptr<const SimplifiedLevel> made;
    // Cells whose copies stray at most 8, 15, 29, 57 ... pixels with the chords' own pixel.
    const double chordpixels = chords.tolerance / pixel;
    auto make = [&](double pixels, const SimplifiedLevel* finer) {
        made.reset();
        if (!(pixels > chordpixels)) return SimplifyOutcome::TooMany;
        grid.cell = (pixels - chordpixels) * pixel / celltolerance(1.0);
        auto level = std::make_shared<SimplifiedLevel>();
        const SimplifyOutcome outcome =
            finer != nullptr
                ? coarsencells(finer->segments, grid, kMostCellSegments, level->segments, &cancel_)
                : cellnodes(nodes, &chords.kept, grid, kMostCellSegments, level->segments,
                            &cancel_);
        if (outcome != SimplifyOutcome::Done || level->segments.empty()) return outcome;
        level->tolerance = celltolerance(grid.cell) + chords.tolerance;
        made = level;
        publish(std::move(level));
        return outcome;
    };
    try {
        // The middle grid first; one too fine for the limit gives way to a coarser one.
        double base = kMiddleCellPixels;
        SimplifyOutcome outcome = SimplifyOutcome::TooMany;
        for (; base <= kRoughestCellPixels; base *= 2.0) {
            outcome = make(base, nullptr);
            if (outcome != SimplifyOutcome::TooMany) break;
        }
        if (outcome == SimplifyOutcome::Cancelled) return false;
        const std::shared_ptr<const SimplifiedLevel> middle = made;
        if (!middle) return true;
        for (double pixels = 2.0 * base - chordpixels;
             made && made->segments.size() > kFewestCellSegments && pixels <= kRoughestCellPixels;
             pixels = 2.0 * pixels - chordpixels) {
            if (make(pixels, made.get()) == SimplifyOutcome::Cancelled) return false;
        }
        // Finer grids while they promise to stay well within the limit.
        size_t last = middle->segments.size();
        for (double pixels = (base + chordpixels) / 2.0;
             pixels >= kFinestCellPixels && 4 * last <= kMostCellSegments;
             pixels = (pixels + chordpixels) / 2.0) {
            if (make(pixels, nullptr) != SimplifyOutcome::Done) break;
            last = made->segments.size();
        }
        return !cancel_.load();
    } catch (const std::bad_alloc&) {
        return true;
    }
}

void SimplifiedPath::publish(std::shared_ptr<const SimplifiedLevel> level) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto next = std::make_shared<SimplifiedLevels>();
    if (levels_) next->levels = levels_->levels;
    // Coarsest first, whatever order they were made in.
    const auto at = std::find_if(next->levels.begin(), next->levels.end(), [&](const auto& l) {
        return l->tolerance < level->tolerance;
    });
    next->levels.insert(at, std::move(level));
    levels_ = std::move(next);
}

int choosedraglevel(const std::vector<DragLevelCost>& levels, double pixelsize,
                    double faithfulpixels, double roughestpixels, double budgetseconds) {
    std::vector<double> tolerances;
    tolerances.reserve(levels.size());
    for (const DragLevelCost& l : levels) tolerances.push_back(l.tolerance);
    const int faithful = chooselevel(tolerances, pixelsize, faithfulpixels);
    if (faithful >= 0 && levels[static_cast<size_t>(faithful)].seconds <= budgetseconds) {
        return faithful;
    }
    const int roughest = chooselevel(tolerances, pixelsize, roughestpixels);
    if (roughest < 0) return faithful;
    // From the finest up: the first that fits.
    for (int k = faithful >= 0 ? faithful : static_cast<int>(levels.size()) - 1; k >= roughest;
         --k) {
        if (levels[static_cast<size_t>(k)].seconds <= budgetseconds) return k;
    }
    // Long lines cost a software rasterizer by their pixels: on a large picture even the copy
    // straying roughest pixels can take ten times the budget at every pointer move. A copy up
    // to four times as rough that fits is the better drag frame.
    const int rougher = chooselevel(tolerances, pixelsize, 4.0 * roughestpixels);
    for (int k = roughest - 1; rougher >= 0 && k >= rougher; --k) {
        if (levels[static_cast<size_t>(k)].seconds <= budgetseconds) return k;
    }
    // Nothing fits: the cheapest, which the caller thins to the budget. A finer copy thinned
    // further would show less of the part's shape for the same cost.
    return rougher >= 0 ? rougher : roughest;
}

int64_t dragstride(double seconds, double budgetseconds, int64_t lines, int64_t fewest) {
    if (!(seconds > budgetseconds) || lines <= fewest || fewest < 1) return 1;
    const int64_t most = lines / fewest;
    if (!(budgetseconds > 0.0) || seconds / budgetseconds >= static_cast<double>(most)) return most;
    // A ratio a rounding above a whole number (0.07 / 0.01) asks for no further thinning.
    return std::max<int64_t>(1, static_cast<int64_t>(std::ceil(seconds / budgetseconds - 1e-9)));
}
