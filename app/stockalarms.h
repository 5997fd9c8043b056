#pragma once
// The simulation's alarms (rapids into material, plunges past the flutes) in the window's notice
// list: each line once, and taken back out when another stock may leave those rapids in the clear.

#include <cstdint>
#include <set>
#include <vector>

#include "nc/readingnotice.h"

class Tvorlixform;
namespace sim {
struct SimulationAlarm;
}

class StockAlarms {
  public:
    explicit StockAlarms(Tvorlixform& form) : form_(form) {}

    void add(const std::vector<sim::SimulationAlarm>& alarms);
    // The stock changed: the alarms leave the notice list, to be found afresh.
    void withdraw();
    // A new reading starts its notice afresh: there is nothing to take back.
    void forget();

  private:
    Tvorlixform& form_;
    std::set<int32_t> lines_;                    // lines already in the notice list
    std::vector<ReadingNotice::Problem> added_;  // what withdraw takes back
};
