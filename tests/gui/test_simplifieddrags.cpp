// Drags over a toolpath too slow to draw whole: frames show a simplified copy instead of
// leaving it out, while still pictures, and every picture with the speed menu's switch off,
// stay what they were.
#include <gtest/gtest.h>

#include <QTest>
#include <chrono>
#include <cmath>
#include <thread>

#include "app/dragsimplification.h"
#include "app/vorlixmain.h"
#include "render/glimage.h"
#include "tests/gui/pixelcheck.h"
#include "tests/gui/support_viewer.h"

using namespace guitest;

namespace {

constexpr int kPasses = 4;

QRgb passcolor(int pass) {
    const uint32_t c = kPalette[kSlotColorIndex[static_cast<size_t>(pass % kPasses)]];
    return qRgb(static_cast<int>(c & 255U), static_cast<int>((c >> 8) & 255U),
                static_cast<int>((c >> 16) & 255U));
}

int pathpixels(const QImage& image) {
    int n = 0;
    for (int pass = 0; pass < kPasses; ++pass) n += countcolor(image, passcolor(pass));
    return n;
}

// A roughing pattern of two million nodes: zig-zag passes descending in Z, one colour per
// pass, a rapid between passes; then the window fits it as after a job.
void fillpocket(Tvorlixform& w) {
    NcJob& job = w.job;
    w.simplification()->jobstarting();
    job.nodes.resetnodedata();
    job.xmin = 0, job.xmax = 200, job.ymin = 0, job.ymax = 120, job.zmin = -20, job.zmax = 0;
    constexpr int32_t kPerPass = 500000;
    for (int32_t i = 0; i < kPasses * kPerPass; ++i) {
        const int32_t pass = i / kPerPass;
        const double t = static_cast<double>(i % kPerPass) / kPerPass;
        const double x = 200.0 * std::fabs(std::fmod(t * 60.0, 2.0) - 1.0);
        const double z = -20.0 * pass / kPasses;
        const bool rapid = i % kPerPass < 2;
        const auto color = static_cast<uint8_t>(rapid ? 4 : kSlotColorIndex[pass % kPasses]);
        job.nodes.pushnodedata(i, color, x, 120.0 * t, z);
    }
    w.logoshown = false;
    w.SpeedButton5Click();
}

struct Drag {
    Tvorlixform& w;
    QPoint at(int x, int y) const { return w.wrkscreen->mapTo(&w, QPoint(x, y)); }
    // Presses the middle button, turns the view by moving 12 pixels, and returns the frame
    // drawn during the drag; the release draws the still frame.
    QImage turn() const {
        QTest::mousePress(w.windowHandle(), Qt::MiddleButton, {}, at(400, 300));
        QTest::mouseMove(w.windowHandle(), at(412, 300));
        const QImage frame = w.wrkscreen->currentPicture();
        QTest::mouseRelease(w.windowHandle(), Qt::MiddleButton, {}, at(412, 300));
        return frame;
    }
};

}  // namespace

