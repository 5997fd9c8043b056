#pragma once
// Measuring on the toolpath: M turns the mode on, two left clicks on the picture pick two
// points (each the node the pick names), and the distance between them shows beside the
// pointer as dX, dY, dZ and the straight distance; a third click starts again, Escape or M
// leaves. Outside the mode nothing of the mouse or the keys changes; inside it only the left
// button measures, and the other buttons still turn, pan and zoom.

#include <QObject>
#include <QPoint>
#include <QString>
#include <cstdint>

class QLabel;
class Tvorlixform;

class MeasureMode : public QObject {
    Q_OBJECT
  public:
    explicit MeasureMode(Tvorlixform& form);
    ~MeasureMode() override;
    MeasureMode(const MeasureMode&) = delete;
    MeasureMode& operator=(const MeasureMode&) = delete;

    bool active() const { return active_; }
    void setactive(bool on);
    // A left click at a point of the surface (logical pixels); false when no move was near.
    bool clickat(QPoint at);
    int32_t firstnode() const { return first_; }
    int32_t secondnode() const { return second_; }
    QString text() const;
    QLabel* label() const { return label_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    int32_t nodeat(QPoint at) const;
    void show(QPoint at);

    Tvorlixform& form_;
    QLabel* label_ = nullptr;
    bool active_ = false;
    int32_t first_ = -1;
    int32_t second_ = -1;
};
