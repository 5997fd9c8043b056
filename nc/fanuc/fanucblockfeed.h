#pragma once
// Lines of the held program split into words on a thread of its own, a few batches ahead,
// while the reading runs straight down the text: reading and number conversion then overlap
// the interpretation, as in the other readings. A call or a jump leaves the feed's path; the
// feed then stops and the reading splits its lines itself from there on.

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "nc/fanuc/fanucblock.h"
#include "nc/fanuc/fanucprogram.h"

class FanucBlockFeed {
  public:
    struct Line {
        FanucPlace at, next;
        FanucLineKind kind = FanucLineKind::Block;
        FanucBlock block;
        std::string message;  // on Bad
    };

    static constexpr int kBatchLines = 2048;
    static constexpr int kAheadBatches = 6;

    explicit FanucBlockFeed(const FanucProgram& program);
    ~FanucBlockFeed() { stop(); }
    FanucBlockFeed(const FanucBlockFeed&) = delete;
    FanucBlockFeed& operator=(const FanucBlockFeed&) = delete;

    // The line at `at` when it is the next one the feed holds; nullptr (and the feed stops)
    // when the reading went elsewhere or the text ended.
    const Line* take(const FanucPlace& at) {
        // The next line of the batch in hand, inline: the reading asks once a line.
        if (batch_ != nullptr && !stopped_ && position_ < batch_->count &&
            batch_->lines[static_cast<size_t>(position_)].at.offset == at.offset) {
            return &batch_->lines[static_cast<size_t>(position_++)];
        }
        return takeslow(at);
    }
    void stop();

  private:
    struct Batch {
        std::vector<Line> lines = std::vector<Line>(kBatchLines);
        int count = 0;
        bool last = false;
    };

    const Line* takeslow(const FanucPlace& at);
    void readahead();

    const FanucProgram& program_;
    std::vector<std::unique_ptr<Batch>> pool_;
    Batch* batch_ = nullptr;
    int position_ = 0;
    bool stopped_ = false;

    std::mutex mutex_;
    std::condition_variable filledchanged_, freechanged_;
    std::deque<Batch*> filled_;
    std::vector<Batch*> free_;
    bool stopping_ = false;
    std::thread thread_;
};
