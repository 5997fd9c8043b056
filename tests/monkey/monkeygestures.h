#pragma once
// The keys and pointer gestures of the main sequence: the keys the viewer defines and others,
// clicks, drags and wheel turns on the picture and on the panel's controls, and what a user
// does in an open popup. Every choice comes from the main random stream.

#include <QPoint>
#include <Qt>
#include <random>

class QWidget;
class Tvorlixform;

namespace monkey {

class MonkeyGestures {
  public:
    MonkeyGestures(Tvorlixform& window, std::mt19937_64& rng);

    // The navigation keys (F1-F4, arrows, Clear, Page Up, keypad * - +), now and then repeated.
    void viewkey();
    void otherkey();
    void pictureclick();
    void picturedrag();
    void wheelturn();
    void widgetclick();
    void widgetdrag();
    void popupstep(QWidget& popup);

    QPoint anywhere();

  private:
    QPoint picturepoint();
    Qt::KeyboardModifiers modifiers();
    QWidget* randomwidget();
    int roll(int n) { return static_cast<int>(rng_() % static_cast<uint64_t>(n)); }

    Tvorlixform& window_;
    std::mt19937_64& rng_;
};

}  // namespace monkey
