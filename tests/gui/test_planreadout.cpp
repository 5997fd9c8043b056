// The machine readout and measuring in the real window: a profile chosen after the job plans
// it on a worker, the readout shows the planned time, the time per tool and of the selected
// lines and the extents of every move; a broken limit joins the notice list; M measures
// between two picked nodes and Escape gives the left button back to turning.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QTest>
#include <cmath>
#include <fstream>

#include "app/measuremode.h"
#include "app/planreadout.h"
#include "app/readingnoticerow.h"
#include "app/programlink.h"
#include "app/vorlixmain.h"
#include "render/glimage.h"
#include "tests/gui/support_viewer.h"

using namespace guitest;

namespace {

// 100 mm at 100 mm/s and 500 mm/s2: 1.2 s; a reversal, then 130 mm of rapid, 1.5 s; the tool
// change 4 s. X-30 lies 10 mm short of the travel's -20.
const char* const kProgram = "G1 X0 Y0 Z0 F6000 T3\nX100.\nG0 X-30.\n";

std::string profilefile(const std::string& name = "machine.ini", int xmax = 1000, int side = 1000) {
    const std::string yz = "min=-" + std::to_string(side) + "\nmax=" + std::to_string(side);
    std::string text = "[machine]\nunits=mm\njunction_deviation=0.01\ntool_change_seconds=4\n";
    text += "[x]\nmin=-20\nmax=" + std::to_string(xmax) + "\nrapid=6000\naccel=500\n";
    text += "[y]\n" + yz + "\nrapid=6000\naccel=500\n";
    text += "[z]\n" + yz + "\nrapid=6000\naccel=500\n[origin]\nx=0\ny=0\nz=0\n";
    return writeprogram(name, text);
}

}  // namespace

TEST(PlanReadout, PlannedTimesExtentsAndLimits) {
    auto w = openwindow({writeprogram("plan.nc", kProgram)});
    PlanReadout* readout = w->planreadout();
    ASSERT_TRUE(waituntil([&] { return !readout->planning(); }));
    // No profile: the extents of every move only, and the notice has nothing to say.
    EXPECT_FALSE(readout->text().contains(QStringLiteral("0:00:")));
    EXPECT_TRUE(readout->text().contains(QStringLiteral("X -30.000 … 100.000 (130.000)")))
        << readout->text().toStdString();
    EXPECT_TRUE(readout->label()->isVisible());
    EXPECT_FALSE(w->noticerow->isVisible());

    ASSERT_TRUE(readout->chooseprofile(QString::fromStdString(profilefile()), true));
    ASSERT_TRUE(waituntil([&] { return !readout->planning(); }));
    const QString text = readout->text();
    EXPECT_TRUE(text.contains(QStringLiteral("0:00:06.7")) && text.contains("0:00:06.3"))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("T3 0:00:06.7"))) << text.toStdString();
    ASSERT_TRUE(w->noticerow->isVisible());
    EXPECT_TRUE(w->noticerow->entries().join('\n').contains(QStringLiteral("line 3: X")))
        << w->noticerow->entries().join('\n').toStdString();
    EXPECT_TRUE(w->noticerow->entries().join('\n').contains(QStringLiteral("-10.000")));

    // Line 2, the 100 mm feed move alone.
    w->programlink().gotoprogramline(2);
    EXPECT_TRUE(readout->text().contains(QStringLiteral("0:00:01.2")))
        << readout->text().toStdString();
    savepicture(w->grab().toImage(), "planreadout_window");

    // The travel box, asked for, in the program's coordinates: a travel just around the part.
    ASSERT_TRUE(
        readout->chooseprofile(QString::fromStdString(profilefile("tight.ini", 120, 5)), true));
    auto* travel = w->findChild<QAction*>(QStringLiteral("travelbox"));
    ASSERT_NE(travel, nullptr);
    const QRgb orange = qRgb(255, 153, 0);
    EXPECT_EQ(
        countcolor(w->wrkscreen->currentPicture().convertToFormat(QImage::Format_RGB32), orange),
        0);
    travel->setChecked(true);
    const QImage boxed = w->wrkscreen->currentPicture().convertToFormat(QImage::Format_RGB32);
    savepicture(boxed, "travelbox");
    EXPECT_GT(countcolor(boxed, orange), 50);

    // A bad profile changes nothing; no profile takes the limits back out of the notice.
    EXPECT_FALSE(
        readout->chooseprofile(QString::fromStdString(writeprogram("bad.ini", "x")), true));
    EXPECT_TRUE(readout->hasprofile());
    readout->clearprofile();
    ASSERT_TRUE(waituntil([&] { return !readout->planning(); }));
    EXPECT_FALSE(w->noticerow->isVisible());
}

TEST(MeasureMode, TwoPicksGiveTheDistanceAndEscapeLeaves) {
    auto w = openwindow({writeprogram("measure.nc", kTwoToolProgram)});
    QWidget* keys = w->focusWidget() != nullptr ? w->focusWidget() : w.get();
    QTest::keyClick(keys, Qt::Key_M);
    MeasureMode* measure = w->measuremode();
    ASSERT_TRUE(measure->active());
    // Two drawn pixels far apart.
    const QImage picture = w->wrkscreen->currentPicture().convertToFormat(QImage::Format_RGB32);
    const qreal ratio = w->wrkscreen->devicepixelratio();
    QPoint a(-1, -1), b(-1, -1);
    for (int y = 0; y < picture.height(); y += 2) {
        for (int x = 0; x < picture.width(); x += 2) {
            if ((picture.pixel(x, y) & 0xFFFFFFu) == 0) continue;
            const QPoint at(static_cast<int>(x / ratio), static_cast<int>(y / ratio));
            if (a.x() < 0) a = at;
            b = at;
        }
    }
    ASSERT_GE(a.x(), 0);
    const double rotx = w->view.rotx, roty = w->view.roty, rotz = w->view.rotz;
    QTest::mouseClick(w->windowHandle(), Qt::LeftButton, {}, w->wrkscreen->mapTo(w.get(), a));
    QTest::mouseClick(w->windowHandle(), Qt::LeftButton, {}, w->wrkscreen->mapTo(w.get(), b));
    ASSERT_GE(measure->firstnode(), 0);
    ASSERT_GE(measure->secondnode(), 0);
    const Tnodedata& p = w->job.nodes.node(measure->firstnode());
    const Tnodedata& q = w->job.nodes.node(measure->secondnode());
    const double d = std::sqrt((q.x - p.x) * (q.x - p.x) + (q.y - p.y) * (q.y - p.y) +
                               (q.z - p.z) * (q.z - p.z));
    EXPECT_GT(d, 0);
    const QString shown = measure->label()->text();
    EXPECT_TRUE(shown.contains(QStringLiteral("ΔX %1").arg(q.x - p.x, 0, 'f', 3)));
    EXPECT_TRUE(shown.contains(QString::number(d, 'f', 3))) << shown.toStdString();
    EXPECT_TRUE(measure->label()->isVisible());
    // The clicks measured; they turned nothing.
    EXPECT_EQ(w->view.rotx, rotx);
    EXPECT_EQ(w->view.roty, roty);
    EXPECT_EQ(w->view.rotz, rotz);
    savepicture(w->grab().toImage(), "measure_window");

    QTest::keyClick(w->focusWidget() != nullptr ? w->focusWidget() : w.get(), Qt::Key_Escape);
    EXPECT_FALSE(measure->active());
    EXPECT_FALSE(measure->label()->isVisible());
}
