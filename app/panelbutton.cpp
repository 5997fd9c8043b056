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

void PanelButton::setGlyph(const QImage& glyph, bool now) {
    if (glyph == glyph_) return;
    glyph_ = glyph;
    now ? repaint() : update();
}

void PanelButton::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    QStyleOptionToolButton option;
    initStyleOption(&option);
    option.text.clear();
    option.icon = QIcon();
    style()->drawPrimitive(QStyle::PE_PanelButtonTool, &option, &painter, this);
    const int shift = isDown() ? 1 : 0;
    // With a caption the glyph moves up as far as the button lets it stay whole, and the
    // caption sits along the foot of the button over the glyph's lowest rows.
    const bool captioned = !text().isEmpty();
    if (!glyph_.isNull()) {
        const int top = captioned ? 0 : (height() - glyph_.height()) / 2;
        painter.drawImage((width() - glyph_.width()) / 2 + shift, top + shift, glyph_);
    }
    if (captioned) {
        painter.setFont(font());
        painter.setPen(isEnabled() ? captioncolor_
                                   : palette().color(QPalette::Disabled, QPalette::WindowText));
        const int align = glyph_.isNull() ? Qt::AlignCenter : Qt::AlignHCenter | Qt::AlignBottom;
        painter.drawText(rect().adjusted(0, 0, 0, -1).translated(shift, shift), align, text());
    }
}
