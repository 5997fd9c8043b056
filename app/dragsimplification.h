#pragma once
// Drag frames of a toolpath too slow to draw whole: after every job a worker builds simplified
// copies of it (levels by tolerance), and a drag frame that would leave the toolpath out draws
// the coarsest level that stays within about a pixel of the full path at the current scale.

#include <array>
#include <cstdint>
#include <memory>

#include "nc/simplifiedpath.h"
#include "render/simplifieddrawer.h"

class DrawTarget;
class ToolpathDrawer;

class DragSimplification {
  public:
    // A kept chord may stray this many pixels from the full path.
    static constexpr double kMostPixels = 1.0;

    DragSimplification(const NodeStore& nodes, const std::array<uint32_t, 16>& palette,
                       DrawTarget& surface, const ToolpathDrawer& drawer);
    ~DragSimplification();
    DragSimplification(const DragSimplification&) = delete;
    DragSimplification& operator=(const DragSimplification&) = delete;

    // Before the store changes: the worker stops and the old levels go.
    void jobstarting();
    // After a complete job, fitted at viewscale on a surface pixelheight pixels high.
    void jobfinished(double viewscale, int pixelheight);
    // A drag frame's toolpath; draws nothing until a level fine enough for the scale is ready.
    void draw(double viewscale, int pixelheight);

    SimplifiedPath& path() { return path_; }
    // The level the last drag frame drew, -1 for none.
    int lastlevel() const { return lastlevel_; }

  private:
    const NodeStore& nodes_;
    DrawTarget& surface_;
    const ToolpathDrawer& drawer_;
    SimplifiedPath path_;
    SimplifiedDrawer simplifieddrawer_;
    int lastlevel_ = -1;
};
