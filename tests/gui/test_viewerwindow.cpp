// The viewer window end to end on a real display with real GL: start-up, the command-line file
// opened at the first idle moment and drawn fitted, the panel after the job, resizing, and a
// file that cannot be read.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QProcess>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "app/panelbutton.h"
#include "app/vorlixmain.h"
#include "app/workingbar.h"
#include "render/glimage.h"
#include "tests/gui/support_viewer.h"

using namespace guitest;

namespace {

const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kRapid = qRgb(182, 0, 0);
const QRgb kSlot0 = qRgb(36, 255, 255);
const QRgb kSlot1 = qRgb(36, 255, 36);
const QRgb kRed = qRgb(255, 0, 0);

// The title the X server holds for the window (what the window manager shows).
QString servertitle(const QWidget& window) {
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"), {QStringLiteral("-id"), QString::number(window.winId()),
                                          QStringLiteral("_NET_WM_NAME")});
    if (!xprop.waitForFinished(5000)) return {};
    const QString out = QString::fromUtf8(xprop.readAllStandardOutput());
    const qsizetype start = out.indexOf(QLatin1Char('"'));
    return start < 0 ? QString()
                     : out.mid(start + 1, out.lastIndexOf(QLatin1Char('"')) - start - 1);
}

// The names of the top-level windows on the display.
QString windownames() {
    QProcess xwininfo;
    xwininfo.start(QStringLiteral("xwininfo"), {QStringLiteral("-root"), QStringLiteral("-tree")});
    return xwininfo.waitForFinished(5000) ? QString::fromUtf8(xwininfo.readAllStandardOutput())
                                          : QString();
}

// Glyph pixels (the opaque ones) that a preset button does not show, leaving out those under
// its caption's text. The glyph is centred across; its height is where most of it shows.
int hiddenglyphpixels(PanelButton& button) {
    const QImage glyph = button.glyph();
    const QImage shown = button.grab().toImage();
    QImage blank(glyph.size(), QImage::Format_ARGB32);
    blank.fill(Qt::transparent);
    button.setGlyph(blank);
    const QImage caption = button.grab().toImage();
    const QString text = button.text();
    button.setText(QString());
    const QImage bare = button.grab().toImage();
    button.setText(text);
    button.setGlyph(glyph);
    const int dx = (shown.width() - glyph.width()) / 2;
    auto hidden = [&](int dy, bool countcaption) {
        int n = 0;
        for (int y = 0; y < glyph.height(); ++y) {
            for (int x = 0; x < glyph.width(); ++x) {
                const QPoint p(x + dx, y + dy);
                if (qAlpha(glyph.pixel(x, y)) == 0) continue;
                if (!shown.rect().contains(p)) {
                    ++n;
                } else if (countcaption || caption.pixel(p) == bare.pixel(p)) {
                    n += ((shown.pixel(p) ^ glyph.pixel(x, y)) & 0xFFFFFFU) != 0;
                }
            }
        }
        return n;
    };
    int best = 0;
    for (int dy = -8; dy <= 8; ++dy) {
        if (hidden(dy, true) < hidden(best, true)) best = dy;
    }
    return hidden(best, false);
}

bool allbuttonsenabled(const Tvorlixform& w) {
    for (int i = 1; i <= 16; ++i) {
        if (!w.SpeedButton[static_cast<size_t>(i)]->isEnabled()) return false;
    }
    return true;
}

}  // namespace

TEST(ViewerWindow, StartsEmptyWithTheExactTitle) {
    Tvorlixform w(commandline({}));
    w.show();
    waituntil([&] { return !w.firstidle; });
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Holvarin : KORVEN"));
    const QString onserver = servertitle(w);
    if (!onserver.isEmpty()) {
        EXPECT_EQ(onserver, QStringLiteral("Holvarin : KORVEN"));
    }
    EXPECT_TRUE(w.windowState() & Qt::WindowMaximized);
    // Maximised also where no window manager does it: the window covers the free screen area.
    EXPECT_EQ(w.geometry(), w.screen()->availableGeometry());
    EXPECT_EQ(w.wrkscreen->geometry(), QRect(1, 1, w.width() - 144 - 2, w.height() - 2));
    // The window's font is given by its cell (internal leading included), 11 pixels; the tool
    // labels' by a cell of 17.
    const int windowcell = QFontMetrics(w.font()).height();
    const int labelcell = QFontMetrics(w.tnl[0]->font()).height();
    EXPECT_TRUE(windowcell <= 11 && windowcell >= 9) << windowcell;
    EXPECT_TRUE(labelcell <= 17 && labelcell >= 15) << labelcell;
    EXPECT_FALSE(w.showpartgroupbox->isVisible());
    EXPECT_FALSE(w.WorkingBar->isVisible());
    for (size_t i = 0; i < 10; ++i) EXPECT_FALSE(w.tnl[i]->isVisible() || w.frl[i]->isVisible());
    // The window starts in ISO1; the logo's fly-in ends in the top view, a full turn on.
    EXPECT_TRUE(w.logoshown);
    EXPECT_EQ(w.view.rotx, 360.0);
    EXPECT_EQ(w.view.rotz, 360.0);
}

