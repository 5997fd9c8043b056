#include "app/stockreadout.h"

#include <QLabel>

#include "app/vorlixmain.h"
#include "render/glimage.h"

StockReadout::StockReadout(Tvorlixform& form) : form_(form) {
    label_ = new QLabel(&form);
    label_->setObjectName(QStringLiteral("stockreadout"));
    label_->setFont(QFont(QStringLiteral("Courier New"), 8));
    label_->setStyleSheet(QStringLiteral("color: white; background: rgba(0, 0, 0, 160);"));
    label_->setAttribute(Qt::WA_TransparentForMouseEvents);
    label_->hide();
}

void StockReadout::show(const QString& text) {
    label_->setText(text);
    label_->setVisible(!text.isEmpty());
    place();
}

void StockReadout::place() {
    if (!label_->isVisible()) return;
    label_->adjustSize();
    const QRect surface = form_.wrkscreen->geometry();
    label_->move(surface.right() - label_->width() - 3, surface.top() + 3);
    label_->raise();
}
