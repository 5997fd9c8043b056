#include "nc/fanuc/fanucprogram.h"

#include <algorithm>
#include <cstring>

#include "nc/fanuc/fanucblock.h"
#include "nc/vectorstate.h"

namespace {

bool blank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

}  // namespace

FanucProgram::~FanucProgram() {
    // The whole file is read even when the run ended early: its lines are indexed as read
    // (FanucChunks reads the rest of its file likewise).
    if (loader_.joinable()) loader_.join();
}

void FanucProgram::append(const char* bytes, size_t count) {
    const int64_t have = loaded_.load(std::memory_order_relaxed);
    const size_t need = static_cast<size_t>(have) + count;
    if (need > capacity_) {
        // Lines handed out from the old buffer stay valid: it is kept, not freed.
        size_t capacity = capacity_ < (size_t{1} << 16) ? size_t{1} << 16 : capacity_;
        while (capacity < need) capacity *= 2;
        auto grown = std::make_unique<char[]>(capacity);
        if (have > 0) std::memcpy(grown.get(), buffer_.get(), static_cast<size_t>(have));
        if (buffer_) outgrown_.push_back(std::move(buffer_));
        buffer_ = std::move(grown);
        capacity_ = capacity;
        // Published before any byte beyond the old buffer is.
        data_.store(buffer_.get(), std::memory_order_release);
    }
    std::memcpy(buffer_.get() + have, bytes, count);
    {
        std::lock_guard<std::mutex> lock(mutex_);
        loaded_.store(static_cast<int64_t>(need), std::memory_order_release);
    }
    grew_.notify_all();
}

void FanucProgram::readall(ByteSource& source, const WorkingCallback* working) {
    const int64_t size = source.size();
    constexpr size_t kChunk = size_t{1} << 20;
    std::vector<char> chunk(kChunk);
    int64_t sincereport = 0;
    for (;;) {
        const size_t got = source.read(reinterpret_cast<uint8_t*>(chunk.data()), kChunk);
        if (got == 0) break;
        append(chunk.data(), got);
        sincereport += static_cast<int64_t>(got);
        if (working && *working && sincereport >= (int64_t{32} << 20) && size > 0) {
            sincereport = 0;
            (*working)(NcReader::kLoadingCaption, 0.5 * static_cast<double>(this->size()) / static_cast<double>(size));
            clearwidevectorstate();  // the screen update ran toolkit code
        }
    }
}

void FanucProgram::load(ByteSource& source, const WorkingCallback& working) {
    const int64_t size = source.size();
    if (size > 0) {
        capacity_ = static_cast<size_t>(size) + 1;
        buffer_ = std::make_unique<char[]>(capacity_);
        data_.store(buffer_.get(), std::memory_order_release);
    }
    readall(source, &working);
}

void FanucProgram::startload(ByteSource& source, size_t chunkbytes, size_t chunks) {
    if (source.seekable()) {
        chunks_ = std::make_unique<FanucChunks>(source, chunkbytes, chunks);
        return;
    }
    const int64_t size = source.size();
    if (size > 0) {
        capacity_ = static_cast<size_t>(size) + 1;
        buffer_ = std::make_unique<char[]>(capacity_);
        data_.store(buffer_.get(), std::memory_order_release);
    }
    complete_ = false;
    loader_ = std::thread([this, &source] {
        std::exception_ptr failure;
        try {
            readall(source, nullptr);
        } catch (...) {
            failure = std::current_exception();
        }
        {
            std::lock_guard<std::mutex> lock(mutex_);
            failure_ = failure;
            complete_ = true;
        }
        grew_.notify_all();
    });
}

void FanucProgram::hold(const std::string& text) {
    append(text.data(), text.size());
}

int64_t FanucProgram::waitbeyond(int64_t have) const {
    std::unique_lock<std::mutex> lock(mutex_);
    grew_.wait(lock, [&] { return complete_ || loaded_.load(std::memory_order_relaxed) > have; });
    return loaded_.load(std::memory_order_relaxed);
}

void FanucProgram::whole() const {
    if (chunks_) return chunks_->rethrow();
    std::unique_lock<std::mutex> lock(mutex_);
    grew_.wait(lock, [&] { return complete_; });
    if (failure_) std::rethrow_exception(failure_);
}

