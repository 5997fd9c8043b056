#include "app/panelmouse.h"

#include <QMouseEvent>
#include <QWidget>

PanelMouse::PanelMouse(QWidget* panel, QWidget* logo) : QObject(panel), panel_(panel), logo_(logo) {
    panel_->installEventFilter(this);
    logo_->installEventFilter(this);
}

bool PanelMouse::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease) return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint at = mouse->position().toPoint();
    if (watched == logo_) {
        // A click is a left release over the picture; a press dragged off it is no click.
        if (type == QEvent::MouseButtonRelease && mouse->button() == Qt::LeftButton &&
            logo_->rect().contains(at) && logoclicked) {
            logoclicked();
        }
        return false;
    }
    // Labels, the logo and buttons pressed with a button they ignore pass the press on to the
    // panel; only a press where no visible control lies belongs to the panel itself.
    if (watched == panel_ && type == QEvent::MouseButtonPress && panel_->childAt(at) == nullptr &&
        backgroundpressed) {
        backgroundpressed(mouse->button(), at);
    }
    return false;
}
