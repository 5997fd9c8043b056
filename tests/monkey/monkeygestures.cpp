#include "tests/monkey/monkeygestures.h"

#include <QAbstractSlider>
#include <QApplication>
#include <QKeySequence>
#include <array>
#include <vector>

#include "app/vorlixmain.h"
#include "render/glimage.h"
#include "tests/monkey/monkeyguard.h"
#include "tests/monkey/monkeyinput.h"

namespace monkey {
namespace {

// Buttons that leave the run: Exit ends the program, Help starts the desktop's browser.
bool offlimits(const QWidget& w) {
    const QString name = w.objectName();
    return name == QLatin1String("SpeedButton4") || name == QLatin1String("SpeedButton6");
}

}  // namespace

MonkeyGestures::MonkeyGestures(Tvorlixform& window, std::mt19937_64& rng)
    : window_(window), rng_(rng) {}

Qt::KeyboardModifiers MonkeyGestures::modifiers() {
    return somemodifiers(rng_);
}

QPoint MonkeyGestures::picturepoint() {
    const QPoint corner = window_.wrkscreen->mapTo(&window_, QPoint(0, 0));
    return corner + monkey::anywhere(*window_.wrkscreen, rng_);
}

QPoint MonkeyGestures::anywhere() {
    return monkey::anywhere(window_, rng_);
}

void MonkeyGestures::viewkey() {
    static const std::array<std::pair<Qt::Key, bool>, 13> keys{{{Qt::Key_F1, false},
                                                                {Qt::Key_F2, false},
                                                                {Qt::Key_F3, false},
                                                                {Qt::Key_F4, false},
                                                                {Qt::Key_Right, false},
                                                                {Qt::Key_Clear, true},
                                                                {Qt::Key_Left, false},
                                                                {Qt::Key_Up, false},
                                                                {Qt::Key_Down, false},
                                                                {Qt::Key_PageUp, false},
                                                                {Qt::Key_Asterisk, true},
                                                                {Qt::Key_Minus, true},
                                                                {Qt::Key_Plus, true}}};
    const auto& [key, keypad] = keys[static_cast<size_t>(roll(static_cast<int>(keys.size())))];
    Qt::KeyboardModifiers mods = keypad ? Qt::KeypadModifier : Qt::NoModifier;
    if (roll(6) == 0) mods |= modifiers();
    const int times = roll(4) == 0 ? 1 + roll(12) : 1;
    record("key " + describe(mods) + keyname(key) + " x" + std::to_string(times));
    for (int i = 0; i < times; ++i) presskey(*keytarget(window_), key, mods);
}

void MonkeyGestures::otherkey() {
    static const std::array<Qt::Key, 24> keys{
        Qt::Key_F5,     Qt::Key_F6,       Qt::Key_F7,     Qt::Key_F8,        Qt::Key_F9,
        Qt::Key_F10,    Qt::Key_F11,      Qt::Key_F12,    Qt::Key_Escape,    Qt::Key_Home,
        Qt::Key_End,    Qt::Key_PageDown, Qt::Key_Tab,    Qt::Key_Backtab,   Qt::Key_Space,
        Qt::Key_Return, Qt::Key_Enter,    Qt::Key_Delete, Qt::Key_Backspace, Qt::Key_G,
        Qt::Key_A,      Qt::Key_5,        Qt::Key_Menu,   Qt::Key_Escape};
    const Qt::Key key = keys[static_cast<size_t>(roll(static_cast<int>(keys.size())))];
    const Qt::KeyboardModifiers mods =
        key == Qt::Key_G && roll(2) == 0 ? Qt::ControlModifier : modifiers();
    record("key " + describe(mods) + keyname(key));
    presskey(*keytarget(window_), key, mods);
}

void MonkeyGestures::pictureclick() {
    static const std::array<Qt::MouseButton, 4> buttons{Qt::LeftButton, Qt::LeftButton,
                                                        Qt::RightButton, Qt::MiddleButton};
    const Qt::MouseButton button = buttons[static_cast<size_t>(roll(4))];
    const Qt::KeyboardModifiers mods = modifiers();
    const QPoint at = picturepoint();
    const bool twice = roll(5) == 0;
    record(std::string(twice ? "double-click " : "click ") + describe(mods) + describe(button) +
           " on the picture at " + describe(at));
    if (twice) {
        doubleclick(window_, button, mods, at);
    } else {
        click(window_, button, mods, at);
    }
}

void MonkeyGestures::picturedrag() {
    static const std::array<Qt::MouseButton, 4> buttons{Qt::LeftButton, Qt::LeftButton,
                                                        Qt::RightButton, Qt::MiddleButton};
    const Qt::MouseButton button = buttons[static_cast<size_t>(roll(4))];
    const Qt::KeyboardModifiers mods = modifiers();
    QPoint at = picturepoint();
    // Mostly short: each move of a drag costs a frame, and the time goes to more gestures.
    const int moves = 1 + (roll(6) == 0 ? roll(25) : roll(6));
    const bool second = roll(10) == 0;  // another button pressed while the first is held
    // A button already held cannot be pressed again.
    const Qt::MouseButton other = button == Qt::RightButton ? Qt::MiddleButton : Qt::RightButton;
    const bool slow = roll(8) == 0;  // held past the quick-click limits
    record("drag " + describe(mods) + describe(button) + " from " + describe(at) + ", " +
           std::to_string(moves) + " moves" + (second ? ", a second button" : "") +
           (slow ? ", slowly" : ""));
    press(window_, button, mods, at);
    for (int i = 0; i < moves; ++i) {
        at += QPoint(roll(161) - 80, roll(161) - 80);
        at = inside(window_, at);
        moveto(window_, at);
        if (second && i == moves / 2) press(window_, other, mods, at);
    }
    if (slow) runfor(250);
    if (second) release(window_, other, mods, at);
    release(window_, button, mods, at);
    record("  released at " + describe(at));
}

void MonkeyGestures::wheelturn() {
    const QPoint at = roll(3) == 0 ? anywhere() : picturepoint();
    const int notches = roll(2) == 0 ? roll(7) - 3 : (roll(2) == 0 ? 40 : -40);
    const Qt::KeyboardModifiers mods = modifiers();
    record("wheel " + describe(mods) + std::to_string(notches) + " at " + describe(at));
    wheel(window_, at, notches, mods);
}

QWidget* MonkeyGestures::randomwidget() {
    std::vector<QWidget*> candidates;
    for (QWidget* w : window_.findChildren<QWidget*>()) {
        if (w->isVisible() && w->isWindow() == false && !offlimits(*w) && w != window_.wrkscreen &&
            w->width() > 0 && w->height() > 0) {
            candidates.push_back(w);
        }
    }
    if (candidates.empty()) return nullptr;
    return candidates[static_cast<size_t>(roll(static_cast<int>(candidates.size())))];
}

void MonkeyGestures::widgetclick() {
    QWidget* w = randomwidget();
    if (w == nullptr) return;
    static const std::array<Qt::MouseButton, 5> buttons{
        Qt::LeftButton, Qt::LeftButton, Qt::LeftButton, Qt::RightButton, Qt::MiddleButton};
    const Qt::MouseButton button = buttons[static_cast<size_t>(roll(5))];
    const Qt::KeyboardModifiers mods = roll(4) == 0 ? modifiers() : Qt::NoModifier;
    const QPoint local(roll(std::max(1, w->width())), roll(std::max(1, w->height())));
    const QPoint at = w->mapTo(&window_, local);
    // The widget under the point may be a child of w or a sibling over it; its owner's name says
    // enough to replay.
    QWidget* under = window_.childAt(at);
    if (under != nullptr && offlimits(*under)) return;
    record("click " + describe(mods) + describe(button) + " on " + w->metaObject()->className() +
           " '" + describe(w->objectName()) + "' at " + describe(at));
    click(window_, button, mods, at);
}

void MonkeyGestures::widgetdrag() {
    QWidget* target = nullptr;
    const int pick = roll(4);
    if (pick < 3) {
        static const char* const names[] = {"SpeedButton2", "SpeedButton3", "SpeedButton9"};
        target = window_.findChild<QWidget*>(QString::fromLatin1(names[pick]));
    }
    if (target == nullptr || !target->isVisible()) {
        std::vector<QWidget*> sliders;
        for (auto* s : window_.findChildren<QAbstractSlider*>()) {
            if (s->isVisible()) sliders.push_back(s);
        }
        if (sliders.empty()) return;
        target = sliders[static_cast<size_t>(roll(static_cast<int>(sliders.size())))];
    }
    const Qt::MouseButton button = roll(5) == 0 ? Qt::RightButton : Qt::LeftButton;
    QPoint at = target->mapTo(
        &window_, QPoint(roll(std::max(1, target->width())), roll(std::max(1, target->height()))));
    const int moves = 1 + (roll(6) == 0 ? roll(20) : roll(5));
    record("drag " + std::string(describe(button)) + " on '" + describe(target->objectName()) +
           "' from " + describe(at) + ", " + std::to_string(moves) + " moves");
    press(window_, button, Qt::NoModifier, at);
    for (int i = 0; i < moves; ++i) {
        at = inside(window_, at + QPoint(roll(61) - 30, roll(61) - 30));
        moveto(window_, at);
    }
    release(window_, button, Qt::NoModifier, at);
}

void MonkeyGestures::popupstep(QWidget& popup) {
    const int what = roll(10);
    if (what < 5) {
        const int downs = roll(10);
        record("in the popup " + std::string(popup.metaObject()->className()) + ": Down x" +
               std::to_string(downs) + ", Return");
        for (int i = 0; i < downs; ++i) presskey(popup, Qt::Key_Down);
        presskey(popup, Qt::Key_Return);
    } else if (what < 7) {
        record("in the popup: Escape");
        presskey(popup, Qt::Key_Escape);
    } else if (what < 9) {
        const QPoint at(roll(std::max(1, popup.width())), roll(std::max(1, popup.height())));
        record("click in the popup at " + describe(at));
        click(popup, Qt::LeftButton, Qt::NoModifier, at);
    } else {
        const QPoint at = anywhere();
        record("click beside the popup, on the window at " + describe(at));
        click(window_, Qt::LeftButton, Qt::NoModifier, at);
    }
}

}  // namespace monkey
