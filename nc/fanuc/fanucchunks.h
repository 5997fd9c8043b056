#pragma once
// A Fanuc-family program read from a file in pieces, as the reading asks for its lines: a
// bounded cache of fixed-size chunks, the first pass through the source in order (so it is
// indexed as the other readings index it), and a jump back read again from the file at the
// chunk's place. A chunk read again must hold what it held on the first pass, or the file
// changed under the reading and the text ends there.
//
// Any thread may ask for lines. Each thread holds the chunk of the line it was last handed
// (and a line across a chunk border is joined in a buffer of its own), so a line's bytes stay
// valid until the same thread asks again; on that thread's path no lock is taken.
//
// A read error or a change is thrown (NcFileError, FanucTextChanged) to the thread that opened
// the text; any other thread sees the text end there, and rethrow() passes the error on.

#include <array>
#include <atomic>
#include <cstring>
#include <cstdint>
#include <exception>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "nc/bytesource.h"
#include "nc/fanuc/fanucheaders.h"

// A chunk read again after a jump back differs from its first reading: the file was saved anew.
class FanucTextChanged : public std::runtime_error {
  public:
    FanucTextChanged() : std::runtime_error("the file changed while it was read") {}
};

class FanucChunks {
  public:
    // 4 MB in all: a loop body of a few megabytes is read once, and the window stays small
    // beside the toolpath store.
    static constexpr size_t kChunkBytes = size_t{1} << 19;
    static constexpr size_t kChunks = 8;
    // Threads that may read one text.
    static constexpr int kReaders = 16;

    // The source must stay open and seekable while this lives. The calling thread owns it.
    FanucChunks(ByteSource& source, size_t chunkbytes = kChunkBytes, size_t chunks = kChunks);
    // Reads the rest of the source in order, so that it is indexed whole.
    ~FanucChunks();
    FanucChunks(const FanucChunks&) = delete;
    FanucChunks& operator=(const FanucChunks&) = delete;

    // Bytes read on the first pass so far.
    int64_t size() const { return read_.load(std::memory_order_acquire); }
    bool atend(int64_t offset) {
        if (offset < size() && !broken_.load(std::memory_order_relaxed)) return false;
        return atendslow(offset);
    }
    void line(const FanucPlace& at, const char*& begin, const char*& end, FanucPlace& next) {
        Reader& r = reader();
        const Chunk* c = r.held;
        if (c != nullptr && !broken_.load(std::memory_order_relaxed)) {
            const int64_t from = at.offset - c->index * static_cast<int64_t>(chunkbytes_);
            if (from >= 0 && from < static_cast<int64_t>(c->size)) {
                const char* p = c->bytes.get() + from;
                const void* feed = std::memchr(p, '\n', c->size - static_cast<size_t>(from));
                if (feed != nullptr) {
                    begin = p;
                    end = static_cast<const char*>(feed);
                    next = FanucPlace{at.offset + (end - begin) + 1, at.line + 1};
                    return;
                }
            }
        }
        lineslow(r, at, begin, end, next);
    }
    // Rethrows a read error met on any thread (the owner's thread only).
    void rethrow();

    // The line after the first header of program `number`, reading on until it is found.
    bool header(int64_t number, FanucPlace& body);
    // The program holding `offset`: its first body line and the offset of the line ending it.
    void program(int64_t offset, FanucPlace& start, int64_t& stop);

  private:
    struct Chunk {
        int64_t index = -1;  // -1: free
        std::unique_ptr<char[]> bytes;
        size_t size = 0;
        uint64_t used = 0;
    };
    struct Seen {
        size_t size;
        uint64_t hash;
    };
    struct Reader {
        std::thread::id id;
        Chunk* held = nullptr;  // written by its own thread only, under mutex_
        std::string joined;
    };

    Reader& reader() {
        const std::thread::id id = std::this_thread::get_id();
        const int count = readercount_.load(std::memory_order_acquire);
        for (int i = 0; i < count; ++i) {
            if (readers_[static_cast<size_t>(i)].id == id) return readers_[static_cast<size_t>(i)];
        }
        return addreader(id);
    }
    Reader& addreader(std::thread::id id);
    bool owner() const { return std::this_thread::get_id() == owner_; }
    bool atendslow(int64_t offset);
    void lineslow(Reader& r, const FanucPlace& at, const char*& begin, const char*& end, FanucPlace& next);
    // The following take the lock held; nullptr past the end of the text, or after a failure
    // on another thread than the owner's.
    Chunk* chunk(int64_t index);
    Chunk* readnext();
    Chunk* reread(int64_t index);
    Chunk* freechunk();
    // After an error or a change: throws on the owner's thread.
    void stopped();

    ByteSource& source_;
    const size_t chunkbytes_;
    const size_t chunks_;
    const std::thread::id owner_;
    std::mutex mutex_;
    std::vector<std::unique_ptr<Chunk>> cache_;
    uint64_t clock_ = 0;
    std::vector<Seen> seen_;  // every chunk of the first pass
    std::atomic<int64_t> read_{0};
    bool ended_ = false;
    std::atomic<bool> broken_{false};  // a chunk read again differs
    std::exception_ptr failure_;
    FanucHeaders headers_;
    std::array<Reader, kReaders> readers_;
    std::atomic<int> readercount_{0};
};
