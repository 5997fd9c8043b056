#pragma once
// The one record of the 3D view: how the scene is turned (three angles), which part of the
// turned scene is shown (centre and scale), how pixels of the drawing area map onto it, and the
// operations that change it. The window, mouse and keys only call these; every picture is drawn
// from these fields.

#include <cstdint>
#include <functional>

#include "view/geometry.h"
#include "view/orientation.h"
#include "view/transform.h"

class ViewState {
  public:
    // Orientation, degrees, never normalised.
    double rotx = 0.0;
    double roty = 0.0;
    double rotz = 0.0;
    bool viewchosen = false;  // the user has picked a view (preset or press on the picture)

    // Framing. viewscale is half the visible height in world units; the visible half-width is
    // viewscale * W / H.
    double viewscale = 10.0;
    Point3 viewcenter;        // world point at the middle of the view
    double savedscale = 0.0;  // viewscale and viewcenter when the current drag began
    Point3 savedcenter;
    FitBox fitbox;               // the last box fitted, for the quick re-fit click
    std::int32_t areawidth = 0;  // client size of the drawing area, 0 until its first paint
    std::int32_t areaheight = 0;

    BoxAccumulator surfacebox;  // drawing-surface fitting and drags
    BoxAccumulator panelbox;    // panel drag buttons and the start-up logo

    // Draws a frame with the current view; may be empty (nothing is drawn).
    std::function<void()> renderhook;

    ViewAngles angles() const { return {rotx, roty, rotz}; }
    // Stores the angles; no redraw, no refit.
    void setviewangles(double x, double y, double z);
    void setviewangles(const ViewPreset& preset);
    // What the main window sets up at its creation: the ISO1 angles and a scale of 100.
    void startwindow();

    // Forward rotation by the current angles into the accumulator, and its inverse.
    void viewrotate(double x, double y, double z, viewbox& box) const;
    void viewunrotate(double& x, double& y, double& z) const;
    // Resets the box to the single view-space point where viewcenter lies.
    void boxatviewcenter(viewbox& box) const;

    // View-plane position (relative to the view centre) of a drawing-area pixel counted from
    // the top-left corner, y downward. One pixel is 2 * viewscale / areaheight world units.
    void pixeltoview(std::int32_t px, std::int32_t py, double& x, double& y) const;

    // Frames the world box with corners drawn from {x1, x2} x {y1, y2} x {z1, z2}: centred on
    // its turned outline, 3 % of room in the tighter direction.
    void fitview(double x1, double x2, double y1, double y2, double z1, double z2);
    // Fits the toolpath extents and renders a frame. Empty extents (minima above maxima) give
    // the large cube between them.
    void fitjob(const WorldBox& extents);
    // Centres on the extents through panelbox; scale, fitbox and surfacebox stay.
    void centerview(const WorldBox& extents);
    // Takes the scale when a picture can still be drawn with it; a zoom step that would leave
    // that range (0, infinite, NaN or beyond what single-precision GL projects) is refused and
    // the scale stays. Returns whether it was taken.
    bool setscale(double scale);
    // Scales about the view centre (0.5 magnifies, 2 shrinks) and renders a frame.
    void zoomby(double factor);
    // Brings the scene under the pixel to the middle. surfacebox must hold the turned
    // viewcenter (boxatviewcenter) first; it is moved along.
    void recenterat(std::int32_t px, std::int32_t py);
    // Centres on the pixel rectangle and zooms so that all of it fills the view.
    void zoomtorect(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);
    // Moves the view so that the scene follows the pointer: (dx, dy) is the pointer's offset
    // from where the drag began, k the gain, h the pixel height of the area it moves over.
    // The box's drag-start copy is the reference, so the pan never drifts.
    void panbypixels(std::int32_t dx, std::int32_t dy, double k, std::int32_t h,
                     BoxAccumulator& box);

    void render() const;

  private:
    void centeronbox(const viewbox& box);
};
