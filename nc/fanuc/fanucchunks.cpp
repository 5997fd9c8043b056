#include "nc/fanuc/fanucchunks.h"

#include <cstring>

namespace {

// Tells a chunk read again from the one first read; not a guard against anyone forging it.
uint64_t hashbytes(const char* p, size_t n) {
    // Two lanes, so that one multiply need not wait for the other.
    uint64_t a = 0x9E3779B97F4A7C15ull ^ n, b = 0xC2B2AE3D27D4EB4Full;
    size_t i = 0;
    for (; i + 16 <= n; i += 16) {
        uint64_t x, y;
        std::memcpy(&x, p + i, 8);
        std::memcpy(&y, p + i + 8, 8);
        a = ((a << 29 | a >> 35) ^ x) * 0xFF51AFD7ED558CCDull;
        b = ((b << 31 | b >> 33) ^ y) * 0xC4CEB9FE1A85EC53ull;
    }
    for (; i < n; ++i) a = ((a << 29 | a >> 35) ^ static_cast<unsigned char>(p[i])) * 0xFF51AFD7ED558CCDull;
    const uint64_t h = a ^ (b * 0x9E3779B97F4A7C15ull);
    return h ^ (h >> 31);
}

}  // namespace

FanucChunks::FanucChunks(ByteSource& source, size_t chunkbytes, size_t chunks)
    : source_(source),
      chunkbytes_(chunkbytes == 0 ? 1 : chunkbytes),
      chunks_(chunks < 2 ? 2 : chunks),
      owner_(std::this_thread::get_id()) {}

FanucChunks::~FanucChunks() {
    // The rest of the file passes the line index even when the run ended early.
    std::lock_guard<std::mutex> lock(mutex_);
    try {
        while (!ended_ && !failure_) readnext();
    } catch (...) {
    }
}

FanucChunks::Reader& FanucChunks::addreader(std::thread::id id) {
    std::lock_guard<std::mutex> lock(mutex_);
    const int count = readercount_.load(std::memory_order_relaxed);
    for (int i = 0; i < count; ++i) {
        if (readers_[static_cast<size_t>(i)].id == id) return readers_[static_cast<size_t>(i)];
    }
    if (count == kReaders) throw std::logic_error("too many threads reading one program");
    Reader& added = readers_[static_cast<size_t>(count)];
    added.id = id;
    readercount_.store(count + 1, std::memory_order_release);
    return added;
}

void FanucChunks::stopped() {
    if (!owner()) return;
    if (failure_) std::rethrow_exception(failure_);
    if (broken_.load(std::memory_order_relaxed)) throw FanucTextChanged();
}

void FanucChunks::rethrow() {
    std::lock_guard<std::mutex> lock(mutex_);
    stopped();
}

FanucChunks::Chunk* FanucChunks::freechunk() {
    Chunk* oldest = nullptr;
    for (const auto& c : cache_) {
        if (c->index < 0) return c.get();
        bool held = false;
        const int count = readercount_.load(std::memory_order_relaxed);
        for (int i = 0; i < count && !held; ++i) held = readers_[static_cast<size_t>(i)].held == c.get();
        if (!held && (oldest == nullptr || c->used < oldest->used)) oldest = c.get();
    }
    // Lines held by every reader and a full cache: one more chunk rather than a line lost.
    if (oldest == nullptr || cache_.size() < chunks_) {
        cache_.push_back(std::make_unique<Chunk>());
        cache_.back()->bytes = std::make_unique<char[]>(chunkbytes_);
        return cache_.back().get();
    }
    oldest->index = -1;
    return oldest;
}

FanucChunks::Chunk* FanucChunks::readnext() {
    Chunk* c = freechunk();
    size_t got = 0;
    try {
        // Whole chunks where the source allows: a chunk read again is read at its place.
        while (got < chunkbytes_) {
            const size_t n = source_.read(reinterpret_cast<uint8_t*>(c->bytes.get()) + got, chunkbytes_ - got);
            if (n == 0) break;
            got += n;
        }
    } catch (...) {
        failure_ = std::current_exception();
        ended_ = true;
        stopped();
        return nullptr;
    }
    headers_.add(c->bytes.get(), got);
    read_.store(read_.load(std::memory_order_relaxed) + static_cast<int64_t>(got), std::memory_order_release);
    if (got < chunkbytes_) {
        ended_ = true;
        headers_.finish(size());
    }
    if (got == 0) return nullptr;
    c->index = static_cast<int64_t>(seen_.size());
    c->size = got;
    c->used = ++clock_;
    seen_.push_back(Seen{got, hashbytes(c->bytes.get(), got)});
    return c;
}

