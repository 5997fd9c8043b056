#include "tests/monkey/monkey.h"

#include <QAbstractSlider>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QWindow>
#include <QElapsedTimer>
#include <QKeySequence>
#include <array>
#include <cstdio>
#include <vector>

#include "app/vorlixmain.h"
#include "render/glimage.h"
#include "tests/monkey/monkeyfiles.h"
#include "tests/monkey/monkeyguard.h"
#include "tests/monkey/monkeyinput.h"

namespace monkey {
namespace {

std::string text(const QString& s) {
    return s.toStdString();
}

std::string point(QPoint p) {
    return "(" + std::to_string(p.x()) + "," + std::to_string(p.y()) + ")";
}

const char* buttonname(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton: return "left";
        case Qt::RightButton: return "right";
        case Qt::MiddleButton: return "middle";
        default: return "other";
    }
}

std::string modname(Qt::KeyboardModifiers m) {
    std::string s;
    if (m & Qt::ShiftModifier) s += "Shift+";
    if (m & Qt::ControlModifier) s += "Ctrl+";
    if (m & Qt::AltModifier) s += "Alt+";
    if (m & Qt::KeypadModifier) s += "Keypad+";
    return s;
}

std::string keyname(Qt::Key key) {
    return QKeySequence(key).toString().toStdString();
}

// Buttons that leave the run: Exit ends the program, Help starts the desktop's browser.
bool offlimits(const QWidget& w) {
    const QString name = w.objectName();
    return name == QLatin1String("SpeedButton4") || name == QLatin1String("SpeedButton6");
}

}  // namespace

Monkey::Monkey(Tvorlixform& window, const MonkeyFiles& files, uint64_t seed, MonkeyLimits limits)
    : window_(window), files_(files), limits_(limits), rng_(seed), side_(seed ^ 0x9E3779B97F4A7C15ULL) {
    connect(&ticker_, &QTimer::timeout, this, [this] { tick(); });
    ticker_.start(25);
}

void Monkey::note(const std::string& text) {
    record(text);
}

void Monkey::run() {
    QElapsedTimer clock;
    clock.start();
    check(0);
    for (int burst = 1; clock.elapsed() < int64_t{limits_.seconds} * 1000; ++burst) {
        for (int i = 0; i < limits_.burst && clock.elapsed() < int64_t{limits_.seconds} * 1000; ++i) {
            heartbeat();
            injob_ = false;  // what runs from here on belongs to this step
            if (QWidget* popup = QApplication::activePopupWidget()) {
                popupstep(*popup);
            } else {
                act();
            }
            QApplication::processEvents();
        }
        check(burst);
        if (burst % 10 == 0) {
            std::fprintf(stderr, "monkey: %lld actions, %lld s\n",
                         static_cast<long long>(actioncount()),
                         static_cast<long long>(clock.elapsed() / 1000));
        }
    }
    closeduringjob();
}

void Monkey::closeduringjob() {
    QString largest;
    qint64 size = -1;
    for (const QString& path : files_.programs()) {
        const qint64 n = QFileInfo(path).size();
        if (n > size) {
            size = n;
            largest = path;
        }
    }
    note("last: a close request while " + text(largest) + " is read");
    closing_ = true;
    window_.openfile(largest);
    if (!closesent_) {
        // Read before a close could be asked: asked now.
        QCloseEvent request;
        QCoreApplication::sendEvent(window_.windowHandle(), &request);
    }
    runfor(100);
    if (window_.isVisible()) fail("the window stays open after a close request");
}

void Monkey::act() {
    // Weights: the keys and gestures the user uses most come most often.
    struct Choice {
        int weight;
        void (Monkey::*step)();
    };
    static const std::array<Choice, 13> choices{{{20, &Monkey::partskey},
                                                 {8, &Monkey::otherkey},
                                                 {8, &Monkey::pictureclick},
                                                 {12, &Monkey::picturedrag},
                                                 {5, &Monkey::wheelturn},
                                                 {14, &Monkey::widgetclick},
                                                 {7, &Monkey::widgetdrag},
                                                 {6, &Monkey::openprogram},
                                                 {4, &Monkey::resize},
                                                 {3, &Monkey::speedmenu},
                                                 {4, &Monkey::pane},
                                                 {2, &Monkey::reading},
                                                 {3, &Monkey::follow}}};
    int total = 0;
    for (const Choice& c : choices) total += c.weight;
    int r = roll(total);
    for (const Choice& c : choices) {
        if (r < c.weight) {
            (this->*c.step)();
            return;
        }
        r -= c.weight;
    }
}

