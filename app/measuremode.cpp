#include "app/measuremode.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <cmath>

#include "nc/ncjob.h"
#include "render/glimage.h"
#include "render/toolpathdrawer.h"
#include "view/fittedview.h"
#include "view/pick.h"
#include "view/viewstate.h"

MeasureMode::MeasureMode(const Parts& parts, std::function<bool()> jobrunning)
    : parts_(parts), jobrunning_(std::move(jobrunning)) {
    label_ = new QLabel(parts_.window);
    label_->setObjectName(QStringLiteral("measurereadout"));
    label_->setFont(QFont(QStringLiteral("Courier New"), 8));
    label_->setStyleSheet(QStringLiteral("color: black; background: rgb(255, 255, 200);"));
    label_->setAttribute(Qt::WA_TransparentForMouseEvents);
    label_->hide();
    qApp->installEventFilter(this);
}

MeasureMode::~MeasureMode() {
    qApp->removeEventFilter(this);
}

void MeasureMode::setactive(bool on) {
    active_ = on;
    first_ = second_ = -1;
    if (on) {
        parts_.wrkscreen->setCursor(Qt::CrossCursor);
        label_->setText(tr("Measure: click two points (Esc leaves)"));
        show(QPoint(8, 8));
    } else {
        parts_.wrkscreen->unsetCursor();
        label_->hide();
    }
}

int32_t MeasureMode::nodeat(QPoint at) const {
    int32_t first = 0;
    int32_t last = -1;
    parts_.drawer->drawnrange(first, last);
    if (parts_.logoshown || last <= first) return -1;
    parts_.picker.update(parts_.job.nodes);
    const QPoint device = parts_.wrkscreen->devicepixel(at);
    const PickHit hit = parts_.picker.pick(
        parts_.job.nodes, first, last,
        pickviewof(parts_.view, parts_.wrkscreen->pixelwidth(), parts_.wrkscreen->pixelheight()),
        device.x() + 0.5, device.y() + 0.5);
    return hit.node;
}

bool MeasureMode::clickat(QPoint at) {
    const int32_t node = nodeat(at);
    if (node < 0) return false;
    if (first_ < 0 || second_ >= 0) {
        first_ = node;
        second_ = -1;
    } else {
        second_ = node;
    }
    label_->setText(text());
    show(at);
    return true;
}

QString MeasureMode::text() const {
    const NodeStore& nodes = parts_.job.nodes;
    if (first_ < 0 || first_ > nodes.lastnode()) return {};
    const Tnodedata& a = nodes.node(first_);
    if (second_ < 0 || second_ > nodes.lastnode()) {
        return tr("From line %1: X %2 Y %3 Z %4")
            .arg(a.line)
            .arg(a.x, 0, 'f', 3)
            .arg(a.y, 0, 'f', 3)
            .arg(a.z, 0, 'f', 3);
    }
    const Tnodedata& b = nodes.node(second_);
    const double dx = b.x - a.x, dy = b.y - a.y, dz = b.z - a.z;
    return QStringLiteral("ΔX %1\nΔY %2\nΔZ %3\n%4 %5")
        .arg(dx, 0, 'f', 3)
        .arg(dy, 0, 'f', 3)
        .arg(dz, 0, 'f', 3)
        .arg(tr("Distance"))
        .arg(std::sqrt(dx * dx + dy * dy + dz * dz), 0, 'f', 3);
}

void MeasureMode::show(QPoint at) {
    label_->adjustSize();
    QPoint place = parts_.wrkscreen->mapTo(parts_.window, at) + QPoint(14, 14);
    // Kept inside the picture, turned to the pointer's other side near an edge.
    const QRect surface = parts_.wrkscreen->geometry();
    if (place.x() + label_->width() > surface.right()) place.rx() -= label_->width() + 28;
    if (place.y() + label_->height() > surface.bottom()) place.ry() -= label_->height() + 28;
    label_->move(place);
    label_->show();
    label_->raise();
}

bool MeasureMode::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyPress && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        const QWidget* focus = parts_.window->focusWidget();
        // Taken once, where the window hands its keys, and never during a job.
        if (widget->window() != parts_.window ||
            widget != (focus != nullptr ? focus : parts_.window) || jobrunning_()) {
            return false;
        }
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        if (plain && key->key() == Qt::Key_M) {
            setactive(!active_);
            return true;
        }
        if (active_ && key->key() == Qt::Key_Escape) {
            setactive(false);
            return true;
        }
        return false;
    }
    if (!active_ || watched != parts_.wrkscreen) return false;
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
        type != QEvent::MouseButtonDblClick) {
        return false;
    }
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::LeftButton) return false;
    if (type == QEvent::MouseButtonPress && !jobrunning_()) {
        clickat(mouse->position().toPoint());
    }
    return true;
}
