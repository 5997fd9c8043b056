#pragma once
// The monkey: random user actions on the real viewer window, drawn from one seed, in bursts
// with a check of the window after each. The main sequence depends on the seed alone (what
// happens while something holds the thread is MonkeyWatch's), so a replay takes the same main
// steps whatever the timing.

#include <QObject>
#include <cstdint>
#include <random>
#include <string>

#include "tests/monkey/monkeygestures.h"
#include "tests/monkey/monkeywatch.h"

class Tvorlixform;

namespace monkey {

class MonkeyFiles;

struct MonkeyLimits {
    int seconds = 60;      // how long the run lasts
    int burst = 40;        // actions between two checks
    int answerms = 20000;  // the window answers a check within this
    int jobseconds = 60;   // a job ends this long after Escape at the latest
};

class Monkey {
  public:
    Monkey(Tvorlixform& window, const MonkeyFiles& files, uint64_t seed, MonkeyLimits limits);

    // Runs bursts until the time is up, then asks the window to close while it reads a
    // program; a fault ends the process through fail().
    void run();

  private:
    // One step of the main sequence.
    void act();
    void openprogram();
    void resize();
    void speedmenu();
    void pane();
    void reading();
    void follow();
    void closeduringjob();
    // After a burst: the window settles, answers, keeps a drawable view and its buttons
    // enabled, and no gesture is left open.
    void check(int burst);

    int roll(int n) { return static_cast<int>(rng_() % static_cast<uint64_t>(n)); }

    Tvorlixform& window_;
    const MonkeyFiles& files_;
    MonkeyLimits limits_;
    std::mt19937_64 rng_;
    MonkeyGestures gestures_{window_, rng_};
    MonkeyWatch watch_;
};

}  // namespace monkey
