#include "render/infopanel.h"

#include <QFontMetrics>
#include <QPainter>
#include <QString>
#include <algorithm>

#include "render/canvaslines.h"

namespace {

const QColor kSilver(192, 192, 192);
const QColor kGrey(128, 128, 128);
const QColor kWhite(255, 255, 255);
const QColor kBlack(0, 0, 0);

// The full-size layout: cell height, image width and left edge.
constexpr int kRoomyCell = 17;
constexpr int kRoomyWidth = 140;
constexpr int kRoomyLeft = 2;

QColor colorFromValue(uint32_t value) {
    return QColor(static_cast<int>(value & 0xffu), static_cast<int>((value >> 8) & 0xffu),
                  static_cast<int>((value >> 16) & 0xffu));
}

QFont monospaced(int pixelsize, bool bold) {
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::Monospace);
    font.setPixelSize(std::max(pixelsize, 1));
    font.setBold(bold);
    return font;
}

// Largest pixel size whose character cell (ascent plus descent) fits the requested height: a
// cell height, unlike a pixel size, includes the internal leading.
int pixelSizeForCell(int cell) {
    for (int size = cell; size > 1; --size) {
        if (QFontMetrics(monospaced(size, false)).height() <= cell) return size;
    }
    return 1;
}

int spacesWidth(const QFontMetrics& metrics, int count) {
    return metrics.horizontalAdvance(QString(count, QLatin1Char(' ')));
}

int lastSlot(const InfoPanelData& data) {
    return std::clamp(data.lastslot, -1, InfoPanelData::kMaxSlots - 1);
}

// Text with its cell filled in the background colour, as an opaque canvas writes it.
void drawCellText(QPainter& painter, int x, int y, const QString& text, const QColor& ink,
                  const QColor& background) {
    const QFontMetrics metrics = painter.fontMetrics();
    painter.fillRect(x, y, metrics.horizontalAdvance(text), metrics.height(), background);
    painter.setPen(ink);
    painter.drawText(x, y + metrics.ascent(), text);
}

void drawToolTable(QPainter& painter, const InfoPanelData& data, const InfoPanelLayout& l) {
    for (int i = 0; i <= lastSlot(data); ++i) {
        const InfoPanelSlot& slot = data.feedslots[static_cast<size_t>(i)];
        const int x = (i % 2) * ((l.width - 4) / 2) + 2 + l.m;
        const int y = (i / 2) * l.L + 3;
        const QColor color = colorFromValue(slot.color);
        const QColor inverse = colorFromValue(~slot.color & 0xffffffu);
        drawCellText(painter, x, y, QStringLiteral("%1").arg(slot.tool, 2), color, kBlack);
        drawCellText(painter, x + l.c, y, QStringLiteral("%1").arg(slot.key, 5), inverse, color);
    }
}

void drawTextBlock(QPainter& painter, const InfoPanelData& data, const InfoPanelLayout& l) {
    const auto line = [&](int k, int extra, const std::string& text, const QColor& ink) {
        drawCellText(painter, l.x0, (l.rows + k) * l.L + extra, QString::fromStdString(text), ink,
                     kSilver);
    };
    if (data.mode == InfoPanelMode::StepWindow) {
        for (int k = 0; k < 8; ++k) {
            line(k, k < 4 ? 6 : 8, data.rangetexts[static_cast<size_t>(k)], kBlack);
        }
    } else {
        line(0, 6, data.timetext, kBlack);
        line(1, 6, data.zmaxtext, colorFromValue(data.zmaxcolor));
        line(2, 6, data.zmintext, colorFromValue(data.zmincolor));
    }
}

// Grey and white lines: a bevelled frame, and a groove under the table and between the nodes.
void drawBevels(QPainter& painter, const InfoPanelData& data, const InfoPanelLayout& l) {
    const int w = l.width;
    const int h = l.height;
    const int d = l.rows * l.L;
    const int groove = (l.rows + 4) * l.L;
    const bool stepwindow = data.mode == InfoPanelMode::StepWindow;
    if (l.rows > 0) {
        drawCanvasSegment(painter, {0, 0}, {w - 1, 0}, kGrey);
        drawCanvasSegment(painter, {0, 0}, {0, h - 1}, kGrey);
    } else {
        drawCanvasSegment(painter, {0, d + 4}, {0, h - 1}, kGrey);
    }
    drawCanvasSegment(painter, {0, d + 4}, {w - 1, d + 4}, kGrey);
    if (stepwindow) drawCanvasSegment(painter, {0, groove + 4}, {w - 1, groove + 4}, kGrey);

    drawCanvasSegment(painter, {w - 1, h - 1}, {w - 1, l.rows > 0 ? 0 : d + 3}, kWhite);
    drawCanvasSegment(painter, {w - 1, h - 1}, {0, h - 1}, kWhite);
    if (l.rows > 0) drawCanvasSegment(painter, {0, d + 3}, {w - 1, d + 3}, kWhite);
    if (stepwindow) drawCanvasSegment(painter, {0, groove + 3}, {w - 1, groove + 3}, kWhite);
}

}  // namespace

QFont infoPanelFont(const InfoPanelLayout& layout) {
    return monospaced(layout.pixelsize, true);
}

QFont infoPanelCellFont(int cell) {
    return monospaced(pixelSizeForCell(cell), true);
}

InfoPanelLayout layOutInfoPanel(const InfoPanelData& data, const InfoPanelRoom& room) {
    InfoPanelLayout l;
    const bool stepwindow = data.mode == InfoPanelMode::StepWindow;
    l.rows = (lastSlot(data) + 2) / 2;
    l.lines = (stepwindow ? 5 : 0) + 3 + l.rows;
    l.avail = room.clientheight - 2 - room.groupboxbottom;
    l.roomy = l.avail > l.lines * 19 + 8;
    // A window too short for even a one-pixel font still gets one; the panel then overflows
    // upward instead of asking for a zero or negative height.
    l.fontheight = l.roomy ? kRoomyCell : std::clamp((l.avail - 8) / l.lines, 1, kRoomyCell);
    l.pixelsize = pixelSizeForCell(l.fontheight);

    const QFontMetrics plain(monospaced(l.pixelsize, false));
    if (l.roomy) {
        l.width = kRoomyWidth;
        l.left = kRoomyLeft;
        l.L = plain.height() + 2;
    } else {
        l.width = spacesWidth(plain, 14) + 14;
        l.left = (room.panelwidth - l.width) / 2;
        l.L = plain.height();
    }
    const QFontMetrics bold(infoPanelFont(l));
    l.c = spacesWidth(bold, 2);
    l.height = stepwindow ? (l.rows + 8) * l.L + 8 : (l.rows + 3) * l.L + 6;
    l.top = room.clientheight - l.height - 2;
    l.m = (l.width - 2 * spacesWidth(bold, 7) - 4) / 4;
    l.x0 = (l.width - spacesWidth(bold, 14)) / 2;
    return l;
}

QImage paintInfoPanel(const InfoPanelData& data, const InfoPanelLayout& layout) {
    QImage image(std::max(layout.width, 1), std::max(layout.height, 1), QImage::Format_RGB32);
    image.fill(kSilver);
    QPainter painter(&image);
    painter.setFont(infoPanelFont(layout));
    drawToolTable(painter, data, layout);
    drawTextBlock(painter, data, layout);
    drawBevels(painter, data, layout);
    return image;
}
