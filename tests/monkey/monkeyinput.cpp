#include "tests/monkey/monkeyinput.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QEventLoop>
#include <QKeySequence>
#include <QMimeData>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace monkey {

QWidget* keytarget(QWidget& main) {
    if (QWidget* popup = QApplication::activePopupWidget()) return popup;
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    return &main;
}

namespace {

QWindow* handle(QWidget& top) {
    QWidget* window = top.window();
    if (window->windowHandle() == nullptr) window->winId();
    return window->windowHandle();
}

}  // namespace

QPoint inside(const QWidget& top, QPoint at) {
    return QPoint(std::clamp(at.x(), 0, std::max(0, top.width() - 1)),
                  std::clamp(at.y(), 0, std::max(0, top.height() - 1)));
}

void presskey(QWidget& top, Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(handle(top), key, modifiers);
}

void press(QWidget& top, Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint at) {
    QTest::mousePress(handle(top), button, modifiers, inside(top, at));
}

void moveto(QWidget& top, QPoint at) {
    QTest::mouseMove(handle(top), inside(top, at));
}

void release(QWidget& top, Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint at) {
    QTest::mouseRelease(handle(top), button, modifiers, inside(top, at));
}

void click(QWidget& top, Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint at) {
    QTest::mouseClick(handle(top), button, modifiers, inside(top, at));
}

void doubleclick(QWidget& top, Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint at) {
    QTest::mouseDClick(handle(top), button, modifiers, inside(top, at));
}

void wheel(QWidget& top, QPoint at, int notches, Qt::KeyboardModifiers modifiers) {
    at = inside(top, at);
    QWidget* target = top.childAt(at);
    if (target == nullptr) target = &top;
    const QPointF local = target->mapFrom(&top, at);
    QWheelEvent event(local, top.mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                      modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &event);
    QApplication::processEvents();
}

void dropfile(QWidget& top, QPoint at, const QString& path) {
    at = inside(top, at);
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&top, &enter);
    QDragMoveEvent move(at, Qt::CopyAction, &mime, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&top, &move);
    QDropEvent drop(QPointF(at), Qt::CopyAction, &mime, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&top, &drop);
    QApplication::processEvents();
}

void runfor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

QPoint anywhere(const QWidget& widget, std::mt19937_64& rng) {
    return QPoint(static_cast<int>(rng() % static_cast<uint64_t>(std::max(1, widget.width()))),
                  static_cast<int>(rng() % static_cast<uint64_t>(std::max(1, widget.height()))));
}

Qt::KeyboardModifiers somemodifiers(std::mt19937_64& rng) {
    switch (rng() % 10) {
        case 0:
            return Qt::ShiftModifier;
        case 1:
            return Qt::ControlModifier;
        case 2:
            return Qt::AltModifier;
        case 3:
            return Qt::ShiftModifier | Qt::ControlModifier;
        default:
            return Qt::NoModifier;
    }
}

std::string describe(QPoint p) {
    return "(" + std::to_string(p.x()) + "," + std::to_string(p.y()) + ")";
}

std::string describe(const QString& text) {
    return text.toStdString();
}

std::string describe(Qt::KeyboardModifiers modifiers) {
    std::string s;
    if (modifiers & Qt::ShiftModifier) s += "Shift+";
    if (modifiers & Qt::ControlModifier) s += "Ctrl+";
    if (modifiers & Qt::AltModifier) s += "Alt+";
    if (modifiers & Qt::KeypadModifier) s += "Keypad+";
    return s;
}

const char* describe(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return "left";
        case Qt::RightButton:
            return "right";
        case Qt::MiddleButton:
            return "middle";
        default:
            return "other";
    }
}

std::string keyname(Qt::Key key) {
    return QKeySequence(key).toString().toStdString();
}

}  // namespace monkey
