#include "tests/monkey/monkeyguard.h"

#include <execinfo.h>
#include <pthread.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <thread>

#if defined(__SANITIZE_ADDRESS__)
#define MONKEY_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MONKEY_SANITIZED 1
#endif
#endif
#ifdef MONKEY_SANITIZED
#include <sanitizer/common_interface_defs.h>
#endif

namespace monkey {
namespace {

// Everything the failure paths read is fixed-size and written before they can run, so a
// report from a signal handler or the sanitizer's dying thread needs no allocation.
constexpr int kRing = 40;
constexpr int kLine = 200;
std::array<std::array<char, kLine>, kRing> ring{};
std::atomic<int64_t> actions{0};
uint64_t runseed = 0;
bool verboseactions = false;
pthread_t guithread;
std::atomic<int64_t> lastbeat{0};
std::atomic<bool> failing{false};
std::atomic<bool> watching{true};
int64_t startms = 0;

int64_t nowms() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void say(const char* text) {
    size_t left = std::strlen(text);
    while (left > 0) {
        const ssize_t n = write(STDERR_FILENO, text, left);
        if (n <= 0) return;
        text += n;
        left -= static_cast<size_t>(n);
    }
}

void printseedandactions(const char* why) {
    char line[kLine + 64];
    std::snprintf(line, sizeof line,
                  "\nmonkey: FAILED: %s\nmonkey: seed %llu, after %lld actions; "
                  "replay with --seed %llu\nmonkey: the last actions:\n",
                  why, static_cast<unsigned long long>(runseed),
                  static_cast<long long>(actions.load()), static_cast<unsigned long long>(runseed));
    say(line);
    const int64_t total = actions.load();
    for (int64_t i = total > kRing ? total - kRing : 0; i < total; ++i) {
        std::snprintf(line, sizeof line, "  %s\n", ring[static_cast<size_t>(i % kRing)].data());
        say(line);
    }
}

void printstack() {
#ifdef MONKEY_SANITIZED
    __sanitizer_print_stack_trace();
#else
    void* frames[64];
    backtrace_symbols_fd(frames, backtrace(frames, 64), STDERR_FILENO);
#endif
}

// The sanitizer has printed its report (with the stack) and is about to end the process.
void sanitizerdeath() {
    if (!failing.exchange(true)) printseedandactions("the sanitizers reported the error above");
}

void fatalsignal(int sig) {
    if (!failing.exchange(true)) {
        char why[64];
        std::snprintf(why, sizeof why, "signal %d (%s)", sig, strsignal(sig));
        printseedandactions(why);
        say("monkey: stack of the failing thread:\n");
        printstack();
    }
    std::signal(sig, SIG_DFL);
    raise(sig);
}

// Sent by the watchdog: the user-interface thread prints where it is stuck.
void stackrequest(int /*sig*/) {
    say("monkey: stack of the user-interface thread:\n");
    printstack();
    _exit(70);
}

void watchdog(int hangseconds) {
    for (;;) {
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        if (!watching.load()) return;
        const int64_t silent = nowms() - lastbeat.load();
        if (silent < int64_t{hangseconds} * 1000) continue;
        if (failing.exchange(true)) return;
        char why[96];
        std::snprintf(why, sizeof why, "the window has not answered for %lld s",
                      static_cast<long long>(silent / 1000));
        printseedandactions(why);
        pthread_kill(guithread, SIGUSR2);
        std::this_thread::sleep_for(std::chrono::seconds(5));
        _exit(70);
    }
}

}  // namespace

void guardrun(uint64_t seed, int hangseconds) {
    runseed = seed;
    startms = nowms();
    guithread = pthread_self();
    heartbeat();
#ifdef MONKEY_SANITIZED
    __sanitizer_set_death_callback(sanitizerdeath);
#else
    (void)sanitizerdeath;
#endif
    // The sanitizers take the faults they know; an abort (a failed assertion, a fatal toolkit
    // message) and what no sanitizer watches come here.
    std::signal(SIGABRT, fatalsignal);
#ifndef MONKEY_SANITIZED
    for (int sig : {SIGSEGV, SIGBUS, SIGFPE, SIGILL}) std::signal(sig, fatalsignal);
#endif
    std::signal(SIGUSR2, stackrequest);
    std::thread(watchdog, hangseconds).detach();
}

void heartbeat() {
    lastbeat.store(nowms());
}

void standdown() {
    watching.store(false);
}

void record(const std::string& action) {
    const int64_t n = actions.fetch_add(1);
    auto& slot = ring[static_cast<size_t>(n % kRing)];
    std::snprintf(slot.data(), slot.size(), "#%lld %.1fs %s", static_cast<long long>(n),
                  static_cast<double>(nowms() - startms) / 1000.0, action.c_str());
    if (verboseactions) {
        say(slot.data());
        say("\n");
    }
}

void setverbose(bool verbose) {
    verboseactions = verbose;
}

int64_t actioncount() {
    return actions.load();
}

void fail(const std::string& why) {
    if (!failing.exchange(true)) {
        printseedandactions(why.c_str());
        say("monkey: stack:\n");
        printstack();
    }
    _exit(1);
}

}  // namespace monkey
