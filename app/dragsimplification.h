#pragma once
// Drag frames of a toolpath too slow to draw whole: after every job a worker builds simplified
// copies of it (levels by tolerance), and a drag frame that would leave the toolpath out draws
// the coarsest level that stays within about a pixel of the full path at the current scale.
// Where drawing is too slow even for that level to turn smoothly (software drawing of tens of
// millions of moves), a rougher level is drawn instead, the finest expected to fit a frame's
// budget: each level's cost is known once it has been drawn, and guessed before from the
// time per line of the frames drawn so far. The budget is what the frame leaves once the rest
// of it (clearing, composing the window) is paid; where even the cheapest copy is over it,
// only every so many of its lines are drawn, never fewer than kFewestLines.

#include <array>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "lod/simplifiedpath.h"
#include "render/framerender.h"
#include "render/simplifieddrawer.h"

class DrawTarget;
class ToolpathDrawer;

class DragSimplification {
  public:
    // A kept chord may stray this many pixels from the full path.
    static constexpr double kMostPixels = 1.0;
    // A drag frame should cost no more than this...
    static constexpr double kBudgetSeconds = FrameRender::kDragBudgetSeconds;
    // The budget drag frames are held to (tests of what is drawn lift it).
    double budgetseconds = kBudgetSeconds;
    // ...unless that needs a level straying further than this many pixels.
    static constexpr double kRoughestPixels = 32.0;
    // A thinned copy keeps at least this many lines: fewer hardly show the part's shape.
    static constexpr int64_t kFewestLines = 2000;

    DragSimplification(const NodeStore& nodes, const std::array<uint32_t, 16>& palette,
                       DrawTarget& surface, const ToolpathDrawer& drawer);
    ~DragSimplification();
    DragSimplification(const DragSimplification&) = delete;
    DragSimplification& operator=(const DragSimplification&) = delete;

    // Before the store changes: the worker stops and the old levels go.
    void jobstarting();
    // After a complete job, fitted at viewscale on a surface pixelheight pixels high.
    void jobfinished(double viewscale, int pixelheight);
    // A drag frame's toolpath; draws nothing (and says so) until a level fine enough for the
    // scale is ready. A scale finer than every level asks the worker for finer ones.
    bool draw(double viewscale, int pixelheight);
    // After every frame: what it cost, whether it left the full toolpath out (a drag frame)
    // and whether the logo stood in for the toolpath.
    void frameended(double seconds, bool skipped, bool logoshown);

    SimplifiedPath& path() { return path_; }
    // The level the last drag frame drew, -1 for none, and every how many-th of its lines.
    int lastlevel() const { return lastlevel_; }
    int64_t laststride() const { return laststride_; }

  private:
    const NodeStore& nodes_;
    DrawTarget& surface_;
    const ToolpathDrawer& drawer_;
    SimplifiedPath path_;
    SimplifiedDrawer simplifieddrawer_;
    // The cost of the copy just drawn, measured apart from the rest of its frame.
    double drawcopy(int k, const std::shared_ptr<const SimplifiedLevel>& level, int32_t first,
                    int32_t last, int64_t stride);

    int lastlevel_ = -1;
    int64_t laststride_ = 1;
    const SimplifiedLevel* drawnlevel_ = nullptr;  // by this frame, until it ends
    double drawnseconds_ = 0.0;                    // what drawing it cost
    int64_t drawnlines_ = 0;
    double secondsperline_ = 0.0;  // 0: not known yet
    // Of the copies alone, once one of the kind has been drawn: chords from buffers, and
    // the loose (longer) segments of the grids.
    double chordsecondsperline_ = 0.0;
    double cellsecondsperline_ = 0.0;
    double restseconds_ = -1.0;  // a drag frame's cost beside its copy; below 0: not known yet
    std::vector<std::pair<const SimplifiedLevel*, double>> measured_;  // seconds, whole copy
};