Qt::KeyboardModifiers Monkey::modifiers(std::mt19937_64& rng) const {
    switch (rng() % 10) {
        case 0: return Qt::ShiftModifier;
        case 1: return Qt::ControlModifier;
        case 2: return Qt::AltModifier;
        case 3: return Qt::ShiftModifier | Qt::ControlModifier;
        default: return Qt::NoModifier;
    }
}

QPoint Monkey::picturepoint(std::mt19937_64& rng) const {
    const QRect area(window_.wrkscreen->mapTo(&window_, QPoint(0, 0)), window_.wrkscreen->size());
    return QPoint(area.left() + static_cast<int>(rng() % static_cast<uint64_t>(std::max(1, area.width()))),
                  area.top() + static_cast<int>(rng() % static_cast<uint64_t>(std::max(1, area.height()))));
}

QPoint Monkey::anywhere(std::mt19937_64& rng) const {
    return QPoint(static_cast<int>(rng() % static_cast<uint64_t>(std::max(1, window_.width()))),
                  static_cast<int>(rng() % static_cast<uint64_t>(std::max(1, window_.height()))));
}

void Monkey::partskey() {
    static const std::array<std::pair<Qt::Key, bool>, 13> keys{{
        {Qt::Key_F1, false}, {Qt::Key_F2, false}, {Qt::Key_F3, false}, {Qt::Key_F4, false},
        {Qt::Key_Right, false}, {Qt::Key_Clear, true}, {Qt::Key_Left, false}, {Qt::Key_Up, false},
        {Qt::Key_Down, false}, {Qt::Key_PageUp, false}, {Qt::Key_Asterisk, true},
        {Qt::Key_Minus, true}, {Qt::Key_Plus, true}}};
    const auto& [key, keypad] = keys[static_cast<size_t>(roll(static_cast<int>(keys.size())))];
    Qt::KeyboardModifiers mods = keypad ? Qt::KeypadModifier : Qt::NoModifier;
    if (roll(6) == 0) mods |= modifiers(rng_);
    const int times = roll(4) == 0 ? 1 + roll(12) : 1;
    note("key " + modname(mods) + keyname(key) + " x" + std::to_string(times));
    for (int i = 0; i < times; ++i) presskey(*keytarget(window_), key, mods);
}

void Monkey::otherkey() {
    static const std::array<Qt::Key, 24> keys{
        Qt::Key_F5, Qt::Key_F6, Qt::Key_F7, Qt::Key_F8, Qt::Key_F9, Qt::Key_F10, Qt::Key_F11,
        Qt::Key_F12, Qt::Key_Escape, Qt::Key_Home, Qt::Key_End, Qt::Key_PageDown, Qt::Key_Tab,
        Qt::Key_Backtab, Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Delete,
        Qt::Key_Backspace, Qt::Key_G, Qt::Key_A, Qt::Key_5, Qt::Key_Menu, Qt::Key_Escape};
    const Qt::Key key = keys[static_cast<size_t>(roll(static_cast<int>(keys.size())))];
    const Qt::KeyboardModifiers mods = key == Qt::Key_G && roll(2) == 0 ? Qt::ControlModifier
                                                                        : modifiers(rng_);
    note("key " + modname(mods) + keyname(key));
    presskey(*keytarget(window_), key, mods);
}

void Monkey::pictureclick() {
    static const std::array<Qt::MouseButton, 4> buttons{Qt::LeftButton, Qt::LeftButton,
                                                        Qt::RightButton, Qt::MiddleButton};
    const Qt::MouseButton button = buttons[static_cast<size_t>(roll(4))];
    const Qt::KeyboardModifiers mods = modifiers(rng_);
    const QPoint at = picturepoint(rng_);
    const bool twice = roll(5) == 0;
    note(std::string(twice ? "double-click " : "click ") + modname(mods) + buttonname(button) +
         " on the picture at " + point(at));
    if (twice) {
        doubleclick(window_, button, mods, at);
    } else {
        click(window_, button, mods, at);
    }
}

