// The picture and the program pane side by side in the real window: who has the keys, what a
// Shift+left press means, where the pick readout shows, and the framing when the pane opens.
// Each holds at the window's own restored size too.
#include <gtest/gtest.h>

#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <chrono>
#include <thread>

#include "app/programpane.h"
#include "app/programlink.h"
#include "app/vorlixmain.h"
#include "render/glimage.h"
#include "tests/gui/support_viewer.h"

using namespace guitest;

namespace {

const std::string kBracket = KORVEN_SOURCE_DIR "/examples/bracket.nc";
const QRgb kFocusFrame = qRgb(80, 160, 255);

std::unique_ptr<Tvorlixform> openat(QSize client, const std::string& program = kBracket) {
    auto w = openwindow({program});
    w->showNormal();
    w->resize(client);
    waituntil([&] { return w->size() == client; }, 5000);
    w->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(w.get()));
    runloop(100);
    w->SpeedButton5Click();
    runloop(50);
    return w;
}

void key(Tvorlixform& w, Qt::Key k, Qt::KeyboardModifiers m = {}) {
    QTest::keyClick(w.windowHandle(), k, m);
}

// Window coordinates of a logical pixel of a control.
QPoint on(Tvorlixform& w, QWidget* control, QPoint at) {
    return control->mapTo(&w, at);
}

// A logical pixel of the surface where the picture shows the toolpath, the rightmost one.
QPoint rightmostdrawn(Tvorlixform& w) {
    const QImage picture = w.wrkscreen->currentPicture();
    const QRect box = drawnbox(picture);
    for (int y = box.top(); y <= box.bottom(); ++y) {
        if ((picture.pixel(box.right(), y) & 0xFFFFFFU) != 0) {
            const double r = w.wrkscreen->devicepixelratio();
            return {static_cast<int>(box.right() / r), static_cast<int>(y / r)};
        }
    }
    return {-1, -1};
}

bool focusframeshown(ProgramPane& pane) {
    const QImage shot = pane.viewport()->grab().toImage();
    return (shot.pixel(1, shot.height() / 2) & 0xFFFFFFU) == (kFocusFrame & 0xFFFFFFU);
}

class PictureAndPane : public ::testing::TestWithParam<QSize> {};

}  // namespace

TEST_P(PictureAndPane, KeysTurnTheViewUntilAClickGivesThePaneTheKeyboard) {
    auto w = openat(GetParam());
    ProgramPane& pane = *w->programpane;
    key(*w, Qt::Key_F6);
    ASSERT_TRUE(pane.isVisible());
    EXPECT_FALSE(pane.hasFocus());
    const double rotx = w->view.rotx;
    key(*w, Qt::Key_Up);
    EXPECT_EQ(w->view.rotx, rotx - 15);
    EXPECT_FALSE(pane.hasselection());

    // A click into the text: the pane has the keys and says so.
    const int line = pane.fontMetrics().height();
    QTest::mouseClick(w->windowHandle(), Qt::LeftButton, {},
                      on(*w, pane.viewport(), QPoint(60, 2 * line + line / 2)));
    EXPECT_TRUE(pane.hasFocus());
    EXPECT_EQ(pane.currentline(), 3);
    EXPECT_TRUE(focusframeshown(pane));
    savepicture(w->grab().toImage(), "pane_has_the_keys");
    key(*w, Qt::Key_Down);
    EXPECT_EQ(pane.currentline(), 4);
    EXPECT_EQ(w->view.rotx, rotx - 15);

    // Escape hands the keys back and keeps the selection.
    key(*w, Qt::Key_Escape);
    EXPECT_EQ(w->focusWidget(), w->dummyscrollbar);
    EXPECT_EQ(pane.currentline(), 4);
    EXPECT_FALSE(focusframeshown(pane));
    key(*w, Qt::Key_Up);
    EXPECT_EQ(w->view.rotx, rotx - 30);

    // So does any press on the picture (a middle click turns nothing).
    QTest::mouseClick(w->windowHandle(), Qt::LeftButton, {},
                      on(*w, pane.viewport(), QPoint(60, line / 2)));
    ASSERT_TRUE(pane.hasFocus());
    QTest::mouseClick(w->windowHandle(), Qt::MiddleButton, {},
                      on(*w, w->wrkscreen, QPoint(50, 50)));
    EXPECT_FALSE(pane.hasFocus());
    key(*w, Qt::Key_Down);
    EXPECT_EQ(w->view.rotx, rotx - 15);
    EXPECT_EQ(pane.currentline(), 1);
}

TEST_P(PictureAndPane, ShiftLeftDragZoomsAndAShiftClickPicks) {
    auto w = openat(GetParam());
    const double fitscale = w->view.viewscale;
    const QPoint from = on(*w, w->wrkscreen, QPoint(40, 40));
    QTest::mousePress(w->windowHandle(), Qt::LeftButton, Qt::ShiftModifier, from);
    QTest::mouseMove(w->windowHandle(), from + QPoint(60, 40));
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
    QTest::mouseRelease(w->windowHandle(), Qt::LeftButton, Qt::ShiftModifier,
                        from + QPoint(60, 40));
    EXPECT_LT(w->view.viewscale, fitscale / 3);
    EXPECT_FALSE(w->programpane->isVisible());

    w->SpeedButton5Click();
    const QPoint drawn = rightmostdrawn(*w);
    ASSERT_GE(drawn.x(), 0);
    QTest::mouseClick(w->windowHandle(), Qt::LeftButton, Qt::ShiftModifier,
                      on(*w, w->wrkscreen, drawn));
    EXPECT_TRUE(w->programpane->isVisible());
    EXPECT_TRUE(w->programpane->hasselection());
    EXPECT_EQ(w->surfacedrag.dragmode, SurfaceDrag::None);
    runloop(50);
    EXPECT_TRUE(w->programlink().viewisfitted());  // not re-centred on the click
}

