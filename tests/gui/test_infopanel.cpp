// The information panel: layout arithmetic for roomy and cramped windows, the tool table's
// cells, the text block and the bevelled frame with its grooves, read back from real pixels.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <initializer_list>

#include "pixelcheck.h"
#include "render/infopanel.h"
#include "tests/gui/support_viewer.h"

namespace {

// Slot colours as the slot table gives them (red in the lowest byte).
constexpr uint32_t kCyan = 0xffff24u;     // 36, 255, 255
constexpr uint32_t kGreen = 0x24ff24u;    // 36, 255, 36
constexpr uint32_t kYellow = 0x24ffffu;   // 255, 255, 36
constexpr uint32_t kMagenta = 0xff24ffu;  // 255, 36, 255

QRgb rgbOf(uint32_t value) {
    return qRgb(value & 0xff, (value >> 8) & 0xff, (value >> 16) & 0xff);
}

// A design-sized window, maximised: the group box ends at 321, the panel is 144 wide.
InfoPanelRoom room(int clientheight) {
    return {clientheight, 321, 144};
}

InfoPanelData job(int slotcount) {
    InfoPanelData data;
    const uint32_t colors[] = {kCyan, kGreen, kYellow, kMagenta};
    data.lastslot = slotcount - 1;
    for (int i = 0; i < slotcount; ++i) {
        data.feedslots[static_cast<size_t>(i)] = {i + 1, 800 + 100 * i + i + 1, colors[i % 4]};
    }
    data.timetext = "Time:    1.234";
    data.zmaxtext = "ZMax:   12.500";
    data.zmintext = "ZMin:  -30.000";
    data.rangetexts = {"N :         12", "X :     10.000", "Y :     20.000", "Z :     -1.500",
                       "N :        480", "X :    -15.250", "Y :      0.000", "Z :      5.000"};
    return data;
}

QImage painted(const InfoPanelData& data, const InfoPanelLayout& layout, const char* name) {
    const QImage image = paintInfoPanel(data, layout);
    image.save(guitest::outdir() + QLatin1Char('/') + name);
    return image;
}

int countColor(const QImage& image, const QRect& region, QRgb color) {
    int count = 0;
    const QRect r = region & image.rect();
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) count += image.pixel(x, y) == color;
    return count;
}

int spaces(const QFontMetrics& metrics, int count) {
    return metrics.horizontalAdvance(QString(count, QLatin1Char(' ')));
}

// Topmost row of a region that holds anything but silver.
int firstInkRow(const QImage& image, const QRect& region) {
    for (int y = region.top(); y <= region.bottom(); ++y)
        if (countColor(image, QRect(region.left(), y, region.width(), 1), kSilver) < region.width())
            return y;
    return -1;
}

}  // namespace

TEST(InfoPanel, RoomyStatisticsLayoutWithThreeSlots) {
    const InfoPanelData data = job(3);
    const InfoPanelLayout l = layOutInfoPanel(data, room(1000));
    EXPECT_TRUE(l.roomy);
    EXPECT_EQ(l.rows, 2);
    EXPECT_EQ(l.fontheight, 17);
    EXPECT_EQ(l.width, 140);
    EXPECT_EQ(l.left, 2);
    const QFontMetrics metrics(infoPanelFont(l));
    EXPECT_LE(metrics.height(), 17);
    EXPECT_EQ(l.L, metrics.height() + 2);
    EXPECT_EQ(l.height, 5 * l.L + 6);
    EXPECT_EQ(l.top, 1000 - l.height - 2);
    const int space = spaces(metrics, 1);

    const QImage image = painted(data, l, "infopanel_three_slots.png");
    ASSERT_EQ(image.size(), QSize(l.width, l.height));
    // Slot 2 opens the second row in the left column; the right column of that row is empty.
    const int left = 2 + l.m;
    const int right = (140 - 4) / 2 + 2 + l.m;
    const int row2 = l.L + 3;
    EXPECT_EQ(image.pixel(left + 1, row2 + 1), kBlack);                // tool cell
    EXPECT_EQ(image.pixel(left + l.c + 1, row2 + 1), rgbOf(kYellow));  // key cell
    EXPECT_GT(countColor(image, QRect(left, row2, l.c, l.L - 2), rgbOf(kYellow)), 5);
    EXPECT_GT(
        countColor(image, QRect(left + l.c, row2, 5 * space, l.L - 2), rgbOf(~kYellow & 0xffffffu)),
        5)
        << "key digits in the inverse of the slot colour";
    EXPECT_EQ(image.pixel(right + 1, row2 + 1), kSilver);
    EXPECT_EQ(image.pixel(right + l.c + 1, 3 + 1), rgbOf(kGreen));  // slot 1, first row
    EXPECT_EQ(image.pixel(right + 1, 3 + 1), kBlack);
}

TEST(InfoPanel, BevelledFrameAndGrooveUnderTheTable) {
    const InfoPanelData data = job(3);
    const InfoPanelLayout l = layOutInfoPanel(data, room(1000));
    const QImage image = paintInfoPanel(data, l);
    const int w = l.width, h = l.height, d = l.rows * l.L;
    // Grey top and left, white right and bottom; neither pair reaches the far corners.
    expectPixels(image, {{0, 0, kGrey}, {w - 2, 0, kGrey}, {w - 1, 0, kSilver}, {0, h - 2, kGrey}});
    expectPixels(image, {{0, h - 1, kSilver}, {w - 1, 1, kWhite}, {w - 1, h - 1, kWhite}});
    expectPixels(image, {{1, h - 1, kWhite}});
    // Groove under the table: white over grey, the grey one short of the right edge.
    expectPixels(image, {{0, d + 3, kWhite}, {w - 2, d + 3, kWhite}, {0, d + 4, kGrey}});
    expectPixels(image, {{w - 2, d + 4, kGrey}, {w - 1, d + 4, kWhite}});
    EXPECT_EQ(countColor(image, QRect(1, d + 5, w - 2, 1), kGrey), 0);
}

