#pragma once
// User input as the window system delivers it: keys and mouse buttons go through the
// toolkit's window-system entry (so modality, popups, grabs and focus apply as for a real
// user), wheel turns and drops to the widget under the pointer. Positions are in the
// coordinates of the top-level widget given.

#include <QPoint>
#include <QString>
#include <Qt>
#include <random>
#include <string>

class QWidget;

namespace monkey {

// The window that receives keys now: an open popup, else a modal dialog, else `main`.
QWidget* keytarget(QWidget& main);

void presskey(QWidget& top, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void press(QWidget& top, Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint at);
void moveto(QWidget& top, QPoint at);
void release(QWidget& top, Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint at);
void click(QWidget& top, Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint at);
void doubleclick(QWidget& top, Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint at);
// Turns the wheel by `notches` (120 units each, negative toward the user).
void wheel(QWidget& top, QPoint at, int notches, Qt::KeyboardModifiers modifiers);
// A file dragged in from a file manager and dropped at `at`.
void dropfile(QWidget& top, QPoint at, const QString& path);

// `at` kept inside the widget's rectangle.
QPoint inside(const QWidget& top, QPoint at);

// Runs the event loop for about ms milliseconds.
void runfor(int ms);

// A random point of the widget, and modifiers as a user holds them now and then.
QPoint anywhere(const QWidget& widget, std::mt19937_64& rng);
Qt::KeyboardModifiers somemodifiers(std::mt19937_64& rng);

// Names for the record of actions.
std::string describe(QPoint p);
std::string describe(const QString& text);
std::string describe(Qt::KeyboardModifiers modifiers);  // "Shift+Ctrl+", or empty
const char* describe(Qt::MouseButton button);
std::string keyname(Qt::Key key);

}  // namespace monkey
