#pragma once
// What a chosen machine makes of the shown program: after every job a worker plans its time
// (the picture and the window stay usable meanwhile; the readout says "planning…"), checks the
// travel and finds the extents of every move. The readout sits in the picture's bottom-right
// corner, beside the information panel's time; broken limits join the notice list, each entry
// going to its line. The profile is chosen from the panel's right-click menu.

#include <QObject>
#include <QString>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "nc/linenodes.h"
#include "nc/readingnotice.h"
#include "plan/machineprofile.h"
#include "render/framerender.h"

class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QWidget;
class NcJob;
class ReadingNoticeRow;
class Tglimage;

class PlanReadout : public QObject {
    Q_OBJECT
  public:
    // What the readout works with; all of it belongs to the window and outlives the readout.
    struct Parts {
        QWidget* window;
        Tglimage* wrkscreen;
        QMenu* speedmenu;  // the profile menu goes in here
        NcJob& job;
        ReadingNoticeRow* noticerow;
    };
    // render draws the picture again (the travel box was switched).
    PlanReadout(const Parts& parts, std::function<void()> render);
    ~PlanReadout() override;
    PlanReadout(const PlanReadout&) = delete;
    PlanReadout& operator=(const PlanReadout&) = delete;

    // Before the node store changes: the worker stops and the old figures go.
    void jobstarting();
    // After a job that read its file: plan it.
    void jobfinished();
    // The pane's selection (as nodes), whose planned time the readout adds.
    void showselection(NodeSpan nodes);

    // Uses the profile file; false (and a message box unless quiet) when it is unsound.
    bool chooseprofile(const QString& path, bool quiet = false);
    void clearprofile();
    bool hasprofile() const { return hasprofile_; }
    // Waits for the worker (tests).
    void waitforplan();
    bool planning() const { return running_; }
    QString text() const;
    // The machine's travel in the program's coordinates, when a profile is chosen and the
    // travel box asked for.
    bool travelbox(FrameBox& box) const;
    QLabel* label() const { return label_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Result;
    void buildmenu(QMenu* speedmenu);
    void startworker();
    void stopworker();
    void take(uint64_t generation, std::shared_ptr<Result> result);
    void refresh();
    void place();

    const Parts parts_;
    std::function<void()> render_;
    QLabel* label_ = nullptr;
    QMenu* menu_ = nullptr;
    QActionGroup* group_ = nullptr;
    QAction* none_ = nullptr;
    QAction* visible_ = nullptr;
    QAction* travel_ = nullptr;
    MachineProfile profile_;
    bool hasprofile_ = false;
    bool jobdone_ = false;
    bool running_ = false;
    // The broken limits this readout put in the job's notice: taken back when a new plan comes,
    // leaving what the reading and the other readouts put there.
    std::vector<ReadingNotice::Problem> added_;
    NodeSpan selection_;
    std::shared_ptr<Result> result_;
    std::thread worker_;
    std::atomic<bool> cancel_{false};
    uint64_t generation_ = 0;
};
