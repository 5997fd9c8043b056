#include <gtest/gtest.h>

#include <cmath>

#include "view/navigationkeys.h"
#include "view/paneldrag.h"
#include "view/surfacedrag.h"
#include "view/viewstate.h"

namespace {

ViewState area600x400() {
    ViewState v;
    v.areawidth = 600;
    v.areaheight = 400;
    v.viewscale = 10;
    return v;
}

bool usable(double scale) {
    return std::isfinite(scale) && scale > 0;
}

}  // namespace

TEST(Gestures, NoZoomStepLosesTheScale) {
    ViewState v = area600x400();
    SurfaceDrag surface(v);
    surface.SurfaceMouseDown(MouseButton::Right, false, 0, 0, 1.0);
    surface.SurfaceMouseMove(-2000000000, 0);  // e^(0.0125 * 2e9): infinite
    EXPECT_EQ(v.viewscale, 10);
    for (int i = 0; i < 200; ++i) surface.SurfaceMouseMove(0, -500 * (i + 1));
    EXPECT_TRUE(usable(v.viewscale));
    surface.SurfaceMouseUp(9.0);

    PanelDrag panel(v);
    panel.SpeedButtonMouseDown("SpeedButton2", 0, 0, {});
    const double before = v.viewscale;
    panel.SpeedButtonMouseMove(0, 100000, 400);  // e^5000
    EXPECT_EQ(v.viewscale, before);
    panel.SpeedButtonMouseUp();

    for (int i = 0; i < 3000; ++i) FormKeyDown(v, NavigationKey::KeypadMinus, {});
    EXPECT_TRUE(usable(v.viewscale));
    for (int i = 0; i < 300; ++i) v.zoomtorect(0, 0, 1, 1);
    EXPECT_TRUE(usable(v.viewscale));
    for (int i = 0; i < 3000; ++i) FormKeyDown(v, NavigationKey::KeypadMultiply, {});
    EXPECT_TRUE(usable(v.viewscale));
}

TEST(Gestures, ClickLimitsAndASecondButton) {
    // Six pixels still make a click; the time limits are strict.
    ViewState v = area600x400();
    SurfaceDrag drag(v);
    drag.SurfaceMouseDown(MouseButton::Left, false, 100, 100, 5.0);
    drag.SurfaceMouseMove(106, 106);
    drag.SurfaceMouseUp(5.19);
    EXPECT_EQ(v.viewscale, 10);  // re-centred on (103, 103)
    EXPECT_NEAR(v.viewcenter.x, -(300 - 103) * 2 * 10.0 / 400, 1e-9);

    drag.SurfaceMouseDown(MouseButton::Left, false, 100, 100, 6.0);
    drag.SurfaceMouseMove(106, 106);
    drag.SurfaceMouseUp(6.2);
    EXPECT_DOUBLE_EQ(v.viewscale, 10.0 * 6 / 400);

    // A right press during a window zoom ends it at once and starts zooming.
    v.viewscale = 10;
    drag.SurfaceMouseDown(MouseButton::Left, false, 100, 100, 7.0);
    drag.SurfaceMouseMove(160, 140);
    drag.SurfaceMouseDown(MouseButton::Right, false, 160, 140, 7.5);
    EXPECT_DOUBLE_EQ(v.viewscale, 10.0 * 40 / 400);
    EXPECT_EQ(drag.dragmode, SurfaceDrag::Zoom);
    // Held still and let go within half a second: the quick right click refits.
    v.fitview(-1, 1, -1, 1, 0, 0);
    const double fitted = v.viewscale;
    v.viewscale = 3;
    drag.SurfaceMouseUp(7.9);
    EXPECT_EQ(v.viewscale, fitted);
    EXPECT_EQ(drag.dragmode, SurfaceDrag::None);
}
