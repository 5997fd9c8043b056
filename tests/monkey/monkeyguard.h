#pragma once
// What the monkey leaves behind when the viewer fails under it: the seed that replays the run
// and the last actions, printed on a sanitizer report, a crash, an abort or a hang. A watchdog
// thread notices a user-interface thread that stops answering and prints its stack.

#include <cstdint>
#include <string>

namespace monkey {

// Installs the failure hooks (sanitizer death callback, fatal signals) and starts the watchdog,
// which fails the run when heartbeat() has not been called for hangseconds.
void guardrun(uint64_t seed, int hangseconds);

// The user-interface thread is alive and answering.
void heartbeat();
// The run is over: what follows (the window's teardown, the leak check) is not watched.
void standdown();

// One action, kept in a ring of the last ones; with verbose it is printed at once too.
void record(const std::string& action);
void setverbose(bool verbose);
int64_t actioncount();

// Prints why the run failed, the seed, the last actions and the current stack, then ends the
// process with a failing status.
[[noreturn]] void fail(const std::string& why);

}  // namespace monkey
