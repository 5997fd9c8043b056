#pragma once
// The panel's own mouse events, which plain widgets do not report: a press on the panel's bare
// background (not on any control lying on it) and a left click on the logo picture.

#include <QObject>
#include <QPoint>
#include <functional>

class QWidget;

class PanelMouse : public QObject {
  public:
    PanelMouse(QWidget* panel, QWidget* logo);

    // Button and press position in panel coordinates.
    std::function<void(Qt::MouseButton, QPoint)> backgroundpressed;
    std::function<void()> logoclicked;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* panel_;
    QWidget* logo_;
};
