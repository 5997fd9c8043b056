#pragma once
// The monkey while something holds the thread: a job, a slowed drawing, a dialog or a menu
// that runs its own loop. A timer answers dialogs and menus, gives a job the input a user
// gives meanwhile (all of it dropped by the window), presses Escape when the user would lose
// patience, and fails the run when a job outlasts Escape. Its choices come from a second
// random stream, so the main sequence replays whatever the timing.

#include <QObject>
#include <QTimer>
#include <chrono>
#include <cstdint>
#include <random>

class QWidget;
class Tvorlixform;

namespace monkey {

class MonkeyFiles;

class MonkeyWatch : public QObject {
  public:
    MonkeyWatch(Tvorlixform& window, const MonkeyFiles& files, uint64_t seed, int jobseconds);

    // A new step of the main sequence: what runs from now on belongs to it.
    void newstep() { injob_ = false; }
    // From now on the first job seen gets a close request.
    void closeinnextjob() { closing_ = true; }
    bool closesent() const { return closesent_; }

  private:
    void tick();
    void answer(QWidget& modal);
    void injob();
    void randominput(const char* when);

    Tvorlixform& window_;
    const MonkeyFiles& files_;
    int jobseconds_;
    std::mt19937_64 rng_;
    QTimer ticker_;
    bool ticking_ = false;
    bool injob_ = false;
    bool closing_ = false;
    bool closesent_ = false;
    std::chrono::steady_clock::time_point jobbegan_;
    int escapeafterms_ = 0;
    std::chrono::steady_clock::time_point lastescape_;
    std::chrono::steady_clock::time_point modalseen_;
    QWidget* lastmodal_ = nullptr;
};

}  // namespace monkey