TEST(ViewerWindow, PresetGlyphsShowWholeAroundTheirCaptions) {
    Tvorlixform w(commandline({}));
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    QImage strip(7 * 36, 36, QImage::Format_RGB32);
    QPainter painter(&strip);
    for (int i = 10; i <= 16; ++i) {
        PanelButton& button = *w.SpeedButton[static_cast<size_t>(i)];
        painter.drawImage((i - 10) * 36, 0, button.grab().toImage());
        EXPECT_EQ(hiddenglyphpixels(button), 0) << button.objectName().toStdString();
    }
    painter.end();
    savepicture(strip, "preset_buttons");
}

TEST(ViewerWindow, ToolkitOptionsAreOrdinaryParameters) {
    // The toolkit must not act on these: -platform would end the program at start. Here they
    // are three parameters, so they give Z limits and nothing is opened.
    QProcess viewer;
    viewer.start(QStringLiteral(KORVEN_VIEWER),
                 {QStringLiteral("-platform"), QStringLiteral("nosuchplatform"),
                  QStringLiteral("-reverse")});
    ASSERT_TRUE(viewer.waitForStarted(5000));
    const QString title = QStringLiteral("\"Holvarin : KORVEN\"");
    waituntil(
        [&] { return viewer.state() == QProcess::NotRunning || windownames().contains(title); });
    EXPECT_EQ(viewer.state(), QProcess::Running) << viewer.readAllStandardError().toStdString();
    viewer.kill();
    viewer.waitForFinished(5000);
}

TEST(ViewerWindow, CommandLineFileIsOpenedAtFirstIdleAndDrawnFitted) {
    const std::string path = writeprogram("twotools.nc", kTwoToolProgram);
    auto w = openwindow({path});
    ASSERT_TRUE(jobdone(*w));
    const QString title = QStringLiteral("KORVEN : ") + QString::fromStdString(path);
    EXPECT_EQ(w->windowTitle(), title);
    const QString onserver = servertitle(*w);
    if (!onserver.isEmpty()) {
        EXPECT_EQ(onserver, title);
    }
    EXPECT_TRUE(allbuttonsenabled(*w));
    EXPECT_TRUE(w->showpartgroupbox->isVisible());
    EXPECT_EQ(w->showpartgroupbox->title(), QStringLiteral("NC Steps : ALL"));

    const QImage picture = w->wrkscreen->currentPicture();
    const std::string saved = savepicture(picture, "window_twotools");
    EXPECT_GT(countcolor(picture, kRapid), 20) << saved;
    EXPECT_GT(countcolor(picture, kSlot0), 100) << saved;
    EXPECT_GT(countcolor(picture, kSlot1), 100) << saved;
    EXPECT_EQ(countothers(picture, {kBlack, kRapid, kSlot0, kSlot1}), 0) << saved;
    // Fitted: the path fills the tighter direction up to the 3 % margin, around the middle.
    const QRect box = drawnbox(picture);
    const bool fillswidth = box.width() > picture.width() * 9 / 10;
    const bool fillsheight = box.height() > picture.height() * 9 / 10;
    EXPECT_TRUE(fillswidth || fillsheight) << saved;
    EXPECT_NEAR(box.center().x(), picture.width() / 2, picture.width() / 20) << saved;
    EXPECT_NEAR(box.center().y(), picture.height() / 2, picture.height() / 20) << saved;
}

TEST(ViewerWindow, InformationPanelListsSlotsAndStatistics) {
    auto normal = openwindow({writeprogram("twotools.nc", kTwoToolProgram)});
    ASSERT_TRUE(normal->optimage->isVisible());
    const QImage panel = normal->optimage->pixmap().toImage();
    const std::string saved = savepicture(panel, "infopanel_twotools");
    EXPECT_GT(countcolor(panel, kSlot0), 20) << saved;
    EXPECT_GT(countcolor(panel, kSlot1), 20) << saved;
    EXPECT_EQ(countcolor(panel, kRed), 0) << saved;
    EXPECT_EQ(normal->job.zmaxtext.rfind("ZMax: ", 0), 0U);
    EXPECT_EQ(normal->optimage->geometry().bottom(), normal->height() - 3);

    // A cut 150 above the part lies above the upper Z limit: "ZMax: " turns red.
    const std::string high =
        std::string(kTwoToolProgram)
            .replace(std::string(kTwoToolProgram).find("G1 Z-1."), 7, "G1 Z150.");
    auto above = openwindow({writeprogram("above.nc", high)});
    const QImage redpanel = above->optimage->pixmap().toImage();
    const std::string redsaved = savepicture(redpanel, "infopanel_zmax_red");
    EXPECT_EQ(above->job.zmaxcolor, 255U);
    EXPECT_GT(countcolor(redpanel, kRed), 20) << redsaved;
}

