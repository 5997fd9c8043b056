#pragma once
// Mouse and key input of the main window turned into navigation: presses, moves and releases
// on the drawing surface and on the three panel drag buttons, and the twelve navigation keys,
// which the window sees before any of its controls (without taking them away from the
// control). A drag that loses the mouse (a dialog, another window, a broken pointer grab) ends
// as its release would, so no gesture is left half open.

#include <QObject>

class QEvent;
class QKeyEvent;
class QMouseEvent;
class QWidget;
class Tvorlixform;

class NavigationInput : public QObject {
    Q_OBJECT
  public:
    explicit NavigationInput(Tvorlixform& form);
    ~NavigationInput() override;

    bool eventFilter(QObject* watched, QEvent* event) override;

    // Ends any surface or panel drag under way as a release would.
    void enddrags();

  private:
    bool surfacemouse(QEvent* event);
    bool dragbuttonmouse(QWidget* button, QEvent* event);
    void formkey(QObject* receiver, const QKeyEvent& event);
    bool losesmouse(QObject* watched, const QEvent& event) const;
    void endsurfacedrag();
    void endpaneldrag();

    Tvorlixform& form_;
    bool shiftpick_ = false;  // a Shift+left press that may yet be a pick
};
