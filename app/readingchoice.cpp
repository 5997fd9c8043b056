#include "app/readingchoice.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>

namespace {

// The box's entries in this order; the enum's order is not the box's business.
constexpr NcDialect kEntries[] = {NcDialect::Korven, NcDialect::Ngc, NcDialect::Fanuc};

int entryof(NcDialect dialect) {
    for (int i = 0; i < 3; ++i) {
        if (kEntries[i] == dialect) return i;
    }
    return 0;
}

}  // namespace

ReadingChoice::ReadingChoice(NcDialect dialect, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("readingchoice"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    auto* label = new QLabel(tr("读法"), this);
    box_ = new QComboBox(this);
    box_->setObjectName(QStringLiteral("readingbox"));
    box_->addItem(QStringLiteral("KORVEN"));
    box_->addItem(QStringLiteral("RS274/NGC"));
    box_->addItem(tr("Fanuc family"));
    box_->setToolTip(tr("程式的读法；改变后重新读入显示的程式"));
    box_->setFocusPolicy(Qt::NoFocus);  // the arrow keys belong to the view
    box_->setCurrentIndex(entryof(dialect));
    layout->addWidget(label);
    layout->addWidget(box_, 1);
    connect(box_, &QComboBox::activated, this, [this](int index) {
        if (changed && index >= 0 && index < 3) changed(kEntries[index]);
    });
}

NcDialect ReadingChoice::dialect() const {
    const int index = box_->currentIndex();
    return index >= 0 && index < 3 ? kEntries[index] : NcDialect::Korven;
}

void ReadingChoice::setdialect(NcDialect dialect) {
    box_->setCurrentIndex(entryof(dialect));
}
