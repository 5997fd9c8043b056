#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "nc/bytesource.h"
#include "nc/ncreader.h"

// One word as the interpreter needs it, with what the reader knew right after it.
struct NcWord {
    double value;
    int32_t line;     // line feeds read up to the character after the word
    uint8_t letter;   // kEndOfText for the read that found no further word
    uint8_t current;  // the character after the word
    int8_t arcmode;   // mode set by an ARCMODE: comment read with this word; -1 when none
};

// Hands the program's words to the interpreter in batches. The splitting either runs on the
// calling thread as batches are needed, or, for large files, on a thread of its own a few
// batches ahead, so that reading and number conversion overlap the interpretation. Either
// way the calling thread sees the same words, progress reports, arc-mode changes and read
// errors, in the same order; only how far ahead of the interpretation the file has been
// read differs, and that by at most a few batches.
class WordFeed {
  public:
    // Batches ahead are large and several, so that the threads seldom wait for each other:
    // waking a sleeping thread costs (on a virtual machine especially) about as much as
    // splitting a thousand words.
    static constexpr int32_t kInPlaceWords = 4096;
    static constexpr int32_t kAheadWords = 8192;
    static constexpr int kAheadBatches = 8;

    // arcmode is set on the calling thread as words carrying a directive are taken.
    WordFeed(ByteSource& source, const WorkingCallback& working, int32_t& arcmode, bool ahead);
    ~WordFeed();
    WordFeed(const WordFeed&) = delete;
    WordFeed& operator=(const WordFeed&) = delete;

    // The next word. After the word whose current is kEndOfText there are no more; a read
    // error is thrown here once every word read before it has been taken.
    const NcWord& next() {
        if (position_ == count_) takebatch();
        const NcWord& word = words_[position_++];
        if (word.arcmode >= 0) arcmode_ = word.arcmode;
        return word;
    }

    // What the reader passed over or scaled in the words handed out so far (by whole batches).
    const ReaderTally& tally() const { return tally_; }

  private:
    struct Batch {
        explicit Batch(int32_t size)
            : words(new NcWord[static_cast<size_t>(size)]), capacity(size) {}
        std::unique_ptr<NcWord[]> words;
        int32_t capacity;
        int32_t count = 0;
        std::vector<double> progress;  // loading fractions reported while it was filled
        ReaderTally tally;
        std::exception_ptr error;
        bool last = false;
    };

    void fill(Batch& batch);
    void takebatch();
    void readahead();
    Batch* takefree();

    // The two threads each write their own fields for every word. Each group starts on a cache
    // line of its own: where a field of one shared a line with the other's, every word made
    // the line travel between the cores, and the pair ran slower than one thread alone.
    static constexpr size_t kLine = 64;

    // The calling thread's.
    const WorkingCallback& working_;
    int32_t& arcmode_;
    std::vector<std::unique_ptr<Batch>> pool_;
    Batch* batch_ = nullptr;  // the batch being taken
    const NcWord* words_ = nullptr;
    int32_t count_ = 0;
    int32_t position_ = 0;
    NcWord end_{};
    ReaderTally tally_;

    // The splitting thread's (the calling thread's when there is none).
    alignas(kLine) WorkingCallback record_;  // progress reports, kept in the batch being filled
    Batch* filling_ = nullptr;
    int32_t directive_ = -1;
    NcReader reader_;

    // Shared, under the mutex; stopping_ is also read for every word.
    alignas(kLine) std::mutex mutex_;
    std::condition_variable filledchanged_;
    std::condition_variable freechanged_;
    std::deque<Batch*> filled_;
    std::vector<Batch*> free_;
    std::atomic<bool> stopping_{false};
    std::thread thread_;
};
