// A job holds the thread, so the window's way out and the user's input during it: Escape and
// close end slowed drawings and loads, everything else given meanwhile is dropped, queued
// navigation is drawn once, and nothing ends the job's state before the job ends.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <chrono>
#include <string>
#include <thread>

#include "app/panelbutton.h"
#include "app/vorlixmain.h"
#include "app/workingbar.h"
#include "render/glimage.h"
#include "tests/gui/support_viewer.h"

using namespace guitest;

namespace {

using Clock = std::chrono::steady_clock;

double secondssince(Clock::time_point t) {
    return std::chrono::duration<double>(Clock::now() - t).count();
}

const QRgb kSlot0 = qRgb(36, 255, 255);

// A press and release on a control, queued as the display server queues them while the
// thread is busy: they reach the window only when events are next taken.
void queueclick(Tvorlixform& w, QWidget* control) {
    const QPointF at = control->mapTo(&w, control->rect().center());
    const QPointF global = w.mapToGlobal(at);
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QCoreApplication::postEvent(
            w.windowHandle(),
            new QMouseEvent(type, at, global, Qt::LeftButton,
                            type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                            Qt::NoModifier));
    }
}

}  // namespace

TEST(JobInput, EscapeHurriesASlowedDrawingAndOtherKeysAreDropped) {
    auto w = openwindow({writeprogram("twotools.nc", kTwoToolProgram)});
    ASSERT_GT(w->job.nodes.nodecount(), 20);
    w->setspeed(true, 100000);  // one second per node
    const double rotz = w->view.rotz;
    QTimer::singleShot(300, [&] { QTest::keyClick(w->windowHandle(), Qt::Key_Right); });
    QTimer::singleShot(400, [&] { QTest::keyClick(w->windowHandle(), Qt::Key_Escape); });
    const auto start = Clock::now();
    w->renderframe();
    const double took = secondssince(start);
    // About 0.4 s and the rest at full speed, where the nodes would have taken over 20 s.
    EXPECT_LT(took, 3.0);
    EXPECT_GT(took, 0.3);
    EXPECT_TRUE(w->windowTitle().startsWith(QStringLiteral("Time Used : ")));
    runloop(100);
    EXPECT_EQ(w->view.rotz, rotz);
    EXPECT_TRUE(w->isVisible());
}

TEST(JobInput, ACloseRequestEndsASlowedDrawingAndTheWindow) {
    auto w = openwindow({writeprogram("twotools.nc", kTwoToolProgram)});
    w->setspeed(true, 100000);
    Clock::time_point asked{};
    QTimer::singleShot(300, [&] {
        asked = Clock::now();
        QCloseEvent request;
        QCoreApplication::sendEvent(w->windowHandle(), &request);
    });
    w->renderframe();
    EXPECT_LT(secondssince(asked), 0.2);
    EXPECT_FALSE(w->isVisible());
}

TEST(JobInput, TheSlowedWaitIsTheDelayPerNodeByTheClock) {
    auto w = openwindow({writeprogram("twotools.nc", kTwoToolProgram)});
    w->shownumberscrollbar->setValue(3);  // nodes 0..8
    w->setspeed(true, 10000);             // 0.1 s per node
    const auto start = Clock::now();
    w->renderframe();
    const double took = secondssince(start);
    // The calibration pause and nine waits; drawing and presenting count toward the waits.
    EXPECT_GE(took, 0.9 + 0.1);
    EXPECT_LT(took, 2.0);
    EXPECT_GT(w->drawer()->waitcalib, 0);
}

TEST(JobInput, ClicksAndKeysDuringALoadDoNotActAfterIt) {
    auto w = std::make_unique<Tvorlixform>(commandline({}));
    w->show();
    waituntil([&] { return !w->firstidle; });
    w->ncfilename = w->ncpath = writeprogram("twotools.nc", kTwoToolProgram);
    const auto load = w->job.working;
    bool queued = false;
    w->job.working = [&](const std::string& text, double fraction) {
        if (!queued) {
            queued = true;
            queueclick(*w, w->SpeedButton[4]);  // exit
            queueclick(*w, w->SpeedButton[7]);  // enlarge
        }
        load(text, fraction);
    };
    w->opensequence();
    EXPECT_TRUE(queued);
    const double scale = w->view.viewscale;
    runloop(300);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->view.viewscale, scale);
    // The buttons act again once the job is over.
    QTest::mouseClick(w->SpeedButton[7], Qt::LeftButton);
    EXPECT_EQ(w->view.viewscale, scale * 0.5);
}

TEST(JobInput, QueuedNavigationStepsAreDrawnOnce) {
    auto w = openwindow({writeprogram("twotools.nc", kTwoToolProgram)});
    int frames = 0;
    const auto after = w->frame()->afterframe;
    w->frame()->afterframe = [&] {
        ++frames;
        after();
    };
    const double rotz = w->view.rotz;
    for (int i = 0; i < 5; ++i) QTest::keyClick(w->windowHandle(), Qt::Key_Left);
    runloop(200);
    EXPECT_EQ(frames, 1);
    EXPECT_NE(w->view.rotz, rotz);
    w->frame()->afterframe = after;
}