TEST(SimplifiedDrags, SlowToolpathDragsShowTheCopyAndStillPicturesStayExact) {
    auto w = openwindow({});
    w->showNormal();
    w->resize(1024, 768);
    runloop(200);
    fillpocket(*w);
    // Whatever this machine's speed, the full toolpath takes a slow still frame.
    const auto draw = w->frame()->drawtoolpath;
    w->frame()->drawtoolpath = [draw] {
        draw();
        std::this_thread::sleep_for(std::chrono::milliseconds(210));
    };
    const Drag drag{*w};
    const ViewAngles angles = w->view.angles();
    const double scale = w->view.viewscale;
    const Point3 center = w->view.viewcenter;
    auto restart = [&] {
        w->view.setviewangles(angles.rotx, angles.roty, angles.rotz);
        w->view.viewscale = scale;
        w->view.viewcenter = center;
        w->renderframe();
        ASSERT_TRUE(w->frame()->slowframe);
    };

    // Before the copy is ready the drag is as it always was: box and marker only.
    restart();
    const QImage early = drag.turn();
    EXPECT_EQ(pathpixels(early), 0) << savepicture(early, "simplified_early");
    EXPECT_GT(countcolor(early, kWhite), 100);

    w->simplification()->jobfinished(w->view.viewscale, w->wrkscreen->pixelheight());
    w->simplification()->path().wait();
    const auto levels = w->simplification()->path().levels();
    ASSERT_TRUE(levels);
    // The level within a pixel of the fitted view follows the grid copies.
    size_t faithful = 0;
    while (faithful < levels->levels.size() && !levels->levels[faithful]->segments.empty()) {
        ++faithful;
    }
    // Finer levels are made only when a closer view asks: the faithful one is the last.
    ASSERT_EQ(faithful + 1, levels->levels.size());
    ASSERT_GT(faithful, 0U);
    EXPECT_LT(levels->levels[faithful]->kept.size(), 100000U);

    restart();
    const QImage dragged = drag.turn();
    const QImage released = w->wrkscreen->currentPicture();
    const std::string saved = savepicture(dragged, "simplified_drag");
    EXPECT_GT(pathpixels(dragged), 20000) << saved;
    EXPECT_GT(countcolor(dragged, kWhite), 100) << saved;  // the box, as before
    EXPECT_GT(countcolor(dragged, kGrey), 20) << saved;    // the marker
    EXPECT_EQ(w->simplification()->lastlevel(), static_cast<int>(faithful));

    // Closer in, a finer level is made when first asked for; it serves from then on (where
    // the budget allows: not a question here).
    w->simplification()->budgetseconds = 10.0;
    w->view.zoomby(0.5);
    drag.turn();
    w->simplification()->path().wait();
    drag.turn();
    EXPECT_EQ(w->simplification()->lastlevel(), static_cast<int>(faithful) + 1);
    w->view.zoomby(2.0);
    w->simplification()->budgetseconds = DragSimplification::kBudgetSeconds;

    // Drag frames far over their budget: the next drag draws a rougher copy on a grid, which
    // still shows the toolpath.
    const auto drawsimplified = w->frame()->drawsimplified;
    w->frame()->drawsimplified = [drawsimplified](double viewscale, int pixelheight) {
        const bool drawn = drawsimplified(viewscale, pixelheight);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        return drawn;
    };
    restart();
    drag.turn();
    restart();
    const QImage rough = drag.turn();
    w->frame()->drawsimplified = drawsimplified;
    EXPECT_LT(w->simplification()->lastlevel(), static_cast<int>(faithful));
    EXPECT_GT(pathpixels(rough), 5000) << savepicture(rough, "simplified_rough");

    // The switch off: the same drag leaves the toolpath out, and the still frames after both
    // releases are the same picture.
    w->frame()->simplifieddrags = false;
    restart();
    const QImage off = drag.turn();
    EXPECT_EQ(pathpixels(off), 0) << savepicture(off, "simplified_off");
    EXPECT_GT(countcolor(off, kWhite), 100);
    EXPECT_EQ(w->wrkscreen->currentPicture(), released);
    EXPECT_GT(pathpixels(released), 20000);
    w->frame()->simplifieddrags = true;

    // A still frame under 0.2 s but over a drag frame's budget: drags keep the toolpath (no
    // box) and draw it from the copy within a pixel, not whole at every pointer move.
    // (The still frame only waits, so that it stays under 0.2 s on a loaded machine.)
    w->frame()->drawtoolpath = [] { std::this_thread::sleep_for(std::chrono::milliseconds(60)); };
    w->renderframe();
    ASSERT_FALSE(w->frame()->slowframe);
    const QImage heavy = drag.turn();
    EXPECT_GE(w->simplification()->lastlevel(), 0);
    EXPECT_GT(pathpixels(heavy), 5000) << savepicture(heavy, "simplified_heavy");
    EXPECT_EQ(countcolor(heavy, kWhite), 0);
}

// A program of the size of the largest CAM output: eleven million nodes of pockets repeated at
// many places and depths. Drags on software drawing show its toolpath, whatever the copy it
// takes to keep turning, and the copy drawn then is a light one.
TEST(SimplifiedDrags, ElevenMillionNodesStillTurnWithTheirToolpathShown) {
    auto w = openwindow({});
    w->showNormal();
    w->resize(1024, 768);
    runloop(200);
    NcJob& job = w->job;
    w->simplification()->jobstarting();
    job.nodes.resetnodedata();
    job.xmin = 0, job.xmax = 250, job.ymin = 0, job.ymax = 200, job.zmin = -20, job.zmax = 15;
    constexpr int32_t kNodes = 11000000;
    constexpr int32_t kPerPocket = 20000;
    for (int32_t i = 0; i < kNodes; ++i) {
        const int32_t pocket = i / kPerPocket;
        const double t = static_cast<double>(i % kPerPocket) / kPerPocket;
        // Pockets 50 by 40 at 100 places on a grid over the part, five depths each.
        const double x0 = 20.0 * (pocket % 10), y0 = 16.0 * ((pocket / 10) % 10);
        const double x = x0 + 50.0 * std::fabs(std::fmod(t * 40.0, 2.0) - 1.0);
        const double z = i % kPerPocket < 2 ? 15.0 : -4.0 * ((pocket / 100) % 5);
        const bool rapid = i % kPerPocket < 2;
        const auto color = static_cast<uint8_t>(rapid ? 4 : kSlotColorIndex[pocket % kPasses]);
        job.nodes.pushnodedata(i, color, x, y0 + 40.0 * t, z);
    }
    w->logoshown = false;
    w->SpeedButton5Click();
    w->simplification()->jobfinished(w->view.viewscale, w->wrkscreen->pixelheight());
    w->simplification()->path().wait();
    const auto levels = w->simplification()->path().levels();
    ASSERT_TRUE(levels);

    const Drag drag{*w};
    w->renderframe();
    for (int turn = 0; turn < 3; ++turn) {
        const QImage dragged = drag.turn();
        EXPECT_GT(pathpixels(dragged), 20000) << savepicture(dragged, "simplified_eleven");
    }
    // Where the whole toolpath was too slow, what the drag drew was a light copy.
    const int k = w->simplification()->lastlevel();
    if (w->frame()->slowframe) {
        ASSERT_GE(k, 0);
        EXPECT_LE(levels->levels[static_cast<size_t>(k)]->lines(), 300000);
    }
}
