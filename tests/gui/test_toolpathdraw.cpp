// Drawing modes of the toolpath on the real surface: the step window draws only its nodes,
// RAM-buffer mode shows the same picture as the window and paints uncovered parts from its
// off-screen picture, front-buffer drawing reports its
// timing, and an empty toolpath still ends the job.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QMessageBox>
#include <QScrollBar>
#include <QSlider>
#include <QTimer>
#include <set>

#include "app/panelbutton.h"
#include "app/vorlixmain.h"
#include "app/workingbar.h"
#include "nc/palette.h"
#include "render/glimage.h"
#include "tests/gui/support_viewer.h"

using namespace guitest;

namespace {

QRgb palettecolor(int index) {
    const uint32_t v = kPalette[static_cast<size_t>(index)];
    return qRgb(static_cast<int>(v & 255U), static_cast<int>((v >> 8) & 255U),
                static_cast<int>((v >> 16) & 255U));
}

// Colours of the segments ending at nodes first + 1..last (a segment takes the colour of the
// node it leads to), and of every other node.
void nodecolors(const Tvorlixform& w, int first, int last, std::set<int>& inside,
                std::set<int>& outside) {
    for (int i = 0; i <= w.job.nodes.lastnode(); ++i) {
        (i > first && i <= last ? inside : outside).insert(w.job.nodes.node(i).color);
    }
}

}  // namespace

TEST(ToolpathDraw, StepWindowDrawsOnlyItsNodes) {
    auto w = openwindow({writeprogram("twotools.nc", kTwoToolProgram)});
    ASSERT_GT(w->job.nodes.lastnode(), 8);
    // The first 2^2 + 1 nodes: the first tool's rectangle, none of the second tool's arcs.
    w->shownumberscrollbar->setValue(2);
    runloop(50);
    EXPECT_EQ(w->showpartgroupbox->title(), QStringLiteral("NC Steps : 4"));
    EXPECT_TRUE(w->showstartscrollbar->isVisible());
    std::set<int> inside, outside;
    nodecolors(*w, 0, 4, inside, outside);
    const QImage picture = w->wrkscreen->currentPicture();
    const std::string saved = savepicture(picture, "stepwindow_first");
    for (const int c : inside) EXPECT_GT(countcolor(picture, palettecolor(c)), 0) << c << saved;
    for (const int c : outside) {
        if (!inside.count(c)) {
            EXPECT_EQ(countcolor(picture, palettecolor(c)), 0) << c << saved;
        }
    }
    EXPECT_EQ(w->drawer()->rangetexts[0].rfind("N : ", 0), 0U);

    // Moved to the end: only the last nodes, and negative starts draw from node 0.
    const int last = w->job.nodes.lastnode();
    w->showstartscrollbar->setValue(last - 1);
    runloop(50);
    int first = 0, end = 0;
    w->drawer()->drawnrange(first, end);
    EXPECT_EQ(first, last - 1);
    EXPECT_EQ(end, last);
    w->showstartscrollbar->setValue(w->showstartscrollbar->minimum());
    w->drawer()->drawnrange(first, end);
    EXPECT_EQ(first, 0);
    EXPECT_EQ(end, 4);

    // Back to all nodes.
    w->shownumberscrollbar->setValue(17);
    runloop(50);
    EXPECT_EQ(w->showpartgroupbox->title(), QStringLiteral("NC Steps : ALL"));
    EXPECT_FALSE(w->showstartscrollbar->isVisible());
    const QImage all = w->wrkscreen->currentPicture();
    for (const int c : outside) EXPECT_GT(countcolor(all, palettecolor(c)), 0) << c;
}

TEST(ToolpathDraw, RamBufferShowsTheSamePicture) {
    const std::string path = writeprogram("twotools.nc", kTwoToolProgram);
    auto window = openwindow({path});
    const QImage direct = window->wrkscreen->currentPicture();
    window.reset();
    auto ram = openwindow({"/RAMBUFFER", path});
    ASSERT_TRUE(ram->wrkscreen->rambuffer());
    const QImage copied = ram->wrkscreen->currentPicture();
    const std::string saved = savepicture(copied, "rambuffer_twotools");
    ASSERT_EQ(direct.size(), copied.size()) << saved;
    EXPECT_EQ(ram->wrkscreen->bitmapwidth(), ram->wrkscreen->pixelwidth());
    int differing = 0;
    for (int y = 0; y < direct.height(); ++y) {
        for (int x = 0; x < direct.width(); ++x) {
            differing += (direct.pixel(x, y) & 0xFFFFFFU) != (copied.pixel(x, y) & 0xFFFFFFU);
        }
    }
    EXPECT_EQ(differing, 0) << saved;
    EXPECT_GT(countcolor(copied, palettecolor(11)), 100) << saved;

    // A new target when the size changes.
    ram->showNormal();
    ram->resize(820, 600);
    runloop(200);
    EXPECT_EQ(ram->wrkscreen->bitmapwidth(), ram->wrkscreen->pixelwidth());
    EXPECT_EQ(ram->wrkscreen->width(), 820 - 144 - 2);
    EXPECT_GT(countcolor(ram->wrkscreen->currentPicture(), palettecolor(11)), 100);
}

TEST(ToolpathDraw, RamBufferUncoveredShowsTheOffscreenPictureAfterAFailedOpen) {
    auto ram = openwindow({"/RAMBUFFER", writeprogram("twotools.nc", kTwoToolProgram)});
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            box->accept();
        }
    });
    closer.start(20);
    ram->ncfilename = ram->ncpath = QDir::tempPath().toStdString() + "/korven-no-such-file.nc";
    ram->opensequence();  // clears the window to black, then the file cannot be read
    closer.stop();
    // Another window covers the surface and goes away again.
    QWidget cover;
    cover.setGeometry(ram->geometry());
    cover.show();
    runloop(100);
    cover.hide();
    runloop(100);
    const QImage uncovered = ram->wrkscreen->currentPicture();
    const std::string saved = savepicture(uncovered, "rambuffer_uncovered");
    EXPECT_GT(countcolor(uncovered, palettecolor(11)), 100) << saved;
}

TEST(ToolpathDraw, FrontBufferDrawingReportsItsTime) {
    auto w = openwindow({writeprogram("twotools.nc", kTwoToolProgram)});
    const QImage back = w->wrkscreen->currentPicture();
    w->setspeed(true, 0);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Front Buffer : 0"));
    w->renderframe();
    const QString title = w->windowTitle();
    EXPECT_TRUE(title.startsWith(QStringLiteral("Time Used : "))) << title.toStdString();
    EXPECT_TRUE(title.contains(QStringLiteral(" seconds. ("))) << title.toStdString();
    EXPECT_GT(w->drawer()->waitcalib, 0);
    EXPECT_EQ(w->wrkscreen->currentPicture(), back);
    w->setspeed(false, 1);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Back Buffer"));
}

TEST(ToolpathDraw, EmptyProgramStillEndsTheJob) {
    auto w = openwindow({writeprogram("empty.nc", "%\n(nothing here)\n%\n")});
    EXPECT_TRUE(jobdone(*w));
    EXPECT_EQ(w->job.nodes.lastnode(), -1);
    for (int i = 1; i <= 16; ++i) EXPECT_TRUE(w->SpeedButton[static_cast<size_t>(i)]->isEnabled());
    const QImage picture = w->wrkscreen->currentPicture();
    EXPECT_EQ(countothers(picture, {qRgb(0, 0, 0)}), 0) << savepicture(picture, "empty");
}
