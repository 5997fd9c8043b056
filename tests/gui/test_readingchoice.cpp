// The reading chosen on the command line and changed in the panel: the shown program is read
// again the new way.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QScopeGuard>

#include "app/compensationmenu.h"
#include "app/panelbutton.h"
#include "app/readingnoticerow.h"
#include "app/translations.h"
#include "app/vorlixmain.h"
#include "render/glimage.h"
#include "tests/gui/support_viewer.h"

using namespace guitest;

TEST(ReadingChoice, CommandLineChoiceAndPanelChangeReadTheShownProgramAgain) {
    const std::string path = writeprogram("reading.nc", "G20 G0 X10 Y0 Z1\nG1 Z-1 F100\nG1 X20\n");
    auto window = openwindow({"/DIALECT:NGC", path});
    auto* box = window->findChild<QComboBox*>(QStringLiteral("readingbox"));
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(box->currentIndex(), 1);
    // Whole units: the start at the machine's zero, then X10 and X20.
    ASSERT_EQ(window->job.nodes.nodecount(), 4);
    EXPECT_EQ(window->job.nodes.node(3).x, 20);
    EXPECT_EQ(window->job.xmax, 20);
    EXPECT_TRUE(window->job.inchunits);  // the panel says "ZMax in"
    savepicture(window->grab().toImage(), "reading_ngc");

    box->setCurrentIndex(0);
    emit box->activated(0);
    ASSERT_TRUE(waituntil([&] { return jobdone(*window); }));
    // The default reading: X20 without a point is 0.020, and the first block is drawn.
    EXPECT_EQ(window->job.dialect, NcDialect::Korven);
    EXPECT_DOUBLE_EQ(window->job.xmax, 0.020);
    EXPECT_EQ(window->job.nodes.node(window->job.nodes.lastnode()).x, 0.020);
}

TEST(ReadingChoice, CompensationTableFromTheCommandLineAndTheContourOnlyWhenAsked) {
    // A CCW square 0..40, one corner rounded R10, with an 8 mm tool on the left: the centre
    // runs inside, 4 from it.
    const std::string program = "G0 X-10 Y-10 Z0\nG41 D1 G1 X0 Y0 F100\nG1 X30\nG3 X40 Y10 J10\nG1 Y40\nX0\nY0\n"
                                "G40 G1 X-10 Y-10\nM2\n";
    const std::string path = writeprogram("compsquare.nc", program);
    const std::string table = writeprogram("shop.tbl", "T1 D8 ;flat\n");
    const auto restore = qScopeGuard([] { installtranslation({}, {}); });
    installtranslation({QStringLiteral("C")}, {QStringLiteral(KORVEN_TRANSLATIONS_DIR)});
    auto bare = openwindow({"/DIALECT:NGC", path});
    // No tool.tbl beside it, none chosen: named once, in the window's language.
    EXPECT_TRUE(bare->noticerow->summary().join(QChar(' ')).contains(QStringLiteral("G41/G42 无刀具表")))
        << bare->noticerow->summary().join(QChar(' ')).toStdString();
    bare.reset();

    auto window = openwindow({"/DIALECT:NGC", "/TOOLS:" + table, path});
    bool inside = false;
    for (int32_t i = 0; i <= window->job.nodes.lastnode(); ++i) {
        inside = inside || (window->job.nodes.node(i).x == 30 && window->job.nodes.node(i).y == 4);
    }
    EXPECT_TRUE(inside);  // the bottom track meets the arc's, radius 6, at (30, 4)
    window->SpeedButtonClick(window->SpeedButton[10]);  // seen from the top
    const auto greys = [&] {
        const QImage picture = window->wrkscreen->currentPicture();
        int count = 0;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                const QRgb p = picture.pixel(x, y);
                count += qRed(p) == qGreen(p) && qGreen(p) == qBlue(p) && qRed(p) > 140 && qRed(p) < 170;
            }
        }
        return count;
    };
    QAction* contour = window->compensationmenu()->contouraction();
    EXPECT_FALSE(contour->isChecked());
    EXPECT_EQ(greys(), 0);
    contour->setChecked(true);
    const int shown = greys();
    savepicture(window->wrkscreen->currentPicture(), "compensation_contour");
    // Four sides of 40 around a fitted picture of 50: hundreds of pixels each.
    EXPECT_GT(shown, 400);
    contour->setChecked(false);
    EXPECT_EQ(greys(), 0);
}
