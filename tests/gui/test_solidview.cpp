// The solid view in the real window: S shows the stock the bracket leaves, lit and shaded, and
// S again gives back the very same toolpath picture; Escape during the simulation stops it and
// keeps the toolpath; a rapid through uncut material joins the notice list with its line; the
// step window shows the stock after its last node; the alarms stay listed when a machine profile
// is chosen afterwards; the stock dialog shows the cell, refuses a flat stock and simulates
// again on the stock given. Headless, a cut one cell wide in a grid of
// 2048 columns still shows in the coarser grid drawn.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QTimer>
#include <QScrollBar>
#include <QSlider>
#include <QTest>

#include "app/planreadout.h"
#include "app/readingnoticerow.h"
#include "app/stockdialog.h"
#include "app/stockview.h"
#include "app/vorlixmain.h"
#include "nc/ncjob.h"
#include "render/glimage.h"
#include "render/solidpicture.h"
#include "view/orientation.h"
#include "sim/stocksimulation.h"
#include "tests/gui/support_viewer.h"

using namespace guitest;

namespace {

const std::string kBracket = KORVEN_SOURCE_DIR "/examples/bracket.nc";

QImage picture(Tvorlixform& w) {
    return w.wrkscreen->currentPicture().convertToFormat(QImage::Format_RGB32);
}

// Pixels of the lit stock: its grey-blue in any shade, bluer than red by a little, while the
// toolpath's palette colours are pure or strongly saturated.
int stockpixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int r = qRed(line[x]), g = qGreen(line[x]), b = qBlue(line[x]);
            if (r > 30 && r <= g && g <= b && b - r >= 4 && b - r <= 40) ++count;
        }
    }
    return count;
}

// Two slots 2 deep along X at Y0 and Y10; the rapid of line 9 crosses the rib between them
// 1 below the top; the rapid of line 7 only drops into the cut slot.
std::string rapidsprogram() {
    return writeprogram("rapids.nc",
                        "G90\n"
                        "G0 X0. Y0. Z5.\n"
                        "G1 Z-2. F300.\n"
                        "X40.\n"
                        "G0 Z5.\n"
                        "Y10.\n"
                        "G1 Z-2.\n"
                        "X0.\n"
                        "G0 X20. Y0. Z-1.\n"
                        "Z5.\n");
}

QString noticelist(Tvorlixform& w) {
    return w.noticerow->entries().join('\n');
}

void presskey(Tvorlixform& w, Qt::Key key) {
    QWidget* focus = w.focusWidget();
    QTest::keyClick(focus != nullptr ? focus : &w, key);
}

}  // namespace

TEST(SolidView, StockShownAndToolpathPictureKept) {
    auto w = openwindow({kBracket});
    StockView& stock = *w->stockview();
    const QImage toolpath = picture(*w);
    savepicture(toolpath, "solidview_bracket_toolpath");
    EXPECT_LT(stockpixels(toolpath), toolpath.width() * toolpath.height() / 100);

    // Escape while the worker runs: back to the untouched toolpath picture.
    presskey(*w, Qt::Key_S);
    ASSERT_TRUE(stock.simulating());
    presskey(*w, Qt::Key_Escape);
    EXPECT_FALSE(stock.active());
    EXPECT_FALSE(stock.simulating());
    EXPECT_EQ(differingpixels(picture(*w), toolpath), 0);

    presskey(*w, Qt::Key_S);
    ASSERT_TRUE(waituntil([&] { return !stock.simulating(); }));
    runloop(50);
    const QImage solid = picture(*w);
    savepicture(solid, "solidview_bracket");
    // Lit: the top, the walls and the pockets' floors in more than one shade.
    EXPECT_GT(stockpixels(solid), solid.width() * solid.height() / 10);
    EXPECT_GT(differingpixels(solid, toolpath), solid.width() * solid.height() / 10);
    EXPECT_TRUE(stock.label()->isVisible());
    EXPECT_TRUE(stock.text().contains(QStringLiteral("0."))) << stock.text().toStdString();

    presskey(*w, Qt::Key_S);
    EXPECT_EQ(differingpixels(picture(*w), toolpath), 0);
    EXPECT_FALSE(stock.label()->isVisible());
}