void FanucProgram::heldline(const FanucPlace& at, const char*& begin, const char*& end, FanucPlace& next) const {
    // The size first: a buffer it counts bytes of was published before it.
    int64_t have = size();
    const char* base = data_.load(std::memory_order_acquire);
    if (base == nullptr) base = "";  // nothing read: an empty text
    int64_t from = at.offset;  // no line feed before here
    const void* feed = nullptr;
    for (;;) {
        if (from < have) feed = std::memchr(base + from, '\n', static_cast<size_t>(have - from));
        if (feed != nullptr) break;
        from = std::max(from, have);
        const int64_t more = waitbeyond(have);
        if (more <= have) break;  // the text ends without a line feed
        have = more;
        base = data_.load(std::memory_order_acquire);
    }
    begin = base + at.offset;
    end = feed != nullptr ? static_cast<const char*>(feed) : base + have;
    next.offset = (end - base) + (feed != nullptr ? 1 : 0);
    next.line = at.line + 1;
}

void FanucProgram::indexwhole() const {
    if (headers_.complete()) return;
    const char* base = data_.load(std::memory_order_acquire);
    if (base != nullptr) headers_.add(base, static_cast<size_t>(size()));
    headers_.finish(size());
}

bool FanucProgram::findprogram(int64_t number, FanucPlace& body) {
    whole();
    if (chunks_) return chunks_->header(number, body);
    indexwhole();
    return headers_.find(number, body);
}

void FanucProgram::programof(const FanucPlace& at, FanucPlace& start, int64_t& stop) const {
    if (chunks_) return chunks_->program(at.offset, start, stop);
    indexwhole();
    headers_.program(at.offset, start, stop);
    if (stop < 0) stop = size();
}

bool FanucProgram::findsequence(int64_t n, const FanucPlace& from, FanucPlace& found) const {
    const auto key = std::make_pair(from.offset, n);
    const auto cached = sequencecache_.find(key);
    if (cached != sequencecache_.end()) {
        found = cached->second;
        return true;
    }
    whole();
    FanucPlace start;
    int64_t stop = 0;
    programof(from, start, stop);
    auto search = [&](FanucPlace at, int64_t until) {
        FanucPlace next;
        while (at.offset < until && !atend(at)) {
            const char *begin = nullptr, *end = nullptr;
            line(at, begin, end, next);
            if (fanucsequence(begin, end) == n) {
                found = at;
                return true;
            }
            at = next;
        }
        return false;
    };
    if (!search(from, stop) && !search(start, from.offset)) return false;
    sequencecache_.emplace(key, found);
    return true;
}

bool FanucProgram::findkeyword(const char* keyword, int64_t n, const FanucPlace& from, FanucPlace& found) const {
    whole();
    const size_t length = std::strlen(keyword);
    FanucPlace at = from, next;
    while (!atend(at)) {
        const char *begin = nullptr, *end = nullptr;
        line(at, begin, end, next);
        if (fanucprogramboundary(begin, end)) return false;
        // Blanks pass anywhere; the keyword may follow a sequence number.
        std::string squeezed;
        for (const char* p = begin; p < end && squeezed.size() < 40; ++p) {
            if (*p == '(' || *p == ';') break;
            if (!blank(*p)) squeezed.push_back(static_cast<char>((*p >= 'a' && *p <= 'z') ? *p - 32 : *p));
        }
        size_t k = 0;
        if (!squeezed.empty() && squeezed[0] == 'N') {
            k = 1;
            while (k < squeezed.size() && squeezed[k] >= '0' && squeezed[k] <= '9') ++k;
        }
        if (squeezed.compare(k, length, keyword) == 0) {
            k += length;
            int64_t value = 0;
            int digits = 0;
            while (k < squeezed.size() && squeezed[k] >= '0' && squeezed[k] <= '9' && digits < 9) {
                value = value * 10 + (squeezed[k++] - '0');
                ++digits;
            }
            if (digits > 0 && value == n) {
                found = at;
                return true;
            }
        }
        at = next;
    }
    return false;
}
