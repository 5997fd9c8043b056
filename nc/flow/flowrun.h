#pragma once
// What a computing reading needs to run a program that jumps: a bounded stack of calls over
// the lines it keeps, and a count of how often each line ran that stops a loop without end.

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "nc/flow/flowvalue.h"

// One call in progress: where it returns to, and what it must give back on return.
struct FlowFrame {
    int32_t script = 0;     // the reading's id of the lines being run
    int64_t position = 0;   // the index of the next line in them
    int64_t callline = 0;   // the line of the call, for problems on the way back
    bool call = false;      // a call (a return ends it), not a stretch of lines run in place
    std::vector<FlowValue> saved;                          // parameters the call overwrote
    std::vector<std::pair<int32_t, FlowValue>> locals;     // named locals of this call
    std::vector<std::pair<int64_t, int64_t>> repeats;      // open repeat loops: line, passes left
};

class FlowStack {
  public:
    static constexpr int kMaxDepth = 1000;

    // False (and nothing pushed) when the calls are already kMaxDepth deep: a subprogram
    // that calls itself without end comes here instead of exhausting memory.
    bool push(FlowFrame frame) {
        if (frames_.size() >= kMaxDepth) return false;
        frames_.push_back(std::move(frame));
        return true;
    }
    void pop() { frames_.pop_back(); }
    bool empty() const { return frames_.empty(); }
    size_t depth() const { return frames_.size(); }
    FlowFrame& top() { return frames_.back(); }
    FlowFrame& at(size_t i) { return frames_[i]; }
    void clear() { frames_.clear(); }

  private:
    std::vector<FlowFrame> frames_;
};

// Counts the runs of kept lines. A line that ran `limit` times is taken for a loop that does
// not end. Every kPollSteps runs `poll` is called (a long loop reads no new text, so
// nothing else reports progress), then `cancel`, when given and set, stops the run at once
// (Escape in the viewer).
class FlowSteps {
  public:
    // Well above the passes of any loop a program means to make (a loop of one move drawing
    // the largest programs' eleven million moves included), low enough to stop one without
    // end within seconds.
    static constexpr int64_t kDefaultLimit = 20'000'000;
    static constexpr int64_t kPollSteps = 1 << 16;

    explicit FlowSteps(int64_t limit = kDefaultLimit, const bool* cancel = nullptr,
                       std::function<void()> poll = nullptr)
        : limit_(limit), cancel_(cancel), poll_(std::move(poll)) {}

    // One more run of a line whose count is `runs`. False when the run must stop; `message`
    // then says why ("stopped: line 12 ran 20000000 times", or empty when cancelled).
    bool step(int64_t& runs, int64_t line) {
        ++total_;
        if (++runs >= limit_ || (total_ & (kPollSteps - 1)) == 0) return checkpoint(runs, line);
        return true;
    }
    int64_t total() const { return total_; }
    void setlimit(int64_t limit) { limit_ = limit; }

    std::string message;

  private:
    bool checkpoint(int64_t runs, int64_t line);

    int64_t limit_;
    const bool* cancel_;
    std::function<void()> poll_;
    int64_t total_ = 0;
};