TEST_P(PictureAndPane, PickReadoutShowsBesideThePointerInsideThePicture) {
    auto w = openat(GetParam());
    const QPoint drawn = rightmostdrawn(*w);
    ASSERT_GE(drawn.x(), 0);
    const QPoint pointer = on(*w, w->wrkscreen, drawn);
    QTest::mouseMove(w->windowHandle(), pointer);
    ASSERT_TRUE(w->pickreadout->isVisible());
    EXPECT_TRUE(w->pickreadout->text().startsWith(QStringLiteral("line ")))
        << w->pickreadout->text().toStdString();
    const QRect readout(w->pickreadout->mapTo(w.get(), QPoint(0, 0)), w->pickreadout->size());
    EXPECT_TRUE(w->wrkscreen->geometry().contains(readout));
    EXPECT_FALSE(readout.intersects(w->panel->geometry()));
    EXPECT_FALSE(readout.adjusted(-8, -8, 8, 8).contains(pointer));
    savepicture(w->grab().toImage(), "pickreadout_beside_pointer");

    QTest::mouseMove(w->windowHandle(), on(*w, w->panel, QPoint(70, 10)));
    EXPECT_FALSE(w->pickreadout->isVisible());
}

TEST_P(PictureAndPane, TheFittedViewStaysFittedWhenThePaneOpensAndCloses) {
    auto w = openat(GetParam());
    for (int round = 0; round < 2; ++round) {
        key(*w, Qt::Key_F6);
        runloop(50);
        EXPECT_EQ(w->programpane->isVisible(), round == 0);
        EXPECT_TRUE(w->programlink().viewisfitted());
        // The picture shown is the one the fit button draws at this width.
        const QImage shown = w->wrkscreen->currentPicture();
        const std::string saved = savepicture(shown, "pane_refit_" + std::to_string(round));
        w->SpeedButton5Click();
        EXPECT_EQ(differingpixels(shown, w->wrkscreen->currentPicture()), 0) << saved;
    }
    // Any other view keeps its centre and scale.
    key(*w, Qt::Key_Minus, Qt::KeypadModifier);
    const double scale = w->view.viewscale;
    const Point3 centre = w->view.viewcenter;
    key(*w, Qt::Key_F6);
    EXPECT_EQ(w->view.viewscale, scale);
    EXPECT_EQ(w->view.viewcenter.x, centre.x);
    EXPECT_EQ(w->view.viewcenter.y, centre.y);
}

// The window's restored size, and a small laptop screen.
INSTANTIATE_TEST_SUITE_P(Sizes, PictureAndPane,
                         ::testing::Values(QSize(700, 453), QSize(1024, 600)));

TEST(PictureAndPane, BlocksAreNamedByTheirNumberAndOnlyMotionCountsAsAMove) {
    const std::string program = writeprogram(
        "numbered.nc",
        "N10 T1 G0 X0 Y0 Z1\nN20 G1 Z0 F101\nN30 X10\nT2 M6\n N0120 G1 Y10 F100\nM30\n");
    auto w = openat(QSize(700, 453), program);

    // A tool change stores a point but moves nothing.
    w->programlink().gotoprogramline(4);
    EXPECT_EQ(w->programpane->status(), QStringLiteral("Line 4 made no move."));
    w->programlink().gotoprogramline(3);
    EXPECT_EQ(w->programpane->status(), QStringLiteral("Line 3 made one move."));

    // The readout names the file's line, the block's own number as written, and the move's
    // own tool and feed (T1 F101 and T2 F100 share a colour).
    const QImage picture = w->wrkscreen->currentPicture();
    const QRect box = drawnbox(picture);
    const double r = w->wrkscreen->devicepixelratio();
    const QPoint middle(static_cast<int>(box.right() / r),
                        static_cast<int>((box.top() + box.bottom()) / 2 / r));
    QTest::mouseMove(w->windowHandle(), on(*w, w->wrkscreen, middle));
    ASSERT_TRUE(w->pickreadout->isVisible());
    const QString readout = w->pickreadout->text();
    EXPECT_TRUE(readout.startsWith(QStringLiteral("line 5 \u00b7 N0120\nfeed T2 F100\n")))
        << readout.toStdString();

    // The go-to box takes a block number as well as a line.
    const auto answer = [&](const QString& text) {
        QTimer::singleShot(50, [text] {
            auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr) return;
            dialog->setTextValue(text);
            dialog->accept();
        });
        key(*w, Qt::Key_G, Qt::ControlModifier);
    };
    answer(QStringLiteral("N120"));
    EXPECT_EQ(w->programpane->currentline(), 5);
    answer(QStringLiteral("2"));
    EXPECT_EQ(w->programpane->currentline(), 2);
    answer(QStringLiteral("n30"));
    EXPECT_EQ(w->programpane->currentline(), 3);
    answer(QStringLiteral("N999"));
    EXPECT_EQ(w->programpane->currentline(), 3);
    EXPECT_EQ(w->programpane->status(), QStringLiteral("No block N999 in the program."));
}
