#pragma once
// The whole text of a Fanuc-family program, held so that calls and jumps can go back and
// forth in it: a cursor walks it line by line, program headers are found by number and
// sequence numbers by searching the program the cursor is in, as the control searches.
// A large program is read on a thread of its own while the run starts on its first lines:
// lines are handed out as soon as their bytes are in, searches wait for the whole text.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>
#include <utility>
#include <vector>

#include "nc/bytesource.h"
#include "nc/ncreader.h"

// A place in the text: the byte offset of a line's start and its line number from 1.
struct FanucPlace {
    int64_t offset = 0;
    int64_t line = 1;
};

class FanucProgram {
  public:
    FanucProgram() = default;
    ~FanucProgram();
    FanucProgram(const FanucProgram&) = delete;
    FanucProgram& operator=(const FanucProgram&) = delete;

    // Reads the whole source; reports loading progress. Throws NcFileError.
    void load(ByteSource& source, const WorkingCallback& working);
    // Starts reading the source on a thread of its own and returns at once. Its NcFileError
    // comes from whole() and the searches.
    void startload(ByteSource& source);
    // Holds the text as given (tests).
    void hold(const std::string& text);

    // The bytes read so far: the whole text once loading is over.
    int64_t size() const { return loaded_.load(std::memory_order_acquire); }
    // Waits for the bytes at `at` (any thread): true when the text ends before them.
    bool atend(const FanucPlace& at) const {
        if (at.offset < size()) return false;
        return waitbeyond(at.offset) <= at.offset;
    }
    // The line at `at` (without its line feed), and the place of the line after it. Any
    // thread; waits for the line's end to be read.
    void line(const FanucPlace& at, const char*& begin, const char*& end, FanucPlace& next) const;
    // Waits for the whole text; rethrows the error of a load that failed. The run's thread only.
    void whole() const;

    // The line after the header of program `number`; false when there is none.
    bool findprogram(int64_t number, FanucPlace& body);
    // The line with sequence number n in the program holding `from`: searched from `from` to
    // the program's end, then from its start, as the control does. False when none has it.
    bool findsequence(int64_t n, const FanucPlace& from, FanucPlace& found) const;
    // The place of the first line at or after `from` whose words start with `keyword` and
    // then the number `n` ("END1"), stopping at the program's end. False when none.
    bool findkeyword(const char* keyword, int64_t n, const FanucPlace& from, FanucPlace& found) const;

  private:
    // Where the program holding `at` starts (the line after its header, or the text's start).
    FanucPlace programstart(const FanucPlace& at) const;
    bool programboundary(const char* begin, const char* end) const;
    void indexheaders();

    // The reader: fills the buffer, growing it when the file outgrows its stated size.
    void readall(ByteSource& source, const WorkingCallback* working);
    void append(const char* bytes, size_t count);
    // Waits until more than `have` bytes are in or loading is over; the bytes in then.
    int64_t waitbeyond(int64_t have) const;

    std::unique_ptr<char[]> buffer_;
    // Buffers outgrown while lines from them may still be in use: their bytes stay valid.
    std::vector<std::unique_ptr<char[]>> outgrown_;
    size_t capacity_ = 0;
    std::atomic<const char*> data_{nullptr};
    std::atomic<int64_t> loaded_{0};
    bool complete_ = true;  // under mutex_
    std::exception_ptr failure_;
    mutable std::mutex mutex_;
    mutable std::condition_variable grew_;
    std::thread loader_;

    bool indexed_ = false;
    std::unordered_map<int64_t, FanucPlace> headers_;  // program number -> first body line
    std::vector<FanucPlace> starts_;                   // every program's first body line, in order
    std::vector<int64_t> ends_;                        // and the offset of the line ending it
    // Jumps made again and again (a loop's GOTO or END) search once.
    mutable std::map<std::pair<int64_t, int64_t>, FanucPlace> sequencecache_;
};
