#include "app/workingbar.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "render/canvaslines.h"

namespace {

const QColor kSilver(192, 192, 192);
const QColor kGrey(128, 128, 128);
const QColor kWhite(255, 255, 255);
const QColor kCaptionColor(0, 0, 0);

// Nearest integer, halves to the even neighbour (12.5 -> 12, 37.5 -> 38). Out-of-range and NaN
// progress values must not turn into undefined integer conversions, so the result is bounded.
int roundHalfEven(double value) {
    if (std::isnan(value)) return 0;
    const double bounded = std::clamp(value, -1.0e9, 1.0e9);
    return static_cast<int>(std::nearbyint(bounded));
}

}  // namespace

TWorkingBar::TWorkingBar(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(120, 24);
    QFont sized;  // only the size is set; family and style still come from the parent
    sized.setPointSize(14);
    setFont(sized);
}

void TWorkingBar::setProgress(float value) {
    progress_ = value;
    repaint();
}

void TWorkingBar::setText(const QString& value) {
    text_ = value;
    repaint();
}

QImage TWorkingBar::Paint() const {
    return render(size(), font(), logicalDpiY(), text_, progress_);
}

void TWorkingBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, Paint());
}

WorkingBarLayout TWorkingBar::layout(QSize size, const QFontMetrics& metrics, const QString& text,
                                     float progress) {
    const int width = size.width();
    const int height = size.height();
    WorkingBarLayout l;
    l.a = text.isEmpty() ? 3 : metrics.horizontalAdvance(text) + 8;
    l.b = width - 3;
    l.t = 3;
    l.u = height - 3;
    // Far-off fill positions paint the same visible pixels as the control's edges.
    const int fill = roundHalfEven(static_cast<double>(l.b - 1 - l.a) * progress);
    l.x = std::clamp(l.a + std::clamp(fill, -width - 2, width + 2), -1, width + 1);
    l.percent = QString::number(roundHalfEven(static_cast<double>(progress) * 100.0)) + "%";
    const int lineHeight = metrics.height();
    l.captionAt =
        QPoint((l.a + 1 - metrics.horizontalAdvance(text)) / 2, (height + 1 - lineHeight) / 2);
    l.percentAt = QPoint(l.a + (width - l.a + 1 - metrics.horizontalAdvance(l.percent)) / 2,
                         (height + 1 - lineHeight) / 2);
    return l;
}

QImage TWorkingBar::render(QSize size, const QFont& font, int dpi, const QString& text,
                           float progress) {
    QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    const int dotsPerMeter = static_cast<int>(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(kSilver);

    const QFontMetrics metrics(font, &image);
    const WorkingBarLayout l = layout(size, metrics, text, progress);
    const int right = size.width();
    const int bottom = size.height();

    QPainter painter(&image);
    // Outer highlight, then the done part's highlight and the groove's lower and right edges.
    drawCanvasPolyline(painter, {{right - 1, 0}, {0, 0}, {0, bottom - 1}}, kWhite);
    drawCanvasPolyline(painter, {{l.x, l.t}, {l.a, l.t}, {l.a, l.u - 1}}, kWhite);
    drawCanvasPolyline(painter, {{l.x, l.u - 1}, {l.b - 1, l.u - 1}, {l.b - 1, l.t}}, kWhite);
    // Outer shadow, then the done part's shadow running on into the groove's top edge.
    drawCanvasPolyline(painter, {{0, bottom - 1}, {right - 1, bottom - 1}, {right - 1, 0}}, kGrey);
    drawCanvasPolyline(painter, {{l.a, l.u - 1}, {l.x, l.u - 1}, {l.x, l.t}, {l.b - 1, l.t}},
                       kGrey);

    painter.setFont(font);
    painter.setPen(kCaptionColor);
    painter.drawText(l.captionAt + QPoint(0, metrics.ascent()), text);
    painter.drawText(l.percentAt + QPoint(0, metrics.ascent()), l.percent);
    return image;
}
