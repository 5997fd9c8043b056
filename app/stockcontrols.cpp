#include "app/stockcontrols.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QSignalBlocker>

#include "app/stockreadout.h"
#include "app/stockview.h"
#include "app/vorlixmain.h"
#include "render/glimage.h"

StockControls::StockControls(Tvorlixform& form, StockView& view, StockReadout& readout)
    : form_(form), view_(view), readout_(readout) {
    // The texts keep the stock view's translations.
    form_.speedmenu->addSeparator();
    solid_ = form_.speedmenu->addAction(QCoreApplication::translate("StockView", "Solid view") +
                                        QStringLiteral("\tS"));
    solid_->setObjectName(QStringLiteral("solidview"));
    solid_->setCheckable(true);
    connect(solid_, &QAction::toggled, this, [this](bool on) { view_.setactive(on); });
    toolpath_ = form_.speedmenu->addAction(
        QCoreApplication::translate("StockView", "Toolpath over the solid"));
    toolpath_->setObjectName(QStringLiteral("solidtoolpath"));
    toolpath_->setCheckable(true);
    connect(toolpath_, &QAction::toggled, this, [this] {
        if (view_.active() && !form_.jobrunning()) form_.renderframe();
    });
    stock_ =
        form_.speedmenu->addAction(QCoreApplication::translate("StockView", "Simulation stock…"));
    stock_->setObjectName(QStringLiteral("simulationstock"));
    connect(stock_, &QAction::triggered, this, [this] { view_.choosestock(); });
    qApp->installEventFilter(this);
}

StockControls::~StockControls() {
    qApp->removeEventFilter(this);
}

void StockControls::showactive(bool on) {
    const QSignalBlocker quiet(solid_);
    solid_->setChecked(on);
}

bool StockControls::toolpathover() const {
    return toolpath_->isChecked();
}

bool StockControls::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched == form_.wrkscreen && (type == QEvent::Resize || type == QEvent::Move)) {
        readout_.place();
    }
    if (type != QEvent::KeyPress || !watched->isWidgetType()) return false;
    auto* widget = static_cast<QWidget*>(watched);
    const QWidget* focus = form_.focusWidget();
    // Taken once, where the window hands its keys, and never during a job.
    if (widget->window() != &form_ || widget != (focus != nullptr ? focus : &form_) ||
        form_.jobrunning()) {
        return false;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && key->key() == Qt::Key_S) {
        view_.setactive(!view_.active());
        return true;
    }
    if (view_.simulating() && key->key() == Qt::Key_Escape) {
        // Stopped, the picture goes back to the toolpath, which was never touched.
        view_.setactive(false);
        return true;
    }
    return false;
}