void Monkey::picturedrag() {
    static const std::array<Qt::MouseButton, 4> buttons{Qt::LeftButton, Qt::LeftButton,
                                                        Qt::RightButton, Qt::MiddleButton};
    const Qt::MouseButton button = buttons[static_cast<size_t>(roll(4))];
    const Qt::KeyboardModifiers mods = modifiers(rng_);
    QPoint at = picturepoint(rng_);
    // Mostly short: each move of a drag costs a frame, and the time goes to more gestures.
    const int moves = 1 + (roll(6) == 0 ? roll(25) : roll(6));
    const bool second = roll(10) == 0;  // another button pressed while the first is held
    const bool slow = roll(8) == 0;     // held past the quick-click limits
    note("drag " + modname(mods) + buttonname(button) + " from " + point(at) + ", " +
         std::to_string(moves) + " moves" + (second ? ", a second button" : "") +
         (slow ? ", slowly" : ""));
    press(window_, button, mods, at);
    for (int i = 0; i < moves; ++i) {
        at += QPoint(roll(161) - 80, roll(161) - 80);
        at = inside(window_, at);
        moveto(window_, at);
        if (second && i == moves / 2) press(window_, Qt::RightButton, mods, at);
    }
    if (slow) runfor(250);
    if (second) release(window_, Qt::RightButton, mods, at);
    release(window_, button, mods, at);
    note("  released at " + point(at));
}

void Monkey::wheelturn() {
    const QPoint at = roll(3) == 0 ? anywhere(rng_) : picturepoint(rng_);
    const int notches = roll(2) == 0 ? roll(7) - 3 : (roll(2) == 0 ? 40 : -40);
    const Qt::KeyboardModifiers mods = modifiers(rng_);
    note("wheel " + modname(mods) + std::to_string(notches) + " at " + point(at));
    wheel(window_, at, notches, mods);
}

