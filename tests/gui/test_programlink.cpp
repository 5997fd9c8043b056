// The program pane and the link between lines and moves in the real window, checked against
// korven-info's picture and pick for the same program, view and surface size.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QScrollBar>
#include <QSlider>
#include <QTest>

#include "app/panelbutton.h"
#include "app/programlink.h"
#include "app/programpane.h"
#include "nc/linenodes.h"
#include "app/vorlixmain.h"
#include "render/glimage.h"
#include "tests/gui/support_viewer.h"

using namespace guitest;

namespace {

const std::string kBracket = KORVEN_SOURCE_DIR "/examples/bracket.nc";
const QRgb kOrange = qRgb(255, 128, 0);

QString korveninfo(const QStringList& args, int* status = nullptr) {
    QProcess process;
    process.start(QStringLiteral(KORVEN_INFO_EXE), args);
    const bool finished = process.waitForFinished(120000);
    if (status != nullptr) *status = finished ? process.exitCode() : -1;
    if (!finished || process.exitCode() != 0) return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

QImage surfacepicture(Tvorlixform& w) {
    return w.wrkscreen->currentPicture().convertToFormat(QImage::Format_RGB32);
}

}  // namespace

TEST(ProgramLink, HighlightAndPickAgreeWithKorvenInfo) {
    auto w = openwindow({kBracket});
    ASSERT_TRUE(jobdone(*w));
    w->showNormal();
    w->resize(900 + 144 + 2, 500 + 2);
    waituntil([&] { return w->wrkscreen->width() == 900; }, 5000);

    QTest::keyClick(w->windowHandle(), Qt::Key_F6);
    ASSERT_TRUE(w->programpane->isVisible());
    EXPECT_TRUE(w->programcheckbox->isChecked());
    EXPECT_LT(w->wrkscreen->width(), 900);
    EXPECT_EQ(w->programpane->linecount(), 124);

    // Line 18 is "N80 X92. F1200.": one feed move across the stock.
    w->programlink().gotoprogramline(18);
    EXPECT_EQ(w->programpane->currentline(), 18);
    EXPECT_EQ(w->programpane->linetext(18), QStringLiteral("N80 X92. F1200."));
    EXPECT_EQ(w->programpane->status(), QStringLiteral("Line 18 made one move."));
    w->SpeedButton[13]->click();  // ISO1 fitted to the narrowed surface
    runloop(50);
    const QImage window = surfacepicture(*w);
    const std::string saved = savepicture(window, "highlight18_window");
    const QString size = QStringLiteral("%1x%2").arg(window.width()).arg(window.height());
    const QString png = outdir() + QStringLiteral("/highlight18.png");
    QFile::remove(png);
    ASSERT_FALSE(korveninfo({QString::fromStdString(kBracket), "--png", png, "--size", size,
                             "--view", "iso1", "--highlight", "18"})
                     .isEmpty());
    const QImage headless = QImage(png).convertToFormat(QImage::Format_RGB32);
    EXPECT_GT(countcolor(window, kOrange), 100) << saved;
    savepicture(w->grab().toImage(), "highlight18_whole_window");
    EXPECT_EQ(differingpixels(window, headless), 0) << saved;

    // Shift+click on a highlighted pixel: the pane goes where korven-info's pick says.
    w->programlink().clearprogramselection();
    QPoint at(-1, -1);
    for (int y = 0; y < window.height() && at.x() < 0; ++y) {
        for (int x = 0; x < window.width(); ++x) {
            if ((window.pixel(x, y) & 0xFFFFFFU) == (kOrange & 0xFFFFFFU)) {
                at = QPoint(x, y);
                break;
            }
        }
    }
    ASSERT_GE(at.x(), 0);
    const QStringList pick =
        korveninfo({QString::fromStdString(kBracket), "--pick",
                    QStringLiteral("%1,%2").arg(at.x()).arg(at.y()), "--size", size, "--view",
                    "iso1"})
            .trimmed()
            .split(QLatin1Char('\n'))
            .last()
            .split(QLatin1Char(' '));
    ASSERT_EQ(pick.size(), 5) << pick.join(' ').toStdString();
    for (const QStringList& wrong : {QStringList{"--pick", "5"}, QStringList{"--pick", "5,-1"},
                                     QStringList{"--highlight", "18"},
                                     QStringList{"--png", png, "--highlight", "x-3"}}) {
        int status = 0;
        korveninfo(QStringList{QString::fromStdString(kBracket)} + wrong, &status);
        EXPECT_EQ(status, 2) << wrong.join(' ').toStdString();
    }
    QTest::mouseClick(w->windowHandle(), Qt::LeftButton, Qt::ShiftModifier,
                      w->wrkscreen->mapTo(w.get(), at));
    EXPECT_EQ(w->programpane->currentline(), pick[1].toLongLong());
    EXPECT_TRUE(w->pickreadout->isVisible());
    EXPECT_TRUE(w->pickreadout->text().startsWith(QStringLiteral("line ") + pick[1]));
    EXPECT_GT(countcolor(surfacepicture(*w), kOrange), 0);
    savepicture(w->grab().toImage(), "picked_whole_window");

    // The step window moves the pane to the line of its last node and marks its lines.
    w->shownumberscrollbar->setValue(2);
    w->showstartscrollbar->setValue(400);
    const int64_t lastline = w->job.nodes.node(404).line;
    EXPECT_LE(w->programpane->firstvisibleline(), lastline);
    EXPECT_GT(w->programpane->firstvisibleline() + 20, lastline);

    // A slowed drawing moves the pane's current line along the nodes it draws.
    w->shownumberscrollbar->setValue(w->shownumberscrollbar->maximum());
    w->setspeed(true, 100);
    w->renderframe();
    w->setspeed(false, 0);
    const int64_t followed = w->programpane->followline();
    EXPECT_FALSE(nodesoflines(w->job.nodes, followed, followed).empty()) << followed;

    // Escape clears the selection and the highlight; F6 gives the surface its width back.
    QTest::keyClick(w->windowHandle(), Qt::Key_Escape);
    EXPECT_FALSE(w->programpane->hasselection());
    EXPECT_EQ(countcolor(surfacepicture(*w), kOrange), 0);
    QTest::keyClick(w->windowHandle(), Qt::Key_F6);
    EXPECT_FALSE(w->programpane->isVisible());
    EXPECT_EQ(w->wrkscreen->width(), 900);
}

TEST(ProgramLink, PaneShowsEveryByteAndNoticesAChangedFile) {
    std::string text = "G0 X0 Y0 Z1\r\nG1 Z0 F100 (caf\xe9)\nX1 (\xc3\xbc)\rY1\nX2 (";
    text += '\0';
    text += ")\n(" + std::string(100000, 'A') + ")X3\nX4\nX5 \x1a\n";
    const std::string path = writeprogram("bytes.nc", text);
    auto w = openwindow({path});
    ASSERT_TRUE(jobdone(*w));
    w->programlink().gotoprogramline(99);  // clamped to the last line
    ProgramPane& pane = *w->programpane;
    EXPECT_EQ(pane.linecount(), 7);
    EXPECT_EQ(pane.currentline(), 7);
    EXPECT_EQ(pane.linetext(1), QStringLiteral("G0 X0 Y0 Z1"));
    EXPECT_EQ(pane.linetext(2), QStringLiteral("G1 Z0 F100 (caf\u00e9)"));
    EXPECT_EQ(pane.linetext(3), QStringLiteral("X1 (\u00fc)\u240dY1"));
    EXPECT_EQ(pane.linetext(4), QStringLiteral("X2 (\u2400)"));
    const QString longline = pane.linetext(5);
    EXPECT_EQ(longline.size(), ProgramPane::kMaxLineBytes + 1);
    EXPECT_TRUE(longline.endsWith(QChar(0x2026)));
    EXPECT_EQ(pane.linetext(7), QStringLiteral("X5 \u241a"));
    w->programlink().gotoprogramline(6);
    EXPECT_EQ(pane.status(), QStringLiteral("Line 6 made one move."));
    w->programlink().gotoprogramline(3);
    EXPECT_EQ(pane.status(), QStringLiteral("Line 3 made one move."));

    // The file is rewritten: the pane shows no text of the new file against the old nodes.
    writeprogram("bytes.nc", "G0 X5 Y5 Z5\n");
    EXPECT_TRUE(pane.filechanged());
    savepicture(pane.grab().toImage(), "pane_changed_file");  // paints now
    EXPECT_EQ(pane.status(), QStringLiteral("The file has changed since it was read."));
}