TEST(JobInput, EscapeStopsALoadAndKeepsWhatWasRead) {
    // Every block has a radius too short for its chord; the message stands in for the time a
    // large program takes, so that the load reports progress before it ends.
    std::string program = "G0 X0 Y0 Z0\n";
    for (int i = 0; i < 3000; ++i) program += i % 2 ? "G1 X0 Y0 R0.001\n" : "G1 X10. Y5. R0.001\n";
    auto w = std::make_unique<Tvorlixform>(commandline({}));
    w->show();
    waituntil([&] { return !w->firstidle; });
    w->ncfilename = w->ncpath = writeprogram("long.nc", program);
    w->job.arcDataError = [] { std::this_thread::sleep_for(std::chrono::microseconds(400)); };
    const auto load = w->job.working;
    w->job.working = [&](const std::string& text, double fraction) {
        if (fraction < 1.0) QTest::keyClick(w->windowHandle(), Qt::Key_Escape);
        load(text, fraction);
    };
    w->opensequence();
    const int32_t line = w->job.stoppedline;
    ASSERT_GT(line, 1);
    ASSERT_LT(line, 3001);
    // The nodes of every block read stay and are drawn; the caption tells where it stopped.
    EXPECT_EQ(w->job.nodes.nodecount(), line);
    EXPECT_EQ(w->job.nodes.node(w->job.nodes.lastnode()).line, line);
    EXPECT_TRUE(w->windowTitle().endsWith(QStringLiteral(" : stopped at line %1").arg(line)))
        << w->windowTitle().toStdString();
    EXPECT_TRUE(jobdone(*w));
    const QImage picture = w->wrkscreen->currentPicture();
    const std::string saved = savepicture(picture, "stopped_load");
    EXPECT_GT(countothers(picture, {qRgb(0, 0, 0)}), 50) << saved;
}

TEST(JobInput, AResizeDuringTheArcDataBoxLeavesTheJobRunning) {
    auto w = std::make_unique<Tvorlixform>(commandline({}));
    w->show();
    waituntil([&] { return !w->firstidle; });
    w->showNormal();
    runloop(100);
    w->ncfilename = w->ncpath =
        writeprogram("badradius.nc", "G0 X0 Y0 Z0\nG2 X10. Y0 R1.\nG1 X20. F100.\n");
    bool enabledinbox = true;
    bool barinbox = false;
    MessageAnswerer answerer([&](QMessageBox& box, int) {
        w->resize(w->width() - 40, w->height() - 30);
        QApplication::processEvents();
        enabledinbox = w->SpeedButton[1]->isEnabled();
        barinbox = w->WorkingBar->isVisible();
        box.accept();
    });
    w->opensequence();
    ASSERT_EQ(answerer.texts.size(), 1u);
    EXPECT_FALSE(enabledinbox);
    EXPECT_TRUE(barinbox);
    EXPECT_TRUE(jobdone(*w));
    EXPECT_TRUE(w->SpeedButton[1]->isEnabled());
}

TEST(JobInput, NothingOfTheFileBeforeOutlivesAFailedOpenOrAnEmptyProgram) {
    auto w = openwindow({writeprogram("twotools.nc", kTwoToolProgram)});
    w->shownumberscrollbar->setValue(2);
    runloop(50);
    ASSERT_EQ(w->showpartgroupbox->title(), QStringLiteral("NC Steps : 4"));
    ASSERT_GT(countcolor(w->optimage->pixmap().toImage(), kSlot0), 0);
    {
        MessageAnswerer answerer;
        w->ncfilename = w->ncpath = QDir::tempPath().toStdString() + "/korven-no-such-file.nc";
        w->opensequence();
        ASSERT_EQ(answerer.texts.size(), 1u);
    }
    EXPECT_EQ(w->showpartgroupbox->title(), QStringLiteral("NC Steps : ALL"));
    EXPECT_EQ(countcolor(w->optimage->pixmap().toImage(), kSlot0), 0);
    for (int i = 1; i <= 16; ++i) EXPECT_TRUE(w->SpeedButton[static_cast<size_t>(i)]->isEnabled());

    w->ncfilename = w->ncpath = writeprogram("twotools.nc", kTwoToolProgram);
    w->opensequence();
    w->shownumberscrollbar->setValue(2);
    ASSERT_FALSE(w->drawer()->rangetexts[0].empty());
    w->ncfilename = w->ncpath = writeprogram("empty.nc", "%\n%\n");
    w->opensequence();
    w->shownumberscrollbar->setValue(2);
    runloop(50);
    for (const std::string& text : w->drawer()->rangetexts) EXPECT_EQ(text, "");
}
