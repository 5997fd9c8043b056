#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "nc/bytesource.h"
#include "nc/ngc/ngcblock.h"
#include "nc/ngc/ngclinefeed.h"

// One line of the program as the interpreter takes it.
struct NgcLine {
    NgcBlock block;
    std::string message;  // on Bad: what is wrong; on Computed: the line's text
    int64_t line = 0;
    NgcLineKind kind = NgcLineKind::Block;
    bool cut = false;
};

// Hands the program's lines, split into words, to the interpreter in batches: for large files
// split on a thread of its own a few batches ahead, so that reading and number conversion
// overlap the interpretation; otherwise on the calling thread as batches are needed. Either
// way the calling thread sees the same lines, progress reports and read errors in order.
class NgcBlockFeed {
  public:
    static constexpr int kBatchLines = 2048;
    static constexpr int kAheadBatches = 6;

    NgcBlockFeed(ByteSource& source, const WorkingCallback& working, bool ahead);
    ~NgcBlockFeed();
    NgcBlockFeed(const NgcBlockFeed&) = delete;
    NgcBlockFeed& operator=(const NgcBlockFeed&) = delete;

    // The next line, nullptr after the last. A read error is thrown here once every line read
    // before it has been taken.
    const NgcLine* next() {
        while (batch_ == nullptr || position_ == batch_->count) {
            if (batch_ != nullptr && batch_->last) return finish();
            takebatch();
        }
        return &batch_->lines[static_cast<size_t>(position_++)];
    }

  private:
    struct Batch {
        std::vector<NgcLine> lines = std::vector<NgcLine>(kBatchLines);
        int count = 0;
        std::vector<double> progress;  // loading fractions reported while it was filled
        std::exception_ptr error;
        bool last = false;
    };

    void fill(Batch& batch);
    void takebatch();
    const NgcLine* finish();
    void readahead();

    const WorkingCallback& working_;
    const bool ahead_;
    std::vector<std::unique_ptr<Batch>> pool_;
    Batch* batch_ = nullptr;  // the batch being taken
    int position_ = 0;

    // The splitting thread's (the calling thread's when there is none).
    WorkingCallback record_;  // progress kept in the batch being filled
    Batch* filling_ = nullptr;
    NgcLineFeed lines_;
    NgcBlockParser parser_;

    std::mutex mutex_;
    std::condition_variable filledchanged_;
    std::condition_variable freechanged_;
    std::deque<Batch*> filled_;
    std::vector<Batch*> free_;
    bool stopping_ = false;
    std::thread thread_;
};