TEST(SolidView, RapidThroughMaterialListedAndStepWindowFollowed) {
    auto w = openwindow({rapidsprogram()});
    StockView& stock = *w->stockview();
    stock.setactive(true);
    stock.waitforsimulation();
    ASSERT_NE(stock.simulation(), nullptr);
    const QString entries = w->noticerow->entries().join('\n');
    EXPECT_TRUE(entries.contains(QStringLiteral("line 9"))) << entries.toStdString();
    EXPECT_FALSE(entries.contains(QStringLiteral("line 7"))) << entries.toStdString();
    EXPECT_EQ(stock.simulation()->position(), w->job.nodes.lastnode());

    // The step window over nodes 2 to 4 (down, the first slot, up): the stock after node 4.
    w->shownumberscrollbar->setValue(1);
    w->showstartscrollbar->setValue(2);
    w->renderframe();
    stock.waitforsimulation();
    ASSERT_NE(stock.simulation(), nullptr);
    EXPECT_EQ(stock.simulation()->position(), 4);

    // The slowed drawing of the whole program cuts the stock as it draws, to its last node.
    w->shownumberscrollbar->setValue(w->shownumberscrollbar->maximum());
    w->setspeed(true, 0);
    w->renderframe();
    ASSERT_NE(stock.simulation(), nullptr);
    EXPECT_EQ(stock.simulation()->position(), w->job.nodes.lastnode());
    w->setspeed(false, 0);
}

TEST(SolidView, AlarmsKeptWhenAMachineProfileIsChosenLater) {
    auto w = openwindow({rapidsprogram()});
    StockView& stock = *w->stockview();
    PlanReadout& plan = *w->planreadout();
    ASSERT_TRUE(waituntil([&] { return !plan.planning(); }));
    stock.setactive(true);
    stock.waitforsimulation();
    ASSERT_TRUE(noticelist(*w).contains(QStringLiteral("line 9"))) << noticelist(*w).toStdString();

    // X ends at 30: the slots' X40 leaves the travel from line 4 on.
    const std::string profile = writeprogram(
        "short.ini",
        "[machine]\nunits=mm\njunction_deviation=0.01\ntool_change_seconds=4\n"
        "[x]\nmin=-100\nmax=30\nrapid=6000\naccel=500\n[y]\nmin=-100\nmax=100\nrapid=6000\n"
        "accel=500\n[z]\nmin=-100\nmax=100\nrapid=6000\naccel=500\n[origin]\nx=0\ny=0\nz=0\n");
    ASSERT_TRUE(plan.chooseprofile(QString::fromStdString(profile), true));
    ASSERT_TRUE(waituntil([&] { return !plan.planning(); }));
    runloop(20);
    const QString both = noticelist(*w);
    EXPECT_TRUE(both.contains(QStringLiteral("line 4"))) << both.toStdString();
    EXPECT_TRUE(both.contains(QStringLiteral("line 9"))) << both.toStdString();

    // Without the profile the broken limits go, the alarm stays.
    plan.clearprofile();
    ASSERT_TRUE(waituntil([&] { return !plan.planning(); }));
    runloop(20);
    EXPECT_FALSE(noticelist(*w).contains(QStringLiteral("line 4"))) << noticelist(*w).toStdString();
    EXPECT_TRUE(noticelist(*w).contains(QStringLiteral("line 9")));
}

