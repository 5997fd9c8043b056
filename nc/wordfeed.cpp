#include "nc/wordfeed.h"

#include <system_error>

#include "nc/vectorstate.h"

WordFeed::WordFeed(ByteSource& source, const WorkingCallback& working, int32_t& arcmode, bool ahead)
    : working_(working),
      arcmode_(arcmode),
      record_(
          [this](const std::string&, double fraction) { filling_->progress.push_back(fraction); }),
      reader_(source, record_, directive_) {
    if (ahead) {
        for (int b = 0; b < kAheadBatches; ++b)
            pool_.push_back(std::make_unique<Batch>(kAheadWords));
        for (const auto& batch : pool_) free_.push_back(batch.get());
        try {
            thread_ = std::thread([this] { readahead(); });
            return;
        } catch (const std::system_error&) {
            free_.clear();  // no thread to be had: the words are split in place
        }
    }
    pool_.resize(1);
    if (!pool_.front()) pool_.front() = std::make_unique<Batch>(kInPlaceWords);
}

WordFeed::~WordFeed() {
    if (!thread_.joinable()) return;
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        stopping_.store(true, std::memory_order_relaxed);
    }
    freechanged_.notify_all();
    thread_.join();
}

void WordFeed::fill(Batch& batch) {
    batch.count = 0;
    batch.progress.clear();
    batch.error = nullptr;
    batch.last = false;
    filling_ = &batch;
    reader_.tally = ReaderTally();
    try {
        do {
            directive_ = -1;
            reader_.readword();
            batch.words[static_cast<size_t>(batch.count++)] = {reader_.value, reader_.line,
                                                               reader_.letter, reader_.current,
                                                               static_cast<int8_t>(directive_)};
            if (reader_.current == NcReader::kEndOfText) {
                batch.last = true;
                break;
            }
        } while (batch.count < batch.capacity && !stopping_.load(std::memory_order_relaxed));
    } catch (...) {
        // Handed over after the words read before it, so the caller acts on exactly those.
        batch.error = std::current_exception();
        batch.last = true;
    }
    batch.tally = reader_.tally;
}

void WordFeed::readahead() {
    for (;;) {
        Batch* batch = takefree();
        if (batch == nullptr) return;
        fill(*batch);
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            filled_.push_back(batch);
        }
        filledchanged_.notify_one();
        if (batch->last) return;
    }
}

WordFeed::Batch* WordFeed::takefree() {
    std::unique_lock<std::mutex> lock(mutex_);
    freechanged_.wait(lock, [this] { return !free_.empty() || stopping_.load(); });
    if (stopping_.load()) return nullptr;
    Batch* batch = free_.back();
    free_.pop_back();
    return batch;
}

void WordFeed::takebatch() {
    if (batch_ != nullptr && batch_->error) std::rethrow_exception(batch_->error);
    if (batch_ != nullptr && batch_->last) {
        // Asked past the end of the text: the end again, as the reader would give it.
        end_ = {0.0, batch_->words[static_cast<size_t>(count_ - 1)].line, NcReader::kEndOfText,
                NcReader::kEndOfText, -1};
        words_ = &end_;
        count_ = 1;
        position_ = 0;
        return;
    }
    if (thread_.joinable()) {
        std::unique_lock<std::mutex> lock(mutex_);
        if (batch_ != nullptr) {
            free_.push_back(batch_);
            // The reader can only be waiting if there was no free batch.
            if (free_.size() == 1) freechanged_.notify_one();
        }
        filledchanged_.wait(lock, [this] { return !filled_.empty(); });
        batch_ = filled_.front();
        filled_.pop_front();
    } else {
        batch_ = pool_.front().get();
        fill(*batch_);
    }
    // The reader has stopped for good: nothing is left running once the last words are in.
    if (batch_->last && thread_.joinable()) thread_.join();
    tally_.add(batch_->tally);
    for (const double fraction : batch_->progress) {
        if (working_) {
            working_(NcReader::kLoadingCaption, fraction);
            clearwidevectorstate();  // the screen update ran toolkit and driver code
        }
    }
    words_ = batch_->words.get();
    count_ = batch_->count;
    position_ = 0;
    if (count_ == 0) std::rethrow_exception(batch_->error);
}
