#pragma once
// Line drawing with the classic canvas rule: a segment covers its first point and stops one
// pixel short of its second, so polylines never paint a corner twice and bevels meet exactly.
// The progress bar and the information panel draw their frames this way, pixel for pixel.

#include <QColor>
#include <QPainter>
#include <QPen>
#include <QPoint>
#include <QRect>
#include <algorithm>
#include <initializer_list>

// Segment from `from` up to, not including, `to`; a zero-length segment draws nothing.
// Horizontal and vertical segments are exact; the frames drawn here need no other kind, and a
// diagonal one falls back to the painter's own line.
inline void drawCanvasSegment(QPainter& painter, QPoint from, QPoint to, const QColor& color) {
    if (from == to) return;
    if (from.x() != to.x() && from.y() != to.y()) {
        painter.setPen(QPen(color, 0));
        painter.drawLine(from, to);
        return;
    }
    const QPoint step((to.x() > from.x()) - (to.x() < from.x()),
                      (to.y() > from.y()) - (to.y() < from.y()));
    const QPoint last = to - step;
    painter.fillRect(QRect(QPoint(std::min(from.x(), last.x()), std::min(from.y(), last.y())),
                           QPoint(std::max(from.x(), last.x()), std::max(from.y(), last.y()))),
                     color);
}

// A polyline of such segments; each one starts on the point where the previous one stopped
// short, and the polyline's final point is left out.
inline void drawCanvasPolyline(QPainter& painter, std::initializer_list<QPoint> points,
                               const QColor& color) {
    const QPoint* previous = nullptr;
    for (const QPoint& point : points) {
        if (previous) drawCanvasSegment(painter, *previous, point, color);
        previous = &point;
    }
}
