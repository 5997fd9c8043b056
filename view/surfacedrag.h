#pragma once
// Mouse navigation on the drawing surface: a small state machine that turns presses, moves and
// releases (pixels of the surface, y downward) into rotation, panning, zooming and window
// zooming of the view. It never draws: a move says whether a frame is due, and the rubber band
// of a window zoom is handed to a hook.

#include <cstdint>
#include <functional>

class ViewState;

struct PixelPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

enum class MouseButton { Left, Right, Middle, Other };

class SurfaceDrag {
  public:
    enum Mode : int { None = 0, Rotate = 1, Pan = 2, Zoom = 3, WindowZoom = 4 };

    explicit SurfaceDrag(ViewState& view);

    int dragmode = None;
    PixelPoint anchorpoint;  // press pixel; rotate and zoom moves advance it
    PixelPoint cornerpoint;  // press pixel; the moving corner of the window-zoom rectangle
    double downtime = 0.0;   // seconds on a monotonic clock, when the last button went down

    // Inverts the outline of the rectangle anchor-from (removing it) and then that of
    // anchor-to, over the picture on screen.
    std::function<void(PixelPoint anchor, PixelPoint from, PixelPoint to)> rubberbandhook;

    // now: seconds on the clock downtime is taken from.
    void SurfaceMouseDown(MouseButton button, bool ctrl, std::int32_t x, std::int32_t y,
                          double now);
    // True when the view changed and a frame must be rendered.
    bool SurfaceMouseMove(std::int32_t x, std::int32_t y) { return surfacedragmove(x, y); }
    // Ends the gesture (also when the mouse is lost mid-drag); the caller renders a frame.
    void SurfaceMouseUp(double now) { surfacedragbegin(None, 0, 0, now); }
    // Ends the gesture without its end rules: the press turned out to mean something else
    // (a Shift+click that picks a line), so it neither re-centres nor zooms.
    void abandon(double now);

    // The pointer has stayed within a click's reach of the press so far.
    bool nearanchor() const;

    // Runs the end-of-gesture rules of the mode in force, then starts the given mode.
    void surfacedragbegin(int mode, std::int32_t x, std::int32_t y, double now);
    bool surfacedragmove(std::int32_t x, std::int32_t y);
    void rubberband(std::int32_t x, std::int32_t y);

  private:
    ViewState& view_;
};
