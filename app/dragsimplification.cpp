#include "app/dragsimplification.h"

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

void DragSimplification::draw(double viewscale, int pixelheight) {
    lastlevel_ = -1;
    const auto levels = path_.levels();
    if (!levels) return;
    const int k =
        chooselevel(levels->tolerances(), pixelworldsize(viewscale, pixelheight), kMostPixels);
    if (k < 0) return;
    int32_t first = 0;
    int32_t last = -1;
    drawer_.drawnrange(first, last);
    if (last < first) return;
    const void* context = drawer_.currentcontext ? drawer_.currentcontext() : nullptr;
    if (simplifieddrawer_.draw(k, levels->levels[static_cast<size_t>(k)], first, last,
                               drawer_.getprocaddress, context)) {
        lastlevel_ = k;
    }
}