TEST(ViewerWindow, ResizingRelaysOutAndRedraws) {
    auto w = openwindow({writeprogram("twotools.nc", kTwoToolProgram)});
    w->showNormal();
    w->resize(900, 640);
    runloop(200);
    ASSERT_EQ(w->size(), QSize(900, 640));
    EXPECT_EQ(w->panel->geometry(), QRect(900 - 144, 0, 144, 640));
    EXPECT_EQ(w->wrkscreen->geometry(), QRect(1, 1, 900 - 144 - 2, 640 - 2));
    EXPECT_EQ(w->WorkingBar->geometry(), QRect(9, 9, 900 - 144 - 2 - 20, 24));
    EXPECT_EQ(w->view.areawidth, 900 - 144 - 2);  // the surface's own size: no border
    EXPECT_EQ(w->optimage->geometry().bottom(), 640 - 3);
    const QImage picture = w->wrkscreen->currentPicture();
    const std::string saved = savepicture(picture, "window_resized");
    EXPECT_EQ(picture.size(), QSize(900 - 144 - 2, 640 - 2));
    EXPECT_GT(countcolor(picture, kSlot1), 100) << saved;
    const QRect box = drawnbox(picture);
    EXPECT_NEAR(box.center().x(), picture.width() / 2, picture.width() / 20) << saved;
}

TEST(ViewerWindow, ThePictureReachesTheScreenWithoutGlComposingTheWindow) {
    auto w = openwindow({writeprogram("twotools.nc", kTwoToolProgram)});
    runloop(200);
    // A window composed by GL blends the whole of itself, panel included, at every frame: on
    // a software rasterizer that costs more than a drag frame's drawing.
    EXPECT_EQ(w->windowHandle()->surfaceType(), QSurface::RasterSurface);
    // The frame read back reaches the screen the right way up and in its own colours.
    const QImage picture = w->wrkscreen->currentPicture().convertToFormat(QImage::Format_RGB888);
    const QRect area = w->wrkscreen->geometry();
    const QImage shown = w->screen()
                             ->grabWindow(w->winId(), area.x(), area.y(), area.width(),
                                          area.height())
                             .toImage()
                             .convertToFormat(QImage::Format_RGB888);
    const std::string saved = savepicture(shown, "picture_on_screen");
    EXPECT_GT(countcolor(picture, kSlot1), 100) << saved;
    // The extents readout lies over the bottom of the picture.
    const QRect above(0, 0, picture.width(), picture.height() * 4 / 5);
    EXPECT_EQ(differingpixels(shown.copy(above), picture.copy(above)), 0) << saved;
}

TEST(ViewerWindow, AJobDispatchesNoQueuedEventsUntilItEnds) {
    // Progress and frames reach the screen while the job holds the thread, but nothing queued
    // (input, resizes, timers) may run inside it: a resize there would redraw, end the job
    // early and give the buttons back in the middle of it.
    Tvorlixform w(commandline({writeprogram("twotools.nc", kTwoToolProgram)}));
    w.job.arcDataError = [] {};
    bool delivered = false;
    int finishes = 0;
    bool deliveredinside = false;
    const auto jobfinish = w.drawer()->jobfinish;
    w.drawer()->jobfinish = [&](int mode) {
        if (!w.firstidle && w.WorkingBar->isVisible()) {
            // The job's first frame; queue an event and see whether the second one runs it.
            QMetaObject::invokeMethod(
                &w, [&] { delivered = true; }, Qt::QueuedConnection);
        }
        if (!w.firstidle && ++finishes == 2) deliveredinside = delivered;
        jobfinish(mode);
    };
    w.show();
    ASSERT_TRUE(waituntil([&] { return jobdone(w); }));
    EXPECT_GE(finishes, 2);
    EXPECT_FALSE(deliveredinside);
    runloop(50);
    EXPECT_TRUE(delivered);
}

TEST(ViewerWindow, UnreadableFileIsReportedAndTheWindowStaysUsable) {
    const std::string missing = QDir::tempPath().toStdString() + "/korven-no-such-file.nc";
    MessageAnswerer closer({}, 50);
    auto w = openwindow({missing});
    waituntil([&] { return !closer.texts.empty() && jobdone(*w); });
    const QString shown = closer.texts.empty() ? QString() : closer.texts.back();
    EXPECT_TRUE(shown.contains(QStringLiteral("korven-no-such-file.nc"))) << shown.toStdString();
    EXPECT_FALSE(w->WorkingBar->isVisible());
    EXPECT_TRUE(allbuttonsenabled(*w));
}

TEST(ViewerWindow, LongPathIsOpenedWhole) {
    QString dir = outdir();
    while (dir.size() < 300) dir += QStringLiteral("/a-rather-long-folder-name-for-the-path");
    ASSERT_TRUE(QDir().mkpath(dir));
    const std::string path = dir.toStdString() + "/deep.nc";
    {
        QFile file(QString::fromStdString(path));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(kTwoToolProgram);
    }
    ASSERT_GT(path.size(), 255U);
    auto w = openwindow({path});
    EXPECT_GT(w->job.nodes.lastnode(), 10);
    EXPECT_GT(countcolor(w->wrkscreen->currentPicture(), kSlot1), 100);
}
