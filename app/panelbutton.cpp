#include "app/panelbutton.h"

#include <QPainter>
#include <QStyleOptionToolButton>

PanelButton::PanelButton(QWidget* parent, const QString& name, const QString& caption,
                         const QColor& captioncolor)
    : QToolButton(parent), captioncolor_(captioncolor) {
    setObjectName(name);
    setText(caption);
    setFocusPolicy(Qt::NoFocus);
    setAutoRaise(false);
}

void PanelButton::setGlyph(const QImage& glyph) {
    glyph_ = glyph;
    repaint();
}

void PanelButton::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    QStyleOptionToolButton option;
    initStyleOption(&option);
    option.text.clear();
    option.icon = QIcon();
    style()->drawPrimitive(QStyle::PE_PanelButtonTool, &option, &painter, this);
    const int shift = isDown() ? 1 : 0;
    if (!glyph_.isNull()) {
        painter.drawImage((width() - glyph_.width()) / 2 + shift,
                          (height() - glyph_.height()) / 2 + shift, glyph_);
    }
    if (!text().isEmpty()) {
        painter.setFont(font());
        painter.setPen(isEnabled() ? captioncolor_
                                   : palette().color(QPalette::Disabled, QPalette::WindowText));
        painter.drawText(rect().translated(shift, shift), Qt::AlignCenter, text());
    }
}
