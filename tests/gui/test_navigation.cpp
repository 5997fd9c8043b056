// Navigating the real window with real input: gestures on the drawing surface, the rubber
// band, the navigation keys, the panel drag buttons, drags cut short, and the step sliders.
#include <gtest/gtest.h>

#include <QCursor>
#include <QDialog>
#include <QGroupBox>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollBar>
#include <QSlider>
#include <QTest>
#include <QWindow>
#include <chrono>
#include <cmath>
#include <thread>

#include "app/panelbutton.h"
#include "app/vorlixmain.h"
#include "render/glimage.h"
#include "tests/gui/pixelcheck.h"
#include "tests/gui/support_viewer.h"

using namespace guitest;

namespace {

const QRgb kSlot0 = qRgb(36, 255, 255);
const QRgb kSlot1 = qRgb(36, 255, 36);

// The window on the two-tool program, sized so that the drawing area is 480 x 320 logical
// pixels (it fits the screen at a ratio of 2 too), fitted.
std::unique_ptr<Tvorlixform> openfitted(bool rambuffer = false) {
    const std::string program = writeprogram("twotools.nc", kTwoToolProgram);
    auto w = rambuffer ? openwindow({program, "/RAMBUFFER"}) : openwindow({program});
    w->showNormal();
    w->resize(480 + 144 + 2, 320 + 2);
    runloop(200);
    w->SpeedButton5Click();
    return w;
}

// Logical pixels of the surface to its device pixels, as the GL picture counts them.
int dev(const Tvorlixform& w, int logical) {
    return w.wrkscreen->devicepixel(QPointF(logical, 0)).x();
}
QPoint dev(const Tvorlixform& w, int x, int y) {
    return w.wrkscreen->devicepixel(QPointF(x, y));
}

// Where the world point under a device pixel of the surface appears now, worked out from the
// view alone: the GL picture is the orthographic view of viewscale * width / height by
// viewscale over the surface's own pixels.
struct Projection {
    const Tvorlixform& w;
    double sx() const {
        return w.view.viewscale * w.wrkscreen->pixelwidth() / w.wrkscreen->pixelheight();
    }
    Point3 world(QPointF px) const {
        double x = (2 * px.x() / w.wrkscreen->pixelwidth() - 1) * sx();
        double y = (1 - 2 * px.y() / w.wrkscreen->pixelheight()) * w.view.viewscale;
        double z = 0;
        w.view.viewunrotate(x, y, z);
        return {x + w.view.viewcenter.x, y + w.view.viewcenter.y, z + w.view.viewcenter.z};
    }
    QPointF pixel(const Point3& p) const {
        viewbox box;
        box.reset();
        w.view.viewrotate(p.x - w.view.viewcenter.x, p.y - w.view.viewcenter.y,
                          p.z - w.view.viewcenter.z, box);
        return {(box.centerx() / sx() + 1) * w.wrkscreen->pixelwidth() / 2,
                (1 - box.centery() / w.view.viewscale) * w.wrkscreen->pixelheight() / 2};
    }
};

// Input through the window system, at pixels of a control of the window.
struct Mouse {
    Tvorlixform& w;
    QWidget* target;
    QPoint at(int x, int y) const { return target->mapTo(&w, QPoint(x, y)); }
    void press(Qt::MouseButton b, int x, int y, Qt::KeyboardModifiers m = {}) const {
        QTest::mousePress(w.windowHandle(), b, m, at(x, y));
    }
    void move(int x, int y) const { QTest::mouseMove(w.windowHandle(), at(x, y)); }
    void release(Qt::MouseButton b, int x, int y) const {
        QTest::mouseRelease(w.windowHandle(), b, {}, at(x, y));
    }
};

void key(Tvorlixform& w, Qt::Key k, Qt::KeyboardModifiers m = {}) {
    QTest::keyClick(w.windowHandle(), k, m);
}

void hold(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace

TEST(Navigation, SurfaceGesturesFollowThePointer) {
    auto w = openfitted();
    // The area is the picture GL draws: the whole surface, in device pixels.
    EXPECT_EQ(w->view.areawidth, dev(*w, 480));
    EXPECT_EQ(w->view.areaheight, dev(*w, 320));
    EXPECT_EQ(w->view.areawidth, w->wrkscreen->currentPicture().width());
    const Mouse m{*w, w->wrkscreen};
    const double fitscale = w->view.viewscale;
    const Point3 fitcenter = w->view.viewcenter;

    // Middle: one degree per (device) pixel, horizontal travel spins about Z only.
    const double rotx = w->view.rotx, rotz = w->view.rotz;
    m.press(Qt::MiddleButton, 300, 200);
    m.move(345, 200);
    m.move(390, 200);
    m.release(Qt::MiddleButton, 390, 200);
    EXPECT_EQ(w->view.rotz, rotz + dev(*w, 390) - dev(*w, 300));
    EXPECT_EQ(w->view.rotx, rotx);
    EXPECT_TRUE(w->view.viewchosen);
    w->view.setviewangles(rotx, w->view.roty, rotz);
    w->SpeedButton5Click();

    // Ctrl+left pans and never drifts: back at the start pixel, back at the start centre.
    m.press(Qt::LeftButton, 100, 100, Qt::ControlModifier);
    m.move(180, 150);
    m.move(100, 100);
    EXPECT_NEAR(w->view.viewcenter.x, fitcenter.x, 1e-9);
    EXPECT_NEAR(w->view.viewcenter.y, fitcenter.y, 1e-9);
    EXPECT_NEAR(w->view.viewcenter.z, fitcenter.z, 1e-9);
    m.move(150, 60);
    m.release(Qt::LeftButton, 150, 60);

    // Right: 55 pixels to the right halve the magnification.
    const double before = w->view.viewscale;
    m.press(Qt::RightButton, 300, 200);
    m.move(330, 200);
    m.move(355, 200);
    m.release(Qt::RightButton, 355, 200);
    EXPECT_NEAR(w->view.viewscale / before, std::exp(-0.0125 * (dev(*w, 355) - dev(*w, 300))),
                1e-12);

    // A quick right click frames the last fit again, exactly.
    m.press(Qt::RightButton, 200, 200);
    m.release(Qt::RightButton, 202, 203);
    EXPECT_EQ(w->view.viewscale, fitscale);
    EXPECT_EQ(w->view.viewcenter.x, fitcenter.x);
    EXPECT_EQ(w->view.viewcenter.y, fitcenter.y);
    EXPECT_EQ(w->view.viewcenter.z, fitcenter.z);

    // A left drag held past a click zooms into its rectangle: 6 x 4 in 480 x 320 is 80 times,
    // and what lay in the middle of the rectangle lies in the middle of the picture.
    const Projection now{*w};
    const Point3 aimed = now.world(QPointF(dev(*w, 203), dev(*w, 152)));
    m.press(Qt::LeftButton, 200, 150);
    m.move(206, 154);
    hold(250);
    m.release(Qt::LeftButton, 206, 154);
    EXPECT_DOUBLE_EQ(w->view.viewscale, fitscale / 80);
    EXPECT_EQ(w->surfacedrag.dragmode, SurfaceDrag::None);
    const QPointF middle(w->wrkscreen->pixelwidth() / 2.0, w->wrkscreen->pixelheight() / 2.0);
    EXPECT_NEAR(now.pixel(aimed).x(), middle.x(), 1.0);
    EXPECT_NEAR(now.pixel(aimed).y(), middle.y(), 1.0);

    // A quick left click brings the point clicked to the middle, scale unchanged.
    w->SpeedButton5Click();
    const Point3 clicked = now.world(QPointF(dev(*w, 100), dev(*w, 250)));
    m.press(Qt::LeftButton, 100, 250);
    m.release(Qt::LeftButton, 100, 250);
    EXPECT_EQ(w->view.viewscale, fitscale);
    EXPECT_NEAR(now.pixel(clicked).x(), middle.x(), 1.0);
    EXPECT_NEAR(now.pixel(clicked).y(), middle.y(), 1.0);
}

class RubberBand : public ::testing::TestWithParam<int> {};

TEST_P(RubberBand, IsInvertedOverThePictureAndLeavesNoTrace) {
    const int mode = GetParam();  // 0 window, 1 front buffer, 2 RAM buffer
    auto w = openfitted(mode == 2);
    w->wrkscreen->setFrontbuffer(mode == 1);
    w->renderframe();
    const QImage still = w->wrkscreen->currentPicture();
    const Mouse m{*w, w->wrkscreen};
    m.press(Qt::LeftButton, 150, 100);
    m.move(300, 180);
    m.move(420, 260);
    const QImage banded = w->wrkscreen->currentPicture();
    const std::string saved = savepicture(banded, "rubberband_" + std::to_string(mode));
    // The outline alone, under the pointer, each pixel the inverse of what lay beneath.
    const auto changed = [&still](const QImage& now) {
        int n = 0;
        for (int y = 0; y < still.height(); ++y) {
            for (int x = 0; x < still.width(); ++x) n += still.pixel(x, y) != now.pixel(x, y);
        }
        return n;
    };
    const int wide = dev(*w, 420) - dev(*w, 150);
    const int high = dev(*w, 260) - dev(*w, 100);
    EXPECT_NEAR(changed(banded), 2 * wide + 2 * high, 4) << saved;
    const QPoint top = dev(*w, 300, 100);
    const QPoint left = dev(*w, 150, 200);
    EXPECT_EQ(banded.pixel(top) & 0xFFFFFFU, ~still.pixel(top) & 0xFFFFFFU) << saved;
    EXPECT_EQ(banded.pixel(left), ~still.pixel(left) | 0xFF000000U) << saved;
    // Dragged straight along one side, the band is a line, not nothing.
    m.move(420, 100);
    EXPECT_NEAR(changed(w->wrkscreen->currentPicture()), wide, 1);
    m.move(150, 260);
    EXPECT_NEAR(changed(w->wrkscreen->currentPicture()), high, 1);
    // Back on the press pixel the rectangle is empty and the picture is whole again.
    m.move(150, 100);
    EXPECT_EQ(w->wrkscreen->currentPicture(), still);
    // The release frame replaces the band.
    m.move(420, 260);
    hold(250);
    m.release(Qt::LeftButton, 420, 260);
    const QImage zoomed = w->wrkscreen->currentPicture();
    w->renderframe();
    EXPECT_EQ(zoomed, w->wrkscreen->currentPicture());
}

INSTANTIATE_TEST_SUITE_P(Modes, RubberBand, ::testing::Values(0, 1, 2));

TEST(Navigation, KeysStepTheViewAndLeaveTheFocusOnTheDummy) {
    auto w = openfitted();
    const QImage start = w->wrkscreen->currentPicture();
    const double rotz = w->view.rotz;
    for (int i = 0; i < 12; ++i) key(*w, Qt::Key_Right);
    EXPECT_EQ(w->view.rotz, rotz + 360);
    EXPECT_EQ(w->wrkscreen->currentPicture(), start);

    const double scale = w->view.viewscale;
    key(*w, Qt::Key_Minus, Qt::KeypadModifier);
    key(*w, Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_EQ(w->view.viewscale, scale / 4);
    key(*w, Qt::Key_Plus, Qt::KeypadModifier);  // no step of its own
    key(*w, Qt::Key_Minus);                     // the main keyboard's minus is no zoom key
    EXPECT_EQ(w->view.viewscale, scale / 4);
    key(*w, Qt::Key_Asterisk, Qt::KeypadModifier);
    key(*w, Qt::Key_Asterisk, Qt::KeypadModifier);
    EXPECT_EQ(w->view.viewscale, scale);

    w->shownumberscrollbar->setFocus();
    ASSERT_EQ(w->focusWidget(), w->shownumberscrollbar);
    key(*w, Qt::Key_F2);
    EXPECT_EQ(w->focusWidget(), w->dummyscrollbar);
    const ViewAngles front = viewpreset(ViewPresetId::Front).angles;
    EXPECT_EQ(w->view.rotx, front.rotx);
    EXPECT_EQ(w->view.rotz, front.rotz);
    EXPECT_FALSE(w->view.viewchosen);
    const double fitted = w->view.viewscale;
    w->view.viewscale *= 3;
    key(*w, Qt::Key_PageUp);
    EXPECT_EQ(w->view.viewscale, fitted);
}

TEST(Navigation, PanelDragsActFromThePressAndPutThePointerBack) {
    auto w = openfitted();
    // Somewhere off the window, so that the pointer's real position tells the story.
    const QRect screen = w->screen()->geometry();
    const QPoint away(screen.right() - 2, screen.bottom() - 2);
    ASSERT_FALSE(w->frameGeometry().contains(away));

    PanelButton* rotate = w->SpeedButton[9];
    const QPoint home = rotate->mapToGlobal(QPoint(18, 18));
    // The pointer has moved on by the time the press is handled: it goes back to where the
    // press happened all the same.
    QCursor::setPos(away);
    runloop(50);
    // The frame of the press goes over the picture there is: the marker on the old canvas.
    w->wrkscreen->fillCanvas(0x800000U);
    int frames = 0;
    const auto afterframe = w->frame()->afterframe;
    w->frame()->afterframe = [&frames, afterframe] {
        ++frames;
        afterframe();
    };
    const Mouse r{*w, rotate};
    const ViewAngles start = w->view.angles();
    r.press(Qt::LeftButton, 18, 18);
    EXPECT_EQ(frames, 1);  // one event, one frame
    const QImage pressframe = w->wrkscreen->currentPicture();
    EXPECT_GT(countcolor(pressframe, qRgb(0, 0, 128)),
              pressframe.width() * pressframe.height() / 2);
    EXPECT_GT(countcolor(pressframe, kGrey), 20);
    QCursor::setPos(away);
    r.move(33, 18);
    r.move(48, 18);
    EXPECT_EQ(frames, 3);
    EXPECT_EQ(w->view.rotz, start.rotz + 90);
    EXPECT_EQ(w->view.rotx, start.rotx);
    r.move(18, 18);
    EXPECT_EQ(w->view.rotz, start.rotz);
    r.move(18, 28);
    EXPECT_EQ(w->view.rotx, start.rotx + 30);
    r.release(Qt::LeftButton, 18, 28);
    EXPECT_EQ(QCursor::pos(), home);
    EXPECT_FALSE(w->paneldrag.dragging());
    EXPECT_FALSE(w->view.viewchosen);
    // The display server's own move to home (no button held) comes in its time; arriving
    // after the made-up press below, it would end that drag as a lost release.
    runloop(50);

    const Mouse zoom{*w, w->SpeedButton[2]};
    const double scale = w->view.viewscale;
    zoom.press(Qt::LeftButton, 18, 30);
    zoom.move(18, 16);
    EXPECT_NEAR(w->view.viewscale / scale, std::exp(-0.7), 1e-12);
    zoom.release(Qt::LeftButton, 18, 16);
}

TEST(Navigation, ASlowToolpathIsLeftOutOfDragFrames) {
    auto w = openfitted();
    const Mouse m{*w, w->wrkscreen};
    // Fast: a drag shows the toolpath and the marker, and no box.
    m.press(Qt::MiddleButton, 300, 200);
    m.move(301, 200);
    const QImage fast = w->wrkscreen->currentPicture();
    m.release(Qt::MiddleButton, 301, 200);
    EXPECT_GT(countcolor(fast, kSlot1), 100);
    EXPECT_GT(countcolor(fast, kGrey), 20);
    EXPECT_EQ(countcolor(fast, kWhite), 0);

    const auto draw = w->frame()->drawtoolpath;
    w->frame()->drawtoolpath = [draw] {
        draw();
        hold(210);
    };
    w->frame()->simplifieddrags = false;  // the speed menu's switch: no copy in its place
    w->renderframe();
    ASSERT_TRUE(w->frame()->slowframe);
    m.press(Qt::MiddleButton, 300, 200);
    m.move(310, 205);
    const QImage slow = w->wrkscreen->currentPicture();
    const std::string saved = savepicture(slow, "drag_slow_toolpath");
    EXPECT_EQ(countcolor(slow, kSlot0) + countcolor(slow, kSlot1), 0) << saved;
    EXPECT_GT(countcolor(slow, kWhite), 100) << saved;
    EXPECT_GT(countcolor(slow, kGrey), 20) << saved;
    m.release(Qt::MiddleButton, 310, 205);
    EXPECT_GT(countcolor(w->wrkscreen->currentPicture(), kSlot1), 100);
}

TEST(Navigation, ADragThatLosesTheMouseEndsAsAReleaseWould) {
    auto w = openfitted();
    const Mouse m{*w, w->wrkscreen};
    QDialog dialog(w.get());
    dialog.setWindowModality(Qt::ApplicationModal);

    m.press(Qt::MiddleButton, 300, 200);
    m.move(320, 200);
    dialog.show();
    runloop(50);
    EXPECT_EQ(w->surfacedrag.dragmode, SurfaceDrag::None);
    dialog.hide();
    runloop(50);
    m.release(Qt::MiddleButton, 320, 200);

    const QPoint home = w->SpeedButton[3]->mapToGlobal(QPoint(18, 18));
    QCursor::setPos(home);
    runloop(50);
    const Mouse pan{*w, w->SpeedButton[3]};
    pan.press(Qt::LeftButton, 18, 18);
    pan.move(20, 18);
    dialog.show();
    runloop(50);
    EXPECT_FALSE(w->paneldrag.dragging());
    EXPECT_EQ(QCursor::pos(), home);
    dialog.hide();
    runloop(50);
    pan.release(Qt::LeftButton, 20, 18);

    // The release went elsewhere: the next move arrives with no button held.
    m.press(Qt::RightButton, 300, 200);
    m.move(320, 200);
    QMouseEvent move(QEvent::MouseMove, QPointF(330, 200),
                     w->wrkscreen->mapToGlobal(QPointF(330, 200)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(w->wrkscreen, &move);
    EXPECT_EQ(w->surfacedrag.dragmode, SurfaceDrag::None);
    m.release(Qt::RightButton, 330, 200);
}

TEST(Navigation, StepSlidersBoundTheWindowStart) {
    std::string program = "G0 X0. Y0. Z0.\n";
    for (int i = 1; i <= 100; ++i) program += "G1 X" + std::to_string(i) + ". F100.\n";
    auto w = openwindow({writeprogram("hundred.nc", program)});
    ASSERT_EQ(w->job.nodes.lastnode(), 100);
    w->shownumberscrollbar->setValue(3);
    EXPECT_EQ(w->showstartscrollbar->minimum(), -7);
    EXPECT_EQ(w->showstartscrollbar->maximum(), 99);
    EXPECT_EQ(w->showpartgroupbox->title(), QStringLiteral("NC Steps : 8"));
}
