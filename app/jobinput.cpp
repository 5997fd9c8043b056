#include "app/jobinput.h"

#include <QAbstractEventDispatcher>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>
#include <QWindow>

namespace {

constexpr auto kPollInterval = std::chrono::milliseconds(100);

bool isinput(QEvent::Type type) {
    switch (type) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TabletPress:
        case QEvent::TabletMove:
        case QEvent::TabletRelease:
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
            return true;
        default:
            return false;
    }
}

}  // namespace

JobInput::JobInput(QWidget& window) : window_(window) {
    QCoreApplication::instance()->installEventFilter(this);
}

JobInput::~JobInput() {
    QCoreApplication::instance()->removeEventFilter(this);
}

void JobInput::begin() {
    if (depth_++ == 0) {
        escape_ = false;
        lastpoll_ = std::chrono::steady_clock::now();
    }
}

void JobInput::end() {
    if (depth_ > 1) {
        --depth_;
        return;
    }
    if (close_) {
        // The program ends: nothing queued matters any more.
        depth_ = 0;
        close_ = false;
        window_.close();
        return;
    }
    // What arrived while the job ran is let through still under the filter, and so dropped.
    takeevents();
    depth_ = 0;
    escape_ = false;
    if (finished) finished();
    // A close request among the events just taken.
    if (close_) {
        close_ = false;
        window_.close();
    }
}

void JobInput::poll() {
    if (depth_ == 0) return;
    const auto now = std::chrono::steady_clock::now();
    if (now - lastpoll_ < kPollInterval) return;
    lastpoll_ = now;
    takeevents();
}

void JobInput::takeevents() {
    QCoreApplication::processEvents();
    // A job may run where the loop is about to wait (the idle handler); whatever the events
    // taken here asked of that loop (a quit, a timer's end) must not wait for the next event.
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance()) {
        dispatcher->wakeUp();
    }
}

bool JobInput::takeescape() {
    const bool pressed = escape_;
    escape_ = false;
    return pressed;
}

bool JobInput::towindow(QObject* watched) const {
    if (watched->isWidgetType()) return static_cast<QWidget*>(watched)->window() == &window_;
    return watched->isWindowType() && watched == window_.windowHandle();
}

bool JobInput::eventFilter(QObject* watched, QEvent* event) {
    if (depth_ == 0 || !towindow(watched)) return false;
    if (event->type() == QEvent::Close) {
        close_ = true;
        event->ignore();
        return true;
    }
    if (!isinput(event->type())) return false;
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        escape_ = true;
    }
    return true;
}
