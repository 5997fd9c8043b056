#include "app/panelextras.h"

#include <QEvent>

PanelExtras::PanelExtras(QWidget* panel, int top) : QWidget(panel), top_(top) {
    setObjectName(QStringLiteral("panelextras"));
    // Only the rows paint; the panel's silver shows between them.
    setAttribute(Qt::WA_NoSystemBackground);
    relayout();
}

void PanelExtras::setrow(Row row, QWidget* widget) {
    QWidget*& slot = rows_[static_cast<size_t>(row)];
    delete slot;
    slot = widget;
    if (widget) {
        widget->setParent(this);
        widget->installEventFilter(this);
        widget->show();
    }
    relayout();
}

void PanelExtras::relayout() {
    const int width = parentWidget()->width() - 4;
    int y = 0;
    for (QWidget* widget : rows_) {
        if (!widget || widget->isHidden()) continue;
        const int height = widget->sizeHint().height();
        widget->setGeometry(0, y, width, height);
        y += height + 1;
    }
    setGeometry(2, top_, width, y);
    setVisible(y > 0);
}

bool PanelExtras::event(QEvent* event) {
    if (event->type() == QEvent::LayoutRequest) relayout();
    return QWidget::event(event);
}

bool PanelExtras::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent) {
        relayout();
    }
    return QWidget::eventFilter(watched, event);
}