TEST(SolidView, StockDialogShowsTheCellRefusesAFlatStockAndSimulatesAgain) {
    auto w = openwindow({rapidsprogram()});
    StockView& stock = *w->stockview();
    stock.setactive(true);
    stock.waitforsimulation();
    ASSERT_TRUE(noticelist(*w).contains(QStringLiteral("line 9")));

    // The cuts span X 0..40, Y 0..10, all at Z-2, with the 6 mm tool assumed: the automatic box
    // is X-3..43, Y-3..13, Z-5..0. Normal: 46 / 1024 = 0.0449 a cell, 1024 x 357 cells; draft:
    // 46 / 512 = 0.0898, 512 x 179.
    QString normal, draft, flat, given;
    bool refusedkept = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<StockDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) return;
        auto corner = [dialog](const char* name) {
            return dialog->findChild<QDoubleSpinBox*>(QLatin1String(name));
        };
        normal = dialog->celltext();
        dialog->findChild<QComboBox*>(QStringLiteral("stockquality"))->setCurrentIndex(0);
        draft = dialog->celltext();
        savepicture(dialog->grab().toImage(), "stockdialog");
        dialog->findChild<QCheckBox*>(QStringLiteral("stockautomatic"))->setChecked(false);
        corner("stockZ1")->setValue(corner("stockZ0")->value());
        dialog->accept();
        flat = dialog->celltext();
        refusedkept = dialog->isVisible();
        // A stock whose top lies under every move: nothing is cut, no rapid meets material.
        corner("stockX0")->setValue(-5);
        corner("stockZ0")->setValue(-10);
        corner("stockZ1")->setValue(-3);
        given = dialog->celltext();
        dialog->accept();
    });
    stock.stockaction()->trigger();
    EXPECT_TRUE(normal.contains(QStringLiteral("0.045")) && normal.contains(QStringLiteral("1024")) &&
                normal.contains(QStringLiteral("357")))
        << normal.toStdString();
    EXPECT_TRUE(draft.contains(QStringLiteral("0.090")) && draft.contains(QStringLiteral("179")))
        << draft.toStdString();
    EXPECT_TRUE(refusedkept);
    EXPECT_FALSE(flat.isEmpty() || flat.contains(QStringLiteral("0.090"))) << flat.toStdString();
    // 48 / 512 = 0.09375 a cell.
    EXPECT_TRUE(given.contains(QStringLiteral("0.094"))) << given.toStdString();

    ASSERT_TRUE(stock.request().stockGiven);
    EXPECT_EQ(stock.request().quality, 512);
    stock.waitforsimulation();
    ASSERT_NE(stock.simulation(), nullptr);
    EXPECT_DOUBLE_EQ(stock.simulation()->stock().z1, -3.0);
    EXPECT_DOUBLE_EQ(stock.simulation()->removedVolume(), 0.0);
    EXPECT_TRUE(stock.text().contains(QStringLiteral("0.094"))) << stock.text().toStdString();
    EXPECT_FALSE(noticelist(*w).contains(QStringLiteral("line 9"))) << noticelist(*w).toStdString();
}

TEST(SolidView, CutOneCellWideSurvivesTheCoarserGrid) {
    // 102.4 x 51.2 at 0.05 a cell; from above at 512 pixels one pixel spans four cells. The
    // drawn grid's blocks are several cells wide: one that sampled a cell of each block would
    // drop the cut in column 1001.
    sim::HeightMap map(0.0, 0.0, 0.05, 2048, 1024, 0.0F, -10.0F);
    float* h = map.mutableHeights();
    for (int row = 0; row < map.rows(); ++row) h[static_cast<size_t>(row) * 2048 + 1001] = -5.0F;
    map.touch();
    const NcJob nojob;  // nothing read: the stock alone is framed
    const HeadlessPicture shot =
        drawsolidpicture(nojob, map, viewpreset(ViewPresetId::Top), 512, 300);
    ASSERT_TRUE(shot.error.empty()) << shot.error;
    const QImage image(shot.rgb.data(), shot.width, shot.height, shot.width * 3,
                       QImage::Format_RGB888);
    savepicture(image, "solidview_narrowcut");
    // Along the middle row: the top's shade everywhere but in a narrow darker run.
    const int y = shot.height / 2;
    const int topblue = qBlue(image.pixel(shot.width / 4, y));
    int darker = 0, first = -1;
    for (int x = 0; x < shot.width; ++x) {
        if (qBlue(image.pixel(x, y)) + 20 < topblue && qBlue(image.pixel(x, y)) > 0) {
            ++darker;
            if (first < 0) first = x;
        }
    }
    EXPECT_GE(darker, 1);
    EXPECT_LE(darker, 6);  // the block, and its walls leaning over the blocks beside
    // Column 1001 of 2048 lies just short of the middle.
    EXPECT_NEAR(first, shot.width * 1001.5 / 2048, 6);
}