FanucChunks::Chunk* FanucChunks::reread(int64_t index) {
    Chunk* c = freechunk();
    const Seen& seen = seen_[static_cast<size_t>(index)];
    size_t got = 0;
    try {
        got = source_.readat(index * static_cast<int64_t>(chunkbytes_), reinterpret_cast<uint8_t*>(c->bytes.get()),
                             chunkbytes_);
    } catch (...) {
        failure_ = std::current_exception();
        stopped();
        return nullptr;
    }
    if (got != seen.size || hashbytes(c->bytes.get(), got) != seen.hash) {
        broken_.store(true, std::memory_order_relaxed);
        stopped();
        return nullptr;
    }
    c->index = index;
    c->size = got;
    c->used = ++clock_;
    return c;
}

FanucChunks::Chunk* FanucChunks::chunk(int64_t index) {
    if (failure_ || broken_.load(std::memory_order_relaxed)) {
        stopped();
        return nullptr;
    }
    for (const auto& c : cache_) {
        if (c->index == index) {
            c->used = ++clock_;
            return c.get();
        }
    }
    if (index < static_cast<int64_t>(seen_.size())) return reread(index);
    while (!ended_) {
        Chunk* c = readnext();
        if (c != nullptr && c->index == index) return c;
    }
    return nullptr;
}

bool FanucChunks::atendslow(int64_t offset) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (failure_ || broken_.load(std::memory_order_relaxed)) {
        stopped();
        return true;
    }
    while (!ended_ && size() <= offset) readnext();
    if (failure_) stopped();
    return offset >= size();
}

void FanucChunks::lineslow(Reader& r, const FanucPlace& at, const char*& begin, const char*& end, FanucPlace& next) {
    std::lock_guard<std::mutex> lock(mutex_);
    const int64_t step = static_cast<int64_t>(chunkbytes_);
    int64_t index = at.offset / step;
    Chunk* c = chunk(index);
    // Past the end (or stopped): an empty line, as at the end of a text held whole.
    begin = end = "";
    next = FanucPlace{at.offset, at.line + 1};
    if (c == nullptr) return;
    const size_t from = static_cast<size_t>(at.offset - index * step);
    if (from >= c->size) return;
    const char* p = c->bytes.get() + from;
    const void* feed = std::memchr(p, '\n', c->size - from);
    if (feed != nullptr) {
        r.held = c;
        begin = p;
        end = static_cast<const char*>(feed);
        next.offset = at.offset + (end - begin) + 1;
        return;
    }
    // Across the border: joined in the reader's own buffer, which the next chunks cannot evict.
    r.held = nullptr;
    r.joined.assign(p, c->size - from);
    bool fed = false;
    while (!fed && (c = chunk(++index)) != nullptr) {
        feed = std::memchr(c->bytes.get(), '\n', c->size);
        fed = feed != nullptr;
        const char* bytes = c->bytes.get();
        r.joined.append(bytes, fed ? static_cast<size_t>(static_cast<const char*>(feed) - bytes) : c->size);
        if (fed) r.held = c;
    }
    if (!fed && (failure_ || broken_.load(std::memory_order_relaxed))) return;  // on another thread than the owner's
    begin = r.joined.data();
    end = begin + r.joined.size();
    next.offset = at.offset + static_cast<int64_t>(r.joined.size()) + (fed ? 1 : 0);
}

bool FanucChunks::header(int64_t number, FanucPlace& body) {
    std::lock_guard<std::mutex> lock(mutex_);
    for (;;) {
        if (headers_.find(number, body)) return true;
        if (ended_) break;
        readnext();
    }
    stopped();
    return false;
}

void FanucChunks::program(int64_t offset, FanucPlace& start, int64_t& stop) {
    std::lock_guard<std::mutex> lock(mutex_);
    while (!ended_ && headers_.through() <= offset) readnext();
    for (;;) {
        headers_.program(offset, start, stop);
        if (stop >= 0 || ended_) break;
        readnext();
    }
    stopped();
    if (stop < 0) stop = size();
}
