// The progress strip, read back pixel by pixel: bevels, fill position, rounding of halves,
// caption and percentage placement, and the synchronous repaint that jobs depend on.
#include <gtest/gtest.h>

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <initializer_list>
#include <limits>

#include "app/workingbar.h"
#include "pixelcheck.h"
#include "tests/gui/support_viewer.h"

namespace {

QFont windowBarFont() {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(19);
    return font;
}

QImage bar(int width, const QString& text, float progress, const QFont& font = windowBarFont()) {
    return TWorkingBar::render(QSize(width, 24), font, 96, text, progress);
}

WorkingBarLayout layoutOf(int width, const QString& text, float progress) {
    const QImage image = bar(width, text, progress);
    return TWorkingBar::layout(QSize(width, 24), QFontMetrics(windowBarFont(), &image), text,
                               progress);
}

void save(const QImage& image, const QString& name) {
    image.save(guitest::outdir() + QLatin1Char('/') + name);
}

// The fill position is the only column inside the frame where the grey shadow runs from the
// bar's bottom up to its top.
int measuredFill(const QImage& image, int t) {
    int found = -1000;
    for (int col = 1; col < image.width() - 1; ++col) {
        if (image.pixel(col, t + 1) == kGrey) {
            EXPECT_EQ(found, -1000) << "second shadow column at " << col;
            found = col;
        }
    }
    return found;
}

// Bounding box of the dark (text) pixels within a region.
QRect inkBox(const QImage& image, const QRect& region) {
    QRect box;
    for (int y = region.top(); y <= region.bottom(); ++y) {
        for (int x = region.left(); x <= region.right(); ++x) {
            if (qGray(image.pixel(x, y)) < 100) box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

class PaintCounter : public QObject {
  public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

}  // namespace

TEST(WorkingBar, OuterFrameAndGrooveBevelsArePixelExact) {
    const QImage image = bar(120, QString(), 0.5f);
    save(image, QStringLiteral("workingbar_120_half.png"));
    // a = 3, b = 117, t = 3, u = 21; 113 * 0.5 = 56.5 goes to 56, so x = 59.
    EXPECT_EQ(measuredFill(image, 3), 59);
    // Raised strip: white top and left, grey bottom and right, each line one pixel short.
    expectPixels(image, {{0, 0, kWhite}, {119, 0, kWhite}, {0, 22, kWhite}, {0, 23, kGrey}});
    expectPixels(image, {{119, 23, kGrey}, {119, 1, kGrey}});
    // Done part: highlight on top and left, shadow along the bottom and up at x.
    expectPixels(image, {{3, 3, kWhite}, {58, 3, kWhite}, {3, 19, kWhite}, {3, 20, kGrey}});
    expectPixels(image, {{59, 20, kGrey}});
    // Groove: shadow on top, highlight below and on the right; both stop short of (116, 3).
    expectPixels(image, {{59, 3, kGrey}, {115, 3, kGrey}, {116, 3, kSilver}, {60, 20, kWhite}});
    expectPixels(image, {{116, 20, kWhite}, {116, 4, kWhite}, {117, 10, kSilver}});
    expectPixels(image, {{2, 10, kSilver}});
}

TEST(WorkingBar, FillPositionFollowsProgressAndRoundsHalvesToEven) {
    const struct {
        int width;
        float progress;
        int x;
    } cases[] = {
        {120, 0.0f, 3},    {120, 1.0f, 116}, {120, 0.125f, 17},  // 14.125 -> 14
        {177, 0.25f, 45},                                        // 42.5 -> 42
        {177, 0.75f, 131},                                       // 127.5 -> 128
        {177, 0.3f, 54},                                         // 51.0
    };
    for (const auto& c : cases) {
        const QImage image = bar(c.width, QString(), c.progress);
        EXPECT_EQ(layoutOf(c.width, QString(), c.progress).x, c.x) << c.width << " " << c.progress;
        EXPECT_EQ(measuredFill(image, 3), c.x) << c.width << " " << c.progress;
    }
    // Empty bar: all groove, the shadow on top runs from the bar's left end.
    const QImage empty = bar(120, QString(), 0.0f);
    EXPECT_EQ(empty.pixel(3, 3), kGrey);
    EXPECT_EQ(empty.pixel(4, 20), kWhite);
    // Full bar: one raised block.
    const QImage full = bar(120, QString(), 1.0f);
    EXPECT_EQ(full.pixel(115, 3), kWhite);
    EXPECT_EQ(full.pixel(115, 20), kGrey);
    save(empty, QStringLiteral("workingbar_120_empty.png"));
    save(full, QStringLiteral("workingbar_120_full.png"));
}

TEST(WorkingBar, PercentageRoundsHalvesToEven) {
    EXPECT_EQ(layoutOf(120, QString(), 0.0f).percent, QStringLiteral("0%"));
    EXPECT_EQ(layoutOf(120, QString(), 1.0f).percent, QStringLiteral("100%"));
    EXPECT_EQ(layoutOf(120, QString(), 0.125f).percent, QStringLiteral("12%"));
    EXPECT_EQ(layoutOf(120, QString(), 0.375f).percent, QStringLiteral("38%"));
    // The stored single is a little above 0.135, so this is not a half.
    EXPECT_EQ(layoutOf(120, QString(), 0.135f).percent, QStringLiteral("14%"));
    EXPECT_EQ(layoutOf(120, QString(), -0.5f).percent, QStringLiteral("-50%"));
    EXPECT_EQ(layoutOf(120, QString(), 2.0f).percent, QStringLiteral("200%"));
    // Same fill and same text, so the same pixels: 12.5 percent is written as 12.
    EXPECT_EQ(bar(120, QString(), 0.125f), bar(120, QString(), 0.12f));
    EXPECT_NE(bar(120, QString(), 0.125f), bar(120, QString(), 0.13f));
}

TEST(WorkingBar, CaptionAndPercentageAreCentredInTheirAreas) {
    const QString caption = QStringLiteral("Working...");
    const QImage image = bar(177, caption, 0.25f);
    save(image, QStringLiteral("workingbar_177_working.png"));
    const QImage probe(1, 1, QImage::Format_RGB32);
    const QFontMetrics metrics(windowBarFont(), &probe);
    const WorkingBarLayout l = layoutOf(177, caption, 0.25f);
    EXPECT_EQ(l.a, metrics.horizontalAdvance(caption) + 8);
    EXPECT_EQ(image.pixel(l.a, l.t + 1), kWhite);
    EXPECT_EQ(image.pixel(l.a - 1, l.t + 1), kSilver);

    const QRect captionInk = inkBox(image, QRect(1, 1, l.a - 1, 22));
    ASSERT_FALSE(captionInk.isEmpty());
    EXPECT_GE(captionInk.left(), l.captionAt.x());
    EXPECT_LE(captionInk.right(), l.captionAt.x() + metrics.horizontalAdvance(caption));
    EXPECT_NEAR(captionInk.center().x(), l.a / 2.0, 3.0);

    const QRect percentInk = inkBox(image, QRect(l.a + 1, l.t + 1, l.b - l.a - 3, l.u - l.t - 3));
    ASSERT_FALSE(percentInk.isEmpty());
    EXPECT_NEAR(percentInk.center().x(), (l.a + 177) / 2.0, 3.0);
    EXPECT_NEAR(percentInk.center().y(), 12.0, 3.0);
    // Without a caption the bar starts 3 pixels in.
    EXPECT_EQ(layoutOf(177, QString(), 0.25f).a, 3);
}

TEST(WorkingBar, WildProgressValuesPaintWithoutOverflow) {
    for (float progress : {-1.0e30f, 1.0e30f, std::numeric_limits<float>::infinity(),
                           std::numeric_limits<float>::quiet_NaN()}) {
        const QImage image = bar(120, QStringLiteral("Loading : "), progress);
        EXPECT_EQ(image.size(), QSize(120, 24));
        EXPECT_EQ(image.pixel(0, 0), kWhite);
    }
    EXPECT_EQ(layoutOf(120, QString(), std::numeric_limits<float>::quiet_NaN()).percent,
              QStringLiteral("0%"));
}

// A job keeps the event loop from running: each setter must reach the screen by itself.
TEST(WorkingBar, SettersRepaintOnScreenWithoutTheEventLoop) {
    QWidget host;
    host.setFixedSize(320, 80);
    TWorkingBar* working = new TWorkingBar(&host);
    EXPECT_EQ(working->size(), QSize(120, 24));
    EXPECT_EQ(working->font().pointSize(), 14);
    working->setFont(windowBarFont());
    working->setGeometry(8, 8, 177, 24);
    host.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    QCoreApplication::processEvents();

    PaintCounter counter;
    working->installEventFilter(&counter);
    working->setText(QStringLiteral("Loading : "));
    EXPECT_EQ(counter.paints, 1);
    working->setProgress(0.625f);
    EXPECT_EQ(counter.paints, 2);
    QScreen* screen = QGuiApplication::primaryScreen();
    const QImage onScreen = screen->grabWindow(host.winId(), 8, 8, 177, 24)
                                .toImage()
                                .convertToFormat(QImage::Format_RGB32);
    save(onScreen, QStringLiteral("workingbar_on_screen.png"));
    EXPECT_EQ(onScreen, working->Paint());

    // Hidden: nothing is drawn; shown again: the latest values appear.
    working->hide();
    working->setProgress(0.9f);
    EXPECT_EQ(counter.paints, 2);
    working->show();
    QCoreApplication::processEvents();
    EXPECT_GT(counter.paints, 2);
    EXPECT_EQ(screen->grabWindow(host.winId(), 8, 8, 177, 24)
                  .toImage()
                  .convertToFormat(QImage::Format_RGB32),
              working->Paint());
}
