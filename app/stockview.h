#pragma once
// What the program leaves of the stock, in the picture: S or the right-click menu turns the
// solid view on and off (the toolpath view stays the default). The simulation runs on worker
// threads up to the last node the picture shows (all of them, or the end of the step window)
// while the window stays usable, with a readout of its progress in the picture's corner; Escape
// stops it and goes back to the toolpath. A slowed drawing cuts the stock node by node as it
// draws. Rapids into material and plunges past the flutes join the notice list. The stock box
// and the quality are chosen in a dialog from the same menu; a change simulates again.

#include <QObject>
#include <QString>
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "nc/readingnotice.h"
#include "render/solidview.h"
#include "sim/stockgrid.h"
#include "view/geometry.h"

class QAction;
class QLabel;
class Tvorlixform;
namespace sim {
class StockSimulation;
struct SimulationAlarm;
}  // namespace sim

class StockView : public QObject {
    Q_OBJECT
  public:
    // settingsfile: where the quality is kept between runs; empty keeps it for this run only.
    StockView(Tvorlixform& form, const QString& settingsfile);
    ~StockView() override;
    StockView(const StockView&) = delete;
    StockView& operator=(const StockView&) = delete;

    // Before the node store changes: the worker stops, the stock goes.
    void jobstarting();
    // After a job that read its file: the stock may be simulated.
    void jobfinished();

    bool active() const { return active_; }
    void setactive(bool on);
    // Inside the frame in place of the toolpath; false when there is no stock to draw yet
    // (the toolpath is drawn then).
    bool drawframe();
    // A drag frame that may not cost a whole frame: the stock alone, when there is one.
    bool drawdrag();

    // The box a fit frames: the toolpath's, and the stock's too while it is shown.
    WorldBox fitted(const WorldBox& toolpath) const;

    bool simulating() const { return running_; }
    // Waits for the worker and takes what it found, as the event loop would (tests).
    void waitforsimulation();
    const sim::StockSimulation* simulation() const { return running_ ? nullptr : sim_.get(); }
    QString text() const;
    QLabel* label() const { return label_; }
    QAction* solidaction() const { return solid_; }
    QAction* toolpathaction() const { return toolpath_; }
    QAction* stockaction() const { return stock_; }

    // The stock box and quality the simulation uses; a new one simulates the shown program again
    // (its alarms are found afresh). The dialog has refused a stock the simulation would refuse.
    const sim::StockRequest& request() const { return request_; }
    void setrequest(const sim::StockRequest& request);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Outcome;
    void buildmenu();
    void choosestock();
    int32_t wantednode(bool& slowed) const;
    void follow();
    std::string programpath() const;
    void startworker(int32_t target);
    void stopworker();
    void take(uint64_t generation, const std::shared_ptr<Outcome>& outcome);
    void addalarms(const std::vector<sim::SimulationAlarm>& alarms);
    // The slowed drawing reached node: the stock is cut to it and drawn again under the lines.
    void slowedto(int32_t node);
    void refresh();
    void place();

    Tvorlixform& form_;
    QLabel* label_ = nullptr;
    QAction* solid_ = nullptr;
    QAction* toolpath_ = nullptr;
    QAction* stock_ = nullptr;
    QString settingsfile_;
    sim::StockRequest request_;
    std::optional<sim::StockBox> automatic_;  // the shown job's, once worked out
    bool active_ = false;
    bool jobdone_ = false;
    SolidView solidview_;
    std::shared_ptr<const SolidGrid> grid_;
    std::unique_ptr<sim::StockSimulation> sim_;  // the worker's while it runs
    std::string problem_;                        // why there is no stock
    std::set<int32_t> alarmlines_;               // lines already in the notice list
    std::vector<ReadingNotice::Problem> alarmsadded_;  // taken back when the stock changes
    std::thread worker_;
    std::atomic<bool> cancel_{false};
    std::atomic<int32_t> done_{0};
    std::atomic<int32_t> target_{0};
    bool running_ = false;
    int32_t runningto_ = -1;
    int32_t reachedfor_ = -1;  // the node the last finished run was asked for
    uint64_t generation_ = 0;
};
