#include "app/readingchoice.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>

ReadingChoice::ReadingChoice(bool ngc, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("readingchoice"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    auto* label = new QLabel(tr("读法"), this);
    box_ = new QComboBox(this);
    box_->setObjectName(QStringLiteral("readingbox"));
    box_->addItem(QStringLiteral("KORVEN"));
    box_->addItem(QStringLiteral("RS274/NGC"));
    box_->setToolTip(tr("程式的读法；改变后重新读入显示的程式"));
    box_->setFocusPolicy(Qt::NoFocus);  // the arrow keys belong to the view
    box_->setCurrentIndex(ngc ? 1 : 0);
    layout->addWidget(label);
    layout->addWidget(box_, 1);
    connect(box_, &QComboBox::activated, this, [this](int index) {
        if (changed) changed(index == 1);
    });
}

bool ReadingChoice::ngc() const {
    return box_->currentIndex() == 1;
}

void ReadingChoice::setngc(bool ngc) {
    box_->setCurrentIndex(ngc ? 1 : 0);
}
