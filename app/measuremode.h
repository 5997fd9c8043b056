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
#include <functional>

class NcJob;
class Picker;
class QLabel;
class QWidget;
class Tglimage;
class ToolpathDrawer;
class ViewState;

class MeasureMode : public QObject {
    Q_OBJECT
  public:
    // What the mode works with; all of it belongs to the window and outlives the mode.
    struct Parts {
        QWidget* window;  // the keys it hands on, and the readout's parent
        Tglimage* wrkscreen;
        const NcJob& job;
        const ViewState& view;
        ToolpathDrawer* drawer;
        Picker& picker;  // the program link's, shared so the spheres are made once
        const bool& logoshown;
    };
    // jobrunning: a job holds the thread; the mode then takes no key and no click.
    MeasureMode(const Parts& parts, std::function<bool()> jobrunning);
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

    const Parts parts_;
    std::function<bool()> jobrunning_;
    QLabel* label_ = nullptr;
    bool active_ = false;
    int32_t first_ = -1;
    int32_t second_ = -1;
};
