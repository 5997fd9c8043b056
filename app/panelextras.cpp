#include "app/panelextras.h"

#include <QActionGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <algorithm>

#include "app/readingnoticerow.h"

namespace {

// Lines the check boxes up with the design's stock-block box (x 8 in the panel).
int indentof(PanelExtras::Row row) {
    return row == PanelExtras::ProgramPane ? 6 : 0;
}

// Room kept between the last row and the information panel.
constexpr int kGap = 2;

}  // namespace

PanelExtras::PanelExtras(QWidget* panel, int top) : QWidget(panel), top_(top) {
    setObjectName(QStringLiteral("panelextras"));
    // Only the rows paint; the panel's silver shows between them.
    setAttribute(Qt::WA_NoSystemBackground);
    panel->installEventFilter(this);
    relayout();
}

void PanelExtras::setrow(Row row, QWidget* widget) {
    const auto i = static_cast<size_t>(row);
    delete holders_[i];  // and the row's earlier widget with it
    holders_[i] = nullptr;
    rows_[i] = widget;
    if (widget) {
        holders_[i] = new QWidget(this);
        // A row that grows or shrinks asks its parent, the holder, to lay out again.
        holders_[i]->installEventFilter(this);
        widget->setParent(holders_[i]);
        widget->installEventFilter(this);
        widget->show();
    }
    relayout();
}

bool PanelExtras::folded(Row row) const {
    return folded_[static_cast<size_t>(row)];
}

int PanelExtras::bottom() const {
    const QWidget* panel = parentWidget();
    const bool painted = infopanel_ != nullptr && !infopanel_->isHidden() &&
                         !infopanel_->pixmap().isNull();
    return painted ? infopanel_->y() - kGap : panel->height();
}

void PanelExtras::relayout() {
    const int width = parentWidget()->width() - 4;
    const int room = bottom() - top_;
    int y = 0;
    bool full = false;
    for (size_t i = 0; i < rows_.size(); ++i) {
        QWidget* widget = rows_[i];
        folded_[i] = false;
        if (!widget) continue;
        const bool wanted = !widget->isHidden();
        const int height = widget->sizeHint().height();
        // Later rows fold with an earlier one, so that none moves up into another's place.
        full = full || (wanted && y + height > room);
        folded_[i] = wanted && full;
        holders_[i]->setVisible(wanted && !full);
        if (!wanted || full) continue;
        const int indent = indentof(static_cast<Row>(i));
        holders_[i]->setGeometry(0, y, width, height);
        widget->setGeometry(indent, 0, width - indent, height);
        y += height + 1;
    }
    setGeometry(2, top_, width, y);
    setVisible(y > 0);
}

void PanelExtras::keepclearof(QLabel* infopanel) {
    infopanel_ = infopanel;
    infopanel->installEventFilter(this);
    relayout();
}

void PanelExtras::offerfolded(QMenu* menu) {
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { addfoldedentries(menu); });
}

void PanelExtras::addfoldedentries(QMenu* menu) {
    for (QObject* entry : offered_) delete entry;
    offered_.clear();
    relayout();
    for (size_t i = 0; i < rows_.size(); ++i) {
        QWidget* widget = rows_[i];
        if (!folded_[i]) continue;
        if (offered_.empty()) offered_.push_back(menu->addSeparator());
        // A check box: the same switch.
        auto* box = qobject_cast<QCheckBox*>(widget);
        if (!box) box = widget->findChild<QCheckBox*>();
        if (box) {
            QAction* action = menu->addAction(box->text());
            action->setCheckable(true);
            action->setChecked(box->isChecked());
            action->setToolTip(box->toolTip());
            connect(action, &QAction::toggled, box, &QCheckBox::setChecked);
            offered_.push_back(action);
            continue;
        }
        // A choice: a submenu of its items, named by the row's caption.
        if (auto* choice = widget->findChild<QComboBox*>()) {
            const auto* caption = widget->findChild<QLabel*>();
            auto* sub = new QMenu(caption ? caption->text() : QString(), menu);
            auto* group = new QActionGroup(sub);
            for (int item = 0; item < choice->count(); ++item) {
                QAction* action = sub->addAction(choice->itemText(item));
                action->setCheckable(true);
                action->setChecked(item == choice->currentIndex());
                group->addAction(action);
                connect(action, &QAction::triggered, choice, [choice, item] {
                    if (item == choice->currentIndex()) return;
                    choice->setCurrentIndex(item);
                    // As if picked in the box: its owner listens to the user's picks only.
                    emit choice->activated(item);
                });
            }
            menu->addMenu(sub);
            offered_.push_back(sub);
            continue;
        }
        // The notice: its short line, opening the whole list.
        if (auto* notice = qobject_cast<ReadingNoticeRow*>(widget)) {
            QAction* action = menu->addAction(notice->summary().value(0));
            connect(action, &QAction::triggered, notice,
                    [notice] { notice->openlist(QCursor::pos()); });
            offered_.push_back(action);
        }
    }
}

bool PanelExtras::event(QEvent* event) {
    if (event->type() == QEvent::LayoutRequest) relayout();
    return QWidget::event(event);
}

bool PanelExtras::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    const bool shown = type == QEvent::ShowToParent || type == QEvent::HideToParent;
    const bool moved = type == QEvent::Move || type == QEvent::Resize;
    const bool holder = std::find(holders_.begin(), holders_.end(), watched) != holders_.end();
    if (watched == parentWidget() ? type == QEvent::Resize
        : watched == infopanel_   ? moved || shown
        : holder                  ? type == QEvent::LayoutRequest
                                  : shown) {
        relayout();
    }
    return QWidget::eventFilter(watched, event);
}
