// The window on a scaled desktop (run at device-pixel ratios 1, 1.25, 1.5 and 2): the picture
// fills the whole surface in device pixels and the rubber band lies under the pointer.
#include <gtest/gtest.h>

#include <QTest>
#include <QWindow>
#include <chrono>
#include <cmath>
#include <thread>

#include "app/vorlixmain.h"
#include "render/glimage.h"
#include "tests/gui/support_viewer.h"

using namespace guitest;

namespace {

// A 100 x 50 rectangle in the top view, on a 480 x 320 (logical) surface.
std::unique_ptr<Tvorlixform> openrectangle(bool rambuffer) {
    const std::string program =
        writeprogram("rectangle.nc", "G0 X0. Y0. Z0.\nG1 X100. F100.\nY50.\nX0.\nY0.\n");
    auto w = rambuffer ? openwindow({program, "/RAMBUFFER"}) : openwindow({program});
    w->showNormal();
    w->resize(480 + 144 + 2, 320 + 2);
    runloop(200);
    w->view.setviewangles(viewpreset(ViewPresetId::Top));
    w->SpeedButton5Click();
    return w;
}

// The device pixel under a logical one, worked out from the ratio.
int device(double ratio, int logical) {
    return static_cast<int>(std::floor(logical * ratio + 1e-6));
}

}  // namespace

class ScaledDesktop : public ::testing::TestWithParam<bool> {};

TEST_P(ScaledDesktop, TheFittedToolpathFillsTheSurfaceAsAtRatioOne) {
    auto w = openrectangle(GetParam());
    const double ratio = w->wrkscreen->devicepixelratio();
    const QImage picture = w->wrkscreen->currentPicture();
    const std::string saved =
        savepicture(picture, "scaled_fit_" + std::to_string(ratio) + (GetParam() ? "_ram" : ""));
    ASSERT_EQ(picture.width(), device(ratio, 480)) << saved;
    ASSERT_EQ(picture.height(), device(ratio, 320)) << saved;
    // Aspect 1.5: the width decides. Half-width 50 with 3 % room shows 51.5 each side, so the
    // sides lie at (1 -+ 50 / 51.5) / 2 of the width; the view's half-height is 51.5 / 1.5, so
    // the long edges at (1 -+ 25 / 34.333) / 2 of the height.
    const QRect box = drawnbox(picture);
    const double wide = picture.width(), high = picture.height();
    EXPECT_NEAR(box.left() / wide, 0.01456, 0.01) << saved;
    EXPECT_NEAR((box.right() + 1) / wide, 0.98544, 0.01) << saved;
    EXPECT_NEAR(box.top() / high, 0.13592, 0.01) << saved;
    EXPECT_NEAR((box.bottom() + 1) / high, 0.86408, 0.01) << saved;
    // Drawn at the display's own resolution: the outline is one device pixel wide, not a
    // smaller picture blown up.
    EXPECT_NEAR(countothers(picture, {qRgb(0, 0, 0)}), 2 * (box.width() + box.height()), 8)
        << saved;
}

TEST_P(ScaledDesktop, TheRubberBandLiesUnderThePointer) {
    auto w = openrectangle(GetParam());
    const double ratio = w->wrkscreen->devicepixelratio();
    const QImage still = w->wrkscreen->currentPicture();
    const auto at = [&w](int x, int y) { return w->wrkscreen->mapTo(w.get(), QPoint(x, y)); };
    QTest::mousePress(w->windowHandle(), Qt::LeftButton, {}, at(150, 100));
    QTest::mouseMove(w->windowHandle(), at(300, 180));
    QTest::mouseMove(w->windowHandle(), at(420, 260));
    const QImage banded = w->wrkscreen->currentPicture();
    const std::string saved =
        savepicture(banded, "scaled_band_" + std::to_string(ratio) + (GetParam() ? "_ram" : ""));
    QRect changed;
    for (int y = 0; y < still.height(); ++y) {
        for (int x = 0; x < still.width(); ++x) {
            if (still.pixel(x, y) != banded.pixel(x, y)) changed |= QRect(x, y, 1, 1);
        }
    }
    EXPECT_NEAR(changed.left(), device(ratio, 150), 1) << saved;
    EXPECT_NEAR(changed.top(), device(ratio, 100), 1) << saved;
    EXPECT_NEAR(changed.right(), device(ratio, 420), 1) << saved;
    EXPECT_NEAR(changed.bottom(), device(ratio, 260), 1) << saved;
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
    QTest::mouseRelease(w->windowHandle(), Qt::LeftButton, {}, at(420, 260));
}

INSTANTIATE_TEST_SUITE_P(WindowAndRamBuffer, ScaledDesktop, ::testing::Values(false, true));