QWidget* Monkey::randomwidget() {
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

void Monkey::widgetclick() {
    QWidget* w = randomwidget();
    if (w == nullptr) return;
    static const std::array<Qt::MouseButton, 5> buttons{Qt::LeftButton, Qt::LeftButton,
                                                        Qt::LeftButton, Qt::RightButton,
                                                        Qt::MiddleButton};
    const Qt::MouseButton button = buttons[static_cast<size_t>(roll(5))];
    const Qt::KeyboardModifiers mods = roll(4) == 0 ? modifiers(rng_) : Qt::NoModifier;
    const QPoint local(roll(std::max(1, w->width())), roll(std::max(1, w->height())));
    const QPoint at = w->mapTo(&window_, local);
    // The widget under the point may be a child of w or a sibling over it; its owner's name says
    // enough to replay.
    QWidget* under = window_.childAt(at);
    if (under != nullptr && offlimits(*under)) return;
    note("click " + modname(mods) + buttonname(button) + " on " + w->metaObject()->className() +
         " '" + text(w->objectName()) + "' at " + point(at));
    click(window_, button, mods, at);
}

void Monkey::widgetdrag() {
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
    QPoint at = target->mapTo(&window_, QPoint(roll(std::max(1, target->width())),
                                               roll(std::max(1, target->height()))));
    const int moves = 1 + (roll(6) == 0 ? roll(20) : roll(5));
    note("drag " + std::string(buttonname(button)) + " on '" + text(target->objectName()) +
         "' from " + point(at) + ", " + std::to_string(moves) + " moves");
    press(window_, button, Qt::NoModifier, at);
    for (int i = 0; i < moves; ++i) {
        at = inside(window_, at + QPoint(roll(61) - 30, roll(61) - 30));
        moveto(window_, at);
    }
    release(window_, button, Qt::NoModifier, at);
}

void Monkey::openprogram() {
    const QString path = files_.pick(rng_);
    const int how = roll(10);
    if (window_.jobrunning()) {
        note("open skipped: a job runs");
        return;
    }
    if (how < 5) {
        note("openfile " + text(path));
        window_.openfile(path);
    } else if (how < 8) {
        note("openchecked " + text(path));
        window_.openchecked(path);
    } else {
        const QPoint at = anywhere(rng_);
        note("drop " + text(path) + " at " + point(at));
        dropfile(window_, at, path);
    }
}

void Monkey::resize() {
    static const std::array<QSize, 5> sizes{QSize(700, 453), QSize(800, 500), QSize(1024, 600),
                                            QSize(1280, 800), QSize(1280, 1024)};
    QSize size = sizes[static_cast<size_t>(roll(static_cast<int>(sizes.size())))];
    if (roll(3) == 0) size = QSize(700 + roll(581), 453 + roll(572));
    note("resize to " + std::to_string(size.width()) + "x" + std::to_string(size.height()));
    window_.resize(size);
    runfor(roll(60));
}

void Monkey::speedmenu() {
    // The speed menu opens on the panel's bare background only.
    QWidget* panel = window_.panel;
    for (int tries = 0; tries < 40; ++tries) {
        const QPoint local(roll(std::max(1, panel->width())), roll(std::max(1, panel->height())));
        if (panel->childAt(local) != nullptr) continue;
        const QPoint at = panel->mapTo(&window_, local);
        note("right click on the bare panel at " + point(at));
        click(window_, Qt::RightButton, Qt::NoModifier, at);
        // Half the time straight back to the default speed (the second item): a slowed drawing
        // would otherwise stay for most of the run and leave little time for anything else.
        QWidget* menu = QApplication::activePopupWidget();
        if (menu != nullptr && roll(2) == 0) {
            note("  the default speed: Down x2, Return");
            presskey(*menu, Qt::Key_Down);
            presskey(*menu, Qt::Key_Down);
            presskey(*menu, Qt::Key_Return);
        }
        return;
    }
}

void Monkey::pane() {
    auto* programpane = window_.findChild<QWidget*>(QStringLiteral("programpane"));
    if (programpane == nullptr || !programpane->isVisible() || roll(3) == 0) {
        note("key F6");
        presskey(*keytarget(window_), Qt::Key_F6);
        return;
    }
    const QPoint at = programpane->mapTo(&window_, QPoint(roll(std::max(1, programpane->width())),
                                                          roll(std::max(1, programpane->height()))));
    const Qt::KeyboardModifiers mods = roll(3) == 0 ? Qt::ShiftModifier : Qt::NoModifier;
    note("click " + modname(mods) + "into the program pane at " + point(at));
    click(window_, Qt::LeftButton, mods, at);
    static const std::array<Qt::Key, 9> keys{Qt::Key_Up, Qt::Key_Down, Qt::Key_PageUp,
                                             Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End,
                                             Qt::Key_Escape, Qt::Key_F1, Qt::Key_Right};
    for (int n = roll(4); n > 0; --n) {
        const Qt::Key key = keys[static_cast<size_t>(roll(static_cast<int>(keys.size())))];
        const Qt::KeyboardModifiers keymods = roll(4) == 0 ? Qt::ShiftModifier : Qt::NoModifier;
        note("  key " + modname(keymods) + keyname(key));
        presskey(*keytarget(window_), key, keymods);
    }
}

void Monkey::reading() {
    auto* box = window_.findChild<QComboBox*>(QStringLiteral("readingbox"));
    if (box == nullptr || !box->isVisible()) return;
    const QPoint at = box->mapTo(&window_, QPoint(box->width() / 2, box->height() / 2));
    note("click on the reading box at " + point(at));
    click(window_, Qt::LeftButton, Qt::NoModifier, at);
}

void Monkey::follow() {
    const int what = roll(4);
    if (what == 0 && !window_.jobrunning()) {
        note("openfile the followed program");
        window_.openfile(files_.followed());
    } else if (what == 1 && window_.followfilecheckbox != nullptr &&
               window_.followfilecheckbox->isVisible()) {
        const QPoint at = window_.followfilecheckbox->mapTo(&window_, QPoint(6, 6));
        note("click on the follow check box at " + point(at));
        click(window_, Qt::LeftButton, Qt::NoModifier, at);
    } else {
        note("the followed program becomes " + text(files_.changefollowed(rng_)));
        runfor(roll(300));
    }
}

void Monkey::popupstep(QWidget& popup) {
    const int what = roll(10);
    if (what < 5) {
        const int downs = roll(10);
        note("in the popup " + std::string(popup.metaObject()->className()) + ": Down x" +
             std::to_string(downs) + ", Return");
        for (int i = 0; i < downs; ++i) presskey(popup, Qt::Key_Down);
        presskey(popup, Qt::Key_Return);
    } else if (what < 7) {
        note("in the popup: Escape");
        presskey(popup, Qt::Key_Escape);
    } else if (what < 9) {
        const QPoint at(roll(std::max(1, popup.width())), roll(std::max(1, popup.height())));
        note("click in the popup at " + point(at));
        click(popup, Qt::LeftButton, Qt::NoModifier, at);
    } else {
        const QPoint at = anywhere(rng_);
        note("click beside the popup, on the window at " + point(at));
        click(window_, Qt::LeftButton, Qt::NoModifier, at);
    }
}

}  // namespace monkey
