#include "render/logoreport.h"

#include <QFontMetrics>
#include <QPainter>

#include "render/infopanel.h"

QImage paintsilver(int width, int height, double ratio) {
    const QSize logical(std::max(width, 1), std::max(height, 1));
    QImage image(logical * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(QColor(192, 192, 192));
    return image;
}

QImage paintlogoreport(int width, int height, int shown, int steps, double ratio) {
    QImage image = paintsilver(width, height, ratio);
    const QSize logical = image.deviceIndependentSize().toSize();
    QPainter painter(&image);
    painter.setFont(infoPanelCellFont(17));
    painter.setPen(Qt::black);
    const QString text = QStringLiteral("GL: %1/%2").arg(shown).arg(steps);
    const QFontMetrics metrics = painter.fontMetrics();
    const int x = (logical.width() - metrics.horizontalAdvance(text)) / 2;
    painter.drawText(x, logical.height() - metrics.descent(), text);
    return image;
}