TEST(InfoPanel, NoSlotsStartsTheFrameFourPixelsDown) {
    const InfoPanelData data = job(0);
    const InfoPanelLayout l = layOutInfoPanel(data, room(1000));
    EXPECT_EQ(l.rows, 0);
    EXPECT_EQ(l.height, 3 * l.L + 6);
    const QImage image = painted(data, l, "infopanel_no_slots.png");
    const int w = l.width, h = l.height;
    for (int y = 0; y < 4; ++y) {
        EXPECT_EQ(countColor(image, QRect(0, y, w, 1), kSilver), w) << "row " << y;
    }
    expectPixels(image, {{0, 4, kGrey}, {w - 2, 4, kGrey}, {0, h - 2, kGrey}, {w - 1, 4, kWhite}});
    expectPixels(image, {{w - 1, h - 1, kWhite}, {1, h - 1, kWhite}});
}

TEST(InfoPanel, CrampedWindowShrinksTheFontToFitEveryLine) {
    const InfoPanelData data = job(3);  // mode 1, 2 rows: 5 lines, roomy above 103 pixels
    // 400 - 2 - 321 = 77 pixels: cell (77 - 8) div 5 = 13.
    const InfoPanelLayout l = layOutInfoPanel(data, room(400));
    EXPECT_FALSE(l.roomy);
    EXPECT_EQ(l.avail, 77);
    EXPECT_EQ(l.fontheight, 13);
    const QFontMetrics metrics(infoPanelFont(l));
    EXPECT_EQ(l.L, metrics.height());
    EXPECT_LE(l.L, 13);
    EXPECT_EQ(l.width, spaces(metrics, 14) + 14);
    EXPECT_EQ(l.left, (144 - l.width) / 2);
    EXPECT_LE(l.height, l.avail);
    painted(data, l, "infopanel_cramped.png");

    // Exactly at the limit it is still cramped, and (103 - 8) div 5 = 19 is lowered to 17.
    const InfoPanelLayout edge = layOutInfoPanel(data, room(103 + 2 + 321));
    EXPECT_FALSE(edge.roomy);
    EXPECT_EQ(edge.fontheight, 17);
    EXPECT_EQ(edge.L, QFontMetrics(infoPanelFont(edge)).height());
    EXPECT_TRUE(layOutInfoPanel(data, room(104 + 2 + 321)).roomy);

    // No room at all still gives a drawable panel.
    const InfoPanelLayout none = layOutInfoPanel(data, room(100));
    EXPECT_EQ(none.fontheight, 1);
    EXPECT_GE(none.width, 14);
    EXPECT_FALSE(paintInfoPanel(data, none).isNull());
}

TEST(InfoPanel, StepWindowPutsTheLastNodeBelowAGroove) {
    InfoPanelData data = job(1);
    data.mode = InfoPanelMode::StepWindow;
    const InfoPanelLayout l = layOutInfoPanel(data, room(1000));
    EXPECT_EQ(l.lines, 9);
    EXPECT_EQ(l.height, 9 * l.L + 8);
    const QImage image = painted(data, l, "infopanel_step_window.png");

    // Same text in the first node's and the last node's first line: 4 lines and 2 pixels apart.
    InfoPanelData same = data;
    same.rangetexts = {"N :         12", "", "", "", "N :         12", "", "", ""};
    const QImage pair = paintInfoPanel(same, l);
    const int textWidth = spaces(QFontMetrics(infoPanelFont(l)), 14);
    const int firstTop = firstInkRow(pair, QRect(l.x0, l.L + 6, textWidth, l.L));
    const int lastTop = firstInkRow(pair, QRect(l.x0, 5 * l.L + 6, textWidth, l.L + 4));
    ASSERT_GE(firstTop, 0);
    EXPECT_EQ(lastTop - firstTop, 4 * l.L + 2);

    const int groove = (l.rows + 4) * l.L;
    expectPixels(image, {{0, groove + 3, kWhite}, {0, groove + 4, kGrey}});
    expectPixels(image, {{l.width - 2, groove + 4, kGrey}});
}

TEST(InfoPanel, ZLinesOutsideTheLimitsArePureRed) {
    InfoPanelData data = job(2);
    const InfoPanelLayout l = layOutInfoPanel(data, room(1000));
    const QRect zmaxLine(l.x0, (l.rows + 1) * l.L + 6, l.width - l.x0 - 1, l.L - 2);
    const QRect zminLine(l.x0, (l.rows + 2) * l.L + 6, l.width - l.x0 - 1, l.L - 2);
    const QRgb red = qRgb(255, 0, 0);

    const QImage within = paintInfoPanel(data, l);
    EXPECT_EQ(countColor(within, zmaxLine, red), 0);
    EXPECT_GT(countColor(within, zmaxLine, kBlack), 10);

    data.zmaxcolor = 255;
    const QImage above = painted(data, l, "infopanel_zmax_red.png");
    EXPECT_GT(countColor(above, zmaxLine, red), 10);
    EXPECT_EQ(countColor(above, zmaxLine, kBlack), 0);
    EXPECT_EQ(countColor(above, zminLine, red), 0);
}
