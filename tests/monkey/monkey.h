#pragma once
// The monkey: random user actions on the real viewer window, drawn from one seed, in bursts
// with a check of the window after each. The main sequence depends on the seed alone; what
// happens while a job or a dialog holds the thread (Escape, input the job drops, answers to
// message boxes) comes from a second stream, so a replay takes the same main steps whatever
// the timing.

#include <QObject>
#include <QTimer>
#include <chrono>
#include <cstdint>
#include <random>
#include <string>

class QWidget;
class Tvorlixform;

namespace monkey {

class MonkeyFiles;

struct MonkeyLimits {
    int seconds = 60;      // how long the run lasts
    int burst = 40;        // actions between two checks
    int answerms = 20000;  // the window answers a check within this
    int jobseconds = 60;   // a job ends this long after Escape at the latest
};

class Monkey : public QObject {
  public:
    Monkey(Tvorlixform& window, const MonkeyFiles& files, uint64_t seed, MonkeyLimits limits);

    // Runs bursts until the time is up, then asks the window to close while it reads a
    // program; a fault ends the process through fail().
    void run();

  private:
    // One step of the main sequence.
    void act();
    void partskey();
    void otherkey();
    void pictureclick();
    void picturedrag();
    void wheelturn();
    void widgetclick();
    void widgetdrag();
    void openprogram();
    void resize();
    void speedmenu();
    void pane();
    void reading();
    void follow();
    void popupstep(QWidget& popup);
    void closeduringjob();

    // Inside whatever loop holds the thread: dialogs are answered, jobs get their input.
    void tick();
    void answer(QWidget& modal);
    void injob();
    void randominput(std::mt19937_64& rng, const char* when);

    // After a burst: the window settles, answers, and no gesture is left open.
    void check(int burst);

    QPoint picturepoint(std::mt19937_64& rng) const;
    QPoint anywhere(std::mt19937_64& rng) const;
    Qt::KeyboardModifiers modifiers(std::mt19937_64& rng) const;
    QWidget* randomwidget();
    void note(const std::string& text);
    int roll(int n) { return static_cast<int>(rng_() % static_cast<uint64_t>(n)); }

    Tvorlixform& window_;
    const MonkeyFiles& files_;
    MonkeyLimits limits_;
    std::mt19937_64 rng_;
    std::mt19937_64 side_;
    QTimer ticker_;
    bool ticking_ = false;
    bool injob_ = false;
    bool closing_ = false;  // the last step: the window is asked to close during a job
    bool closesent_ = false;
    std::chrono::steady_clock::time_point jobbegan_;
    int escapeafterms_ = 0;
    std::chrono::steady_clock::time_point lastescape_;
    std::chrono::steady_clock::time_point modalseen_;
    QWidget* lastmodal_ = nullptr;
};

}  // namespace monkey
