#pragma once
// The one place where a picture is composed: projection and view from the view state, the
// logo or the toolpath, the guide geometry, then the frame is shown. It also decides whether
// frames drawn during a drag may leave the toolpath out (a still frame took 0.2 s or more);
// such frames may draw a lighter copy of it instead, as may drag frames of a toolpath whose
// still frame, though under 0.2 s, cost more than a drag frame may.

#include <functional>

class DrawTarget;
class ViewState;

struct FrameBox {
    double xmin = 0, xmax = 0, ymin = 0, ymax = 0, zmin = 0, zmax = 0;
};

// Everything one frame reads, gathered by the caller.
struct FrameScene {
    double viewscale = 10.0;
    double rotx = 0, roty = 0, rotz = 0;
    double centerx = 0, centery = 0, centerz = 0;
    double savedscale = 0;
    double savedx = 0, savedy = 0, savedz = 0;
    bool dragging = false;       // a surface or panel drag is under way
    bool dragstartpass = false;  // draw over the previous picture (panel drag start)
    bool logoshown = false;
    bool showextentsbox = false;  // the stock-block check box
    FrameBox extents;
    bool showtravelbox = false;  // the machine's travel, in the program's coordinates
    FrameBox travel;

    // A still scene of the view as it stands: scale, angles, centre and the drag-start copies.
    static FrameScene fromview(const ViewState& view);
};

class FrameRender {
  public:
    explicit FrameRender(DrawTarget& surface) : surface_(surface) {}

    void renderframe(const FrameScene& scene);

    // What a drag frame may cost, in seconds of the clock or of CPU, whichever is more: the
    // drawing threads of a software rasterizer spend CPU the clock does not show.
    static constexpr double kDragBudgetSeconds = 0.030;

    // The last still frame took at least 0.2 s: drags show only the box and the marker.
    bool slowframe = false;
    // The last still frame cost more than kDragBudgetSeconds: drags draw the lighter copy
    // where one is ready.
    bool heavyframe = false;
    // The last frame: how long it took, drawing to shown, what it cost (the larger of that
    // and the process's CPU time over it), and whether it was a drag frame that left the full
    // toolpath out.
    double lastseconds = 0.0;
    double lastcost = 0.0;
    bool lastskipped = false;
    // Main content when no logo is shown (the toolpath); runs inside the open frame.
    std::function<void()> drawtoolpath;
    // In a drag frame that leaves the toolpath out or finds it heavy: a lighter copy of it,
    // chosen for the view scale and the surface's pixel height; false when it drew nothing.
    std::function<bool(double viewscale, int pixelheight)> drawsimplified;
    // Off: drag frames leave a slow toolpath out entirely.
    bool simplifieddrags = true;
    // Replays the compiled logo.
    std::function<void()> drawlogo;
    // Just before the frame is shown: what must change with it (the rotate button's axis
    // icon) is marked then, so that the window paints and flushes both at once: each flush
    // of a large window is a copy of the whole picture.
    std::function<void()> beforeshow;
    // After the frame is shown.
    std::function<void()> afterframe;
    // True when the frame is no longer worth showing (the program is ending).
    std::function<bool()> abandoned;

    static void drawpivotmarker(double scale, double cx, double cy, double cz);
    static void drawextentsbox(const FrameBox& box, float red = 1, float green = 1, float blue = 1);
    static void setuplights();
    static void setmaterial(float ar, float ag, float ab, float dr, float dg, float db, float sr,
                            float sg, float sb, float shininess);

  private:
    DrawTarget& surface_;
};
