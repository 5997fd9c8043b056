#include "nc/fanuc/fanucblockfeed.h"

FanucBlockFeed::FanucBlockFeed(const FanucProgram& program) : program_(program) {
    for (int b = 0; b < kAheadBatches; ++b) {
        pool_.push_back(std::make_unique<Batch>());
        free_.push_back(pool_.back().get());
    }
    thread_ = std::thread([this] { readahead(); });
}

void FanucBlockFeed::stop() {
    stopped_ = true;
    if (!thread_.joinable()) return;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    freechanged_.notify_all();
    thread_.join();
}

void FanucBlockFeed::readahead() {
    FanucBlockParser parser;
    FanucPlace at;
    for (;;) {
        Batch* batch = nullptr;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            freechanged_.wait(lock, [this] { return stopping_ || !free_.empty(); });
            if (stopping_) return;
            batch = free_.back();
            free_.pop_back();
        }
        batch->count = 0;
        while (batch->count < kBatchLines && !program_.atend(at)) {
            Line& line = batch->lines[static_cast<size_t>(batch->count++)];
            const char *begin = nullptr, *end = nullptr;
            line.at = at;
            program_.line(at, begin, end, line.next);
            line.kind = parser.parse(begin, end, line.block);
            if (line.kind == FanucLineKind::Bad) line.message = parser.message;
            at = line.next;
        }
        batch->last = program_.atend(at);
        {
            std::lock_guard<std::mutex> lock(mutex_);
            filled_.push_back(batch);
        }
        filledchanged_.notify_one();
        if (batch->last) return;
    }
}

const FanucBlockFeed::Line* FanucBlockFeed::takeslow(const FanucPlace& at) {
    if (stopped_) return nullptr;
    while (batch_ == nullptr || position_ == batch_->count) {
        if (batch_ != nullptr) {
            if (batch_->last) {
                stop();
                return nullptr;
            }
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
        position_ = 0;
    }
    const Line& line = batch_->lines[static_cast<size_t>(position_)];
    if (line.at.offset != at.offset) {
        stop();
        return nullptr;
    }
    ++position_;
    return &line;
}
