#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "reference.h"
#include "view/viewstate.h"

namespace {

struct Pixel {
    double x, y;
};

// Where a world point appears in the drawing area, computed the way the renderer projects.
Pixel pixelof(const ViewState& v, const Point3& w) {
    const Matrix3 m = viewmatrix(v.rotx, v.roty, v.rotz);
    const Point3 p = m * Point3{w.x - v.viewcenter.x, w.y - v.viewcenter.y, w.z - v.viewcenter.z};
    const double aspect = static_cast<double>(v.areawidth) / v.areaheight;
    return {(p.x / (v.viewscale * aspect) + 1) * v.areawidth / 2,
            (1 - p.y / v.viewscale) * v.areaheight / 2};
}

// The world point under a pixel, on the plane through the view centre parallel to the screen.
Point3 worldunder(const ViewState& v, Pixel px) {
    const double aspect = static_cast<double>(v.areawidth) / v.areaheight;
    const Point3 view{(2 * px.x / v.areawidth - 1) * v.viewscale * aspect,
                      (1 - 2 * px.y / v.areaheight) * v.viewscale, 0};
    const Point3 d = transposed(viewmatrix(v.rotx, v.roty, v.rotz)) * view;
    return {v.viewcenter.x + d.x, v.viewcenter.y + d.y, v.viewcenter.z + d.z};
}

ViewState sizedview(int w, int h) {
    ViewState v;
    v.areawidth = w;
    v.areaheight = h;
    return v;
}

// Every corner is inside the view, the outline is centred, and in the tighter direction it
// reaches exactly 1/1.03 of the visible half-size.
void expecttight(const ViewState& v, const WorldBox& b) {
    double left = 1e300, right = -1e300, bottom = 1e300, top = -1e300;
    for (double x : {b.xmin, b.xmax})
        for (double y : {b.ymin, b.ymax})
            for (double z : {b.zmin, b.zmax}) {
                const Pixel p = pixelof(v, {x, y, z});
                left = std::min(left, p.x), right = std::max(right, p.x);
                top = std::max(top, p.y), bottom = std::min(bottom, p.y);
            }
    const double w = v.areawidth, h = v.areaheight, tol = 1e-7;
    EXPECT_NEAR(left + right, w, tol);  // centred
    EXPECT_NEAR(top + bottom, h, tol);
    const double fillx = (right - left) / w, filly = (top - bottom) / h;
    EXPECT_LE(fillx, 1 / 1.03 + tol);
    EXPECT_LE(filly, 1 / 1.03 + tol);
    EXPECT_NEAR(std::max(fillx, filly), 1 / 1.03, tol);
}

TEST(Fit, TightForEveryPresetAndArbitraryAngles) {
    const WorldBox part{-12.5, 87.5, 3, 43, -20, 4};
    std::vector<ViewAngles> angles;
    for (const ViewPreset& p : viewpresets) angles.push_back(p.angles);
    std::mt19937 rng(3);
    std::uniform_real_distribution<double> any(-400, 400);
    for (int i = 0; i < 100; ++i) angles.push_back({any(rng), any(rng), any(rng)});
    for (const auto& [w, h] : {std::pair{400, 400}, {1200, 500}, {300, 900}}) {
        for (const ViewAngles& a : angles) {
            ViewState v = sizedview(w, h);
            v.setviewangles(a.rotx, a.roty, a.rotz);
            v.fitjob(part);
            expecttight(v, part);
        }
    }
}

TEST(Fit, TopViewOfAWidePart) {
    ViewState v = sizedview(400, 400);
    int renders = 0;
    v.renderhook = [&] { ++renders; };
    v.fitjob({0, 100, 0, 50, -5, 0});
    EXPECT_DOUBLE_EQ(v.viewscale, 51.5);
    EXPECT_DOUBLE_EQ(v.viewcenter.x, 50);
    EXPECT_DOUBLE_EQ(v.viewcenter.y, 25);
    EXPECT_DOUBLE_EQ(v.viewcenter.z, -2.5);
    EXPECT_EQ(renders, 1);
    // The fit is remembered as handed over, maxima first.
    EXPECT_EQ(v.fitbox.x1, 100);
    EXPECT_EQ(v.fitbox.x2, 0);
    EXPECT_EQ(v.fitbox.z2, -5);
}

TEST(Fit, EmptyExtentsFrameTheLargeCube) {
    ViewState v = sizedview(400, 400);
    v.fitjob({9999, -9999, 9999, -9999, 9999, -9999});
    EXPECT_DOUBLE_EQ(v.viewscale, 1.03 * 9999);
    EXPECT_NEAR(v.viewcenter.x, 0, 1e-9);
    EXPECT_NEAR(v.viewcenter.y, 0, 1e-9);
    EXPECT_NEAR(v.viewcenter.z, 0, 1e-9);
}

TEST(Fit, CenterViewMovesOnlyTheCentre) {
    ViewState v = sizedview(640, 480);
    v.setviewangles(viewpreset(ViewPresetId::Iso3));
    v.fitjob({0, 10, 0, 10, 0, 10});
    const double scale = v.viewscale;
    const viewbox surface = v.surfacebox;
    v.centerview({100, 140, -20, 0, 5, 9});
    EXPECT_NEAR(v.viewcenter.x, 120, 1e-9);
    EXPECT_NEAR(v.viewcenter.y, -10, 1e-9);
    EXPECT_NEAR(v.viewcenter.z, 7, 1e-9);
    EXPECT_EQ(v.viewscale, scale);
    EXPECT_EQ(v.fitbox.x1, 10);
    EXPECT_EQ(v.surfacebox.xmin, surface.xmin);
}

TEST(PixelMapping, MiddleIsTheCentreAndStepsAreSquare) {
    ViewState v = sizedview(600, 400);
    v.viewscale = 20;
    double x = 1, y = 1;
    v.pixeltoview(300, 200, x, y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    v.pixeltoview(0, 0, x, y);
    EXPECT_DOUBLE_EQ(x, -30);
    EXPECT_DOUBLE_EQ(y, 20);
    double x1, y1;
    v.pixeltoview(301, 201, x1, y1);
    EXPECT_NEAR(x1, 0.1, 1e-12);  // 2 * 20 / 400 in both directions
    EXPECT_NEAR(y1, -0.1, 1e-12);
}

TEST(Navigation, RecenterBringsThePixelToTheMiddle) {
    ViewState v = sizedview(800, 600);
    v.setviewangles(-37, 5, 121);
    v.fitjob({-50, 50, -30, 30, -10, 0});
    const double scale = v.viewscale;
    const Point3 target = worldunder(v, {130, 470});
    v.boxatviewcenter(v.surfacebox);
    v.recenterat(130, 470);
    const Pixel now = pixelof(v, target);
    EXPECT_NEAR(now.x, 400, 1e-9);
    EXPECT_NEAR(now.y, 300, 1e-9);
    EXPECT_EQ(v.viewscale, scale);
}

TEST(Navigation, PanFollowsThePointerAndNeverDrifts) {
    for (const double gain : {1.0, 20.0}) {
        ViewState v = sizedview(900, 700);
        v.setviewangles(viewpreset(ViewPresetId::Iso2));
        v.fitjob({0, 300, 0, 200, -40, 0});
        BoxAccumulator& box = gain == 1.0 ? v.surfacebox : v.panelbox;
        v.boxatviewcenter(box);
        box.takedragstart();
        const Point3 start = v.viewcenter;
        const Point3 grabbed = worldunder(v, {450, 350});
        std::mt19937 rng(5);
        std::uniform_int_distribution<int> step(-300, 300);
        for (int i = 0; i < 500; ++i) v.panbypixels(step(rng), step(rng), gain, 700, box);
        v.panbypixels(13, -7, gain, 700, box);
        const Pixel moved = pixelof(v, grabbed);
        EXPECT_NEAR(moved.x, 450 + gain * 13, 1e-7);
        EXPECT_NEAR(moved.y, 350 - gain * 7, 1e-7);
        v.panbypixels(0, 0, gain, 700, box);
        EXPECT_LT(distance(v.viewcenter, start), 1e-12);
    }
}

TEST(Navigation, ZoomRoundTripsAreExact) {
    ViewState v = sizedview(640, 480);
    int renders = 0;
    v.renderhook = [&] { ++renders; };
    v.viewscale = 37.123456789;
    v.zoomby(0.5);
    v.zoomby(0.5);
    v.zoomby(2);
    v.zoomby(2);
    EXPECT_EQ(v.viewscale, 37.123456789);
    EXPECT_EQ(renders, 4);
}

TEST(Navigation, ZoomToRectangle) {
    ViewState v = sizedview(600, 400);
    v.viewscale = 50;
    v.boxatviewcenter(v.surfacebox);
    v.zoomtorect(303, 202, 297, 198);  // 6 x 4, corners in any order
    EXPECT_DOUBLE_EQ(v.viewscale, 0.5);
    EXPECT_DOUBLE_EQ(v.viewcenter.x, 0);  // centre pixel (300, 200)
    EXPECT_DOUBLE_EQ(v.viewcenter.y, 0);

    // Zero width: the height ratio alone decides; the centre is the pixel halfway down.
    v.viewscale = 50;
    v.viewcenter = {};
    v.boxatviewcenter(v.surfacebox);
    v.zoomtorect(100, 10, 100, 50);
    EXPECT_DOUBLE_EQ(v.viewscale, 5);
    EXPECT_DOUBLE_EQ(v.viewcenter.x, -50 * 1.5 + 2 * 75 * 100 / 600.0);
    EXPECT_DOUBLE_EQ(v.viewcenter.y, 50 - 2 * 50 * 30 / 400.0);
}

// Pressing and releasing on one pixel must not zoom to nothing.
TEST(Mends, EmptyZoomRectangleLeavesTheView) {
    ViewState v = sizedview(600, 400);
    v.setviewangles(viewpreset(ViewPresetId::Iso1));
    v.fitjob({0, 10, 0, 10, 0, 10});
    v.boxatviewcenter(v.surfacebox);
    const ViewState before = v;
    v.zoomtorect(120, 80, 120, 80);
    EXPECT_EQ(v.viewscale, before.viewscale);
    EXPECT_EQ(v.viewcenter.x, before.viewcenter.x);
    EXPECT_EQ(v.viewcenter.y, before.viewcenter.y);
    EXPECT_EQ(v.viewcenter.z, before.viewcenter.z);
    EXPECT_EQ(v.surfacebox.xmin, before.surfacebox.xmin);
}

TEST(Mends, FitWithoutOutlineKeepsAUsableScale) {
    ViewState v = sizedview(600, 400);
    v.fitview(5, 5, -3, -3, 2, 2);  // a single point
    EXPECT_GT(v.viewscale, 0);
    EXPECT_TRUE(std::isfinite(v.viewscale));
    EXPECT_NEAR(v.viewcenter.x, 5, 1e-12);
    EXPECT_NEAR(v.viewcenter.y, -3, 1e-12);
    const double pointscale = v.viewscale;

    v.fitview(5, 5, -3, -3, -50, 2);  // a vertical line seen from the top
    EXPECT_EQ(v.viewscale, pointscale);
    EXPECT_NEAR(v.viewcenter.z, -24, 1e-12);

    v.setviewangles(360, 0, 360);  // a full turn leaves rounding noise in the width
    v.fitview(5, 5, -3, -3, -50, 2);
    EXPECT_EQ(v.viewscale, pointscale);

    v.setviewangles(0, 0, 0);  // a thin part is still fitted tightly
    v.fitview(0, 0.002, 0, 0, 0, 0);
    EXPECT_DOUBLE_EQ(v.viewscale, 1.03 * 0.001 / 1.5);
}

TEST(Mends, FitBeforeTheFirstPaintTakesASquareArea) {
    ViewState unpainted;
    unpainted.setviewangles(viewpreset(ViewPresetId::Left));
    unpainted.fitjob({0, 80, 0, 30, 0, 10});
    ViewState square = sizedview(500, 500);
    square.setviewangles(viewpreset(ViewPresetId::Left));
    square.fitjob({0, 80, 0, 30, 0, 10});
    EXPECT_TRUE(std::isfinite(unpainted.viewscale));
    EXPECT_EQ(unpainted.viewscale, square.viewscale);

    // Pixel mapping and panning over an area without size change nothing.
    double x = 1, y = 1;
    unpainted.pixeltoview(10, 10, x, y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    const Point3 c = unpainted.viewcenter;
    unpainted.boxatviewcenter(unpainted.surfacebox);
    unpainted.surfacebox.takedragstart();
    unpainted.panbypixels(5, 5, 1, 0, unpainted.surfacebox);
    EXPECT_EQ(unpainted.viewcenter.x, c.x);
    EXPECT_EQ(unpainted.viewcenter.z, c.z);
}

}  // namespace
