#include "nc/ngc/ngcblockfeed.h"

#include "nc/vectorstate.h"

NgcBlockFeed::NgcBlockFeed(ByteSource& source, const WorkingCallback& working, bool ahead)
    : working_(working),
      ahead_(ahead),
      record_([this](const std::string&, double fraction) {
          filling_->progress.push_back(fraction);
      }),
      lines_(source, ahead ? record_ : working) {
    const int batches = ahead ? kAheadBatches : 1;
    for (int b = 0; b < batches; ++b) {
        pool_.push_back(std::make_unique<Batch>());
        free_.push_back(pool_.back().get());
    }
    if (ahead_) thread_ = std::thread([this] { readahead(); });
}

NgcBlockFeed::~NgcBlockFeed() {
    if (!thread_.joinable()) return;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    freechanged_.notify_all();
    thread_.join();
}

void NgcBlockFeed::fill(Batch& batch) {
    filling_ = &batch;
    batch.count = 0;
    batch.progress.clear();
    try {
        const char* begin = nullptr;
        const char* end = nullptr;
        while (batch.count < kBatchLines) {
            if (!lines_.next(begin, end)) {
                batch.last = true;
                return;
            }
            NgcLine& line = batch.lines[static_cast<size_t>(batch.count++)];
            line.line = lines_.line;
            line.cut = lines_.cut;
            line.kind = parser_.parse(begin, end, line.block);
            if (line.kind == NgcLineKind::Bad) line.message = parser_.message;
            if (line.kind == NgcLineKind::Computed) line.message.assign(begin, end);
        }
    } catch (...) {
        // Read errors (and running out of memory) reach the interpreter's thread in order.
        batch.error = std::current_exception();
        batch.last = true;
    }
}

void NgcBlockFeed::readahead() {
    for (;;) {
        Batch* batch = nullptr;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            freechanged_.wait(lock, [this] { return stopping_ || !free_.empty(); });
            if (stopping_) return;
            batch = free_.back();
            free_.pop_back();
        }
        fill(*batch);
        {
            std::lock_guard<std::mutex> lock(mutex_);
            filled_.push_back(batch);
        }
        filledchanged_.notify_one();
        if (batch->last) return;
    }
}

void NgcBlockFeed::takebatch() {
    if (!ahead_) {
        batch_ = free_.front();
        fill(*batch_);
    } else {
        if (batch_ != nullptr) {
            {
                std::lock_guard<std::mutex> lock(mutex_);
                free_.push_back(batch_);
            }
            freechanged_.notify_one();
        }
        std::unique_lock<std::mutex> lock(mutex_);
        filledchanged_.wait(lock, [this] { return !filled_.empty(); });
        batch_ = filled_.front();
        filled_.pop_front();
    }
    position_ = 0;
    if (working_) {
        for (const double fraction : batch_->progress) working_(NcReader::kLoadingCaption, fraction);
        if (!batch_->progress.empty()) clearwidevectorstate();  // toolkit code ran
    }
}

const NgcLine* NgcBlockFeed::finish() {
    if (batch_->error) {
        const std::exception_ptr error = batch_->error;
        batch_->error = nullptr;
        std::rethrow_exception(error);
    }
    return nullptr;
}
