#pragma once
// The text of a Fanuc-family program, read so that calls and jumps can go back and forth in
// it: a cursor walks it line by line, program headers are found by number and sequence
// numbers by searching the program the cursor is in, as the control searches.
// A file is read in chunks as its lines are asked for and read again from its place after a
// jump back (see FanucChunks), so a program of any size costs a few megabytes. A source that
// cannot be read again (a pipe, a test's trickle) is held whole instead: read on a thread of
// its own while the run starts on its first lines, or at once by load().
//
// How long line()'s bytes stay valid: until the same thread asks this program for its next
// line or makes a search. The run's thread parses or runs a line's text before it reads
// another, and the block feed splits each line before it reads on. (A text held whole keeps
// them for its life, but no caller may count on it.)

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "nc/bytesource.h"
#include "nc/fanuc/fanucchunks.h"
#include "nc/fanuc/fanucheaders.h"
#include "nc/ncreader.h"

class FanucProgram {
  public:
    FanucProgram() = default;
    ~FanucProgram();
    FanucProgram(const FanucProgram&) = delete;
    FanucProgram& operator=(const FanucProgram&) = delete;

    // Reads the whole source and holds it; reports loading progress. Throws NcFileError.
    void load(ByteSource& source, const WorkingCallback& working);
    // Starts reading the source and returns at once: a seekable one in chunks as lines are
    // asked for, another whole on a thread of its own. Read errors come from whole() and the
    // searches on this thread; a file found changed on a read again throws FanucTextChanged
    // from line(), atend() and the searches on this thread. Smaller chunks than the
    // default only serve tests and fuzzing, which must cross chunk borders often.
    void startload(ByteSource& source, size_t chunkbytes = FanucChunks::kChunkBytes,
                   size_t chunks = FanucChunks::kChunks);
    // Holds the text as given (tests).
    void hold(const std::string& text);

    // The bytes read so far (on the first pass): the whole text once loading is over.
    int64_t size() const { return chunks_ ? chunks_->size() : loaded_.load(std::memory_order_acquire); }
    // Waits for the bytes at `at` (any thread): true when the text ends before them.
    bool atend(const FanucPlace& at) const {
        if (chunks_) return chunks_->atend(at.offset);
        if (at.offset < size()) return false;
        return waitbeyond(at.offset) <= at.offset;
    }
    // The line at `at` (without its line feed), and the place of the line after it. Any
    // thread; waits for the line's end to be read.
    void line(const FanucPlace& at, const char*& begin, const char*& end, FanucPlace& next) const {
        if (chunks_) return chunks_->line(at, begin, end, next);
        heldline(at, begin, end, next);
    }
    // Rethrows the error of a load that failed, after waiting for a text held whole to be
    // read. The run's thread only.
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
    // The program holding `at`: its first line (after its header, or the text's start) and
    // the offset of the line that ends it.
    void programof(const FanucPlace& at, FanucPlace& start, int64_t& stop) const;
    void indexwhole() const;
    void heldline(const FanucPlace& at, const char*& begin, const char*& end, FanucPlace& next) const;

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

    std::unique_ptr<FanucChunks> chunks_;  // a file read in chunks; else the buffer above
    mutable FanucHeaders headers_;         // of a text held whole, once it is in
    // Jumps made again and again (a loop's GOTO or END) search once.
    mutable std::map<std::pair<int64_t, int64_t>, FanucPlace> sequencecache_;
};
