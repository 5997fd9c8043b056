#include "view/surfacedrag.h"

#include <cmath>
#include <cstdlib>

#include "view/viewstate.h"

namespace {

// A release this close to the press, this soon, is a click rather than a drag.
constexpr std::int32_t kClickPixels = 6;
constexpr double kRefitClickSeconds = 0.5;
constexpr double kRecenterClickSeconds = 0.2;
// About 55 pixels of travel double or halve the scale.
constexpr double kZoomPerPixel = 0.0125;

}  // namespace

SurfaceDrag::SurfaceDrag(ViewState& view) : view_(view) {
    surfacedragbegin(None, 0, 0, 0.0);
}

bool SurfaceDrag::nearanchor() const {
    return std::abs(anchorpoint.x - cornerpoint.x) <= kClickPixels &&
           std::abs(anchorpoint.y - cornerpoint.y) <= kClickPixels;
}

void SurfaceDrag::abandon(double now) {
    dragmode = None;
    surfacedragbegin(None, 0, 0, now);
}

void SurfaceDrag::SurfaceMouseDown(MouseButton button, bool ctrl, std::int32_t x, std::int32_t y,
                                   double now) {
    downtime = now;
    view_.viewchosen = true;
    view_.savedscale = view_.viewscale;
    view_.savedcenter = view_.viewcenter;
    int mode = None;
    switch (button) {
        case MouseButton::Left:
            mode = ctrl ? Pan : WindowZoom;
            break;
        case MouseButton::Right:
            mode = Zoom;
            break;
        case MouseButton::Middle:
            mode = Rotate;
            break;
        case MouseButton::Other:
            return;
    }
    surfacedragbegin(mode, x, y, now);
}

void SurfaceDrag::surfacedragbegin(int mode, std::int32_t x, std::int32_t y, double now) {
    const double held = now - downtime;
    if (dragmode == Zoom && nearanchor() && held < kRefitClickSeconds) {
        const FitBox& b = view_.fitbox;
        view_.fitview(b.x1, b.x2, b.y1, b.y2, b.z1, b.z2);
    }
    view_.boxatviewcenter(view_.surfacebox);
    if (dragmode == WindowZoom) {
        if (nearanchor() && held < kRecenterClickSeconds) {
            view_.recenterat((anchorpoint.x + cornerpoint.x) / 2,
                             (anchorpoint.y + cornerpoint.y) / 2);
        } else {
            view_.zoomtorect(anchorpoint.x, anchorpoint.y, cornerpoint.x, cornerpoint.y);
        }
    }
    anchorpoint = {x, y};
    cornerpoint = {x, y};
    dragmode = mode;
    view_.surfacebox.takedragstart();
}

bool SurfaceDrag::surfacedragmove(std::int32_t x, std::int32_t y) {
    switch (dragmode) {
        case Rotate:
            view_.rotx += y - anchorpoint.y;
            view_.rotz += x - anchorpoint.x;
            anchorpoint = {x, y};
            return true;
        case Pan:
            view_.panbypixels(x - anchorpoint.x, y - anchorpoint.y, 1.0, view_.areaheight,
                              view_.surfacebox);
            return true;
        case Zoom: {
            const double travel = (anchorpoint.x - x) + (y - anchorpoint.y);
            view_.setscale(view_.viewscale * std::exp(kZoomPerPixel * travel));
            anchorpoint = {x, y};
            return true;
        }
        case WindowZoom:
            rubberband(x, y);
            return false;
        default:
            return false;
    }
}

void SurfaceDrag::rubberband(std::int32_t x, std::int32_t y) {
    if (rubberbandhook) rubberbandhook(anchorpoint, cornerpoint, {x, y});
    cornerpoint = {x, y};
}
