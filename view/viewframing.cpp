// Framing operations of the view state: fitting, zooming, re-centring and panning.

#include <algorithm>
#include <cmath>

#include "view/minmax.h"
#include "view/viewstate.h"

namespace {

// Room left around the fitted outline in its tighter direction.
constexpr double kFitMargin = 1.03;

// Scale for an outline with no width and no height (a single point, a vertical line seen from
// the top): a scale of 0 would collapse the projection, so show a small neighbourhood instead.
constexpr double kDegenerateFitScale = 1.0;

// An outline counts as having no size when it is below rounding noise of its coordinates;
// turns by 360 degrees leave a few ulps of the depth in the width.
constexpr double kDegenerateRelativeSize = 1e-9;

// The projection is built in single floats: far inside their range, the visible half-size and
// its inverse both stay finite and non-zero for any window shape.
constexpr double kMinViewScale = 1e-30;
constexpr double kMaxViewScale = 1e30;

double largestmagnitude(const viewbox& box) {
    return std::max({1.0, std::fabs(box.xmin), std::fabs(box.xmax), std::fabs(box.ymin),
                     std::fabs(box.ymax), std::fabs(box.zmin), std::fabs(box.zmax)});
}

}  // namespace

void ViewState::pixeltoview(std::int32_t px, std::int32_t py, double& x, double& y) const {
    if (areawidth <= 0 || areaheight <= 0) {  // nothing painted yet: every pixel is the middle
        x = 0.0;
        y = 0.0;
        return;
    }
    const double s = viewscale;
    const double w = areawidth;
    const double h = areaheight;
    const double halfwidth = s * w / h;
    x = -halfwidth + 2 * halfwidth * px / w;
    y = s - 2 * s * py / h;
}

void ViewState::fitview(double x1, double x2, double y1, double y2, double z1, double z2) {
    fitbox = {x1, x2, y1, y2, z1, z2};
    surfacebox.reset();
    for (const double x : {x1, x2}) {
        for (const double y : {y1, y2}) {
            for (const double z : {z1, z2}) viewrotate(x, y, z, surfacebox);
        }
    }
    // Centring on the turned outline keeps the fit tight for any angles, not only presets.
    centeronbox(surfacebox);

    // Before the first paint the area has no size; frame as if it were square.
    const bool sized = areawidth > 0 && areaheight > 0;
    const double aspect = sized ? static_cast<double>(areawidth) / areaheight : 1.0;
    const double halfheight = (surfacebox.ymax - surfacebox.ymin) / 2;
    const double halfwidth = (surfacebox.xmax - surfacebox.xmin) / 2;
    const double a = halfheight;
    const double b = halfwidth / aspect;
    viewscale = a > b ? kFitMargin * a : kFitMargin * b;

    const double noise = kDegenerateRelativeSize * largestmagnitude(surfacebox);
    if (!(maxdouble(halfheight, halfwidth) > noise)) viewscale = kDegenerateFitScale;
}

void ViewState::fitjob(const WorldBox& extents) {
    fitview(extents.xmax, extents.xmin, extents.ymax, extents.ymin, extents.zmax, extents.zmin);
    render();
}

void ViewState::centerview(const WorldBox& extents) {
    panelbox.reset();
    for (const double x : {extents.xmax, extents.xmin}) {
        for (const double y : {extents.ymax, extents.ymin}) {
            for (const double z : {extents.zmax, extents.zmin}) viewrotate(x, y, z, panelbox);
        }
    }
    centeronbox(panelbox);
}

bool ViewState::setscale(double scale) {
    if (!(scale >= kMinViewScale && scale <= kMaxViewScale)) return false;
    viewscale = scale;
    return true;
}

void ViewState::zoomby(double factor) {
    setscale(viewscale * factor);
    render();
}

void ViewState::recenterat(std::int32_t px, std::int32_t py) {
    double a = 0.0;
    double b = 0.0;
    pixeltoview(px, py, a, b);
    double x = surfacebox.centerx() + a;
    double y = surfacebox.centery() + b;
    double z = surfacebox.centerz();
    surfacebox.shift(a, b);
    viewunrotate(x, y, z);
    viewcenter = {x, y, z};
}

void ViewState::zoomtorect(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
    const std::int32_t left = min(x1, x2);
    const std::int32_t right = max(x1, x2);
    const std::int32_t top = min(y1, y2);
    const std::int32_t bottom = max(y1, y2);
    // A side of no length cannot be filled: the other side decides alone. With both sides
    // empty (press and release on one pixel) there is nothing to zoom to.
    const double inf = HUGE_VAL;
    const double width = static_cast<double>(right) - left;
    const double height = static_cast<double>(bottom) - top;
    const double rx = width > 0 ? areawidth / width : inf;
    const double ry = height > 0 ? areaheight / height : inf;
    const double ratio = mindouble(rx, ry);
    if (!(ratio > 0.0) || std::isinf(ratio)) return;
    const auto middle = [](std::int32_t p, std::int32_t q) {
        return static_cast<std::int32_t>((static_cast<std::int64_t>(p) + q) / 2);
    };
    recenterat(middle(left, right), middle(top, bottom));
    setscale(viewscale / ratio);
}

void ViewState::panbypixels(std::int32_t dx, std::int32_t dy, double k, std::int32_t h,
                            BoxAccumulator& box) {
    if (h <= 0) return;
    const viewbox& start = box.dragstartbox;
    const double a = -2 * k * viewscale * dx / h;
    const double b = 2 * k * viewscale * dy / h;
    double x = start.centerx() + a;
    double y = start.centery() + b;
    double z = start.centerz();
    static_cast<viewbox&>(box) = start;
    box.shift(a, b);
    viewunrotate(x, y, z);
    viewcenter = {x, y, z};
}
