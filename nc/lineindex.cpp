#include "nc/lineindex.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <iterator>

FileStamp FileStamp::of(const std::string& path) {
    FileStamp stamp;
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return stamp;
    stamp.exists = true;
    stamp.size = static_cast<int64_t>(info.st_size);
    stamp.mtimens = static_cast<int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    return stamp;
}

void LineIndex::clear() {
    // The chunks stay for the next program, as the node store's blocks do.
    starts_ = 0;
    bytes_ = 0;
    highs_.clear();
}

void LineIndex::push(int64_t offset) {
    const auto chunk = static_cast<size_t>(starts_ >> kChunkShift);
    if (chunk == chunks_.size()) chunks_.emplace_back(new uint32_t[kChunkSize]);
    const auto high = static_cast<uint32_t>(static_cast<uint64_t>(offset) >> 32);
    if (high != (highs_.empty() ? 0U : highs_.back().high)) highs_.push_back({starts_, high});
    chunks_[chunk][starts_ & (kChunkSize - 1)] = static_cast<uint32_t>(offset);
    ++starts_;
}

void LineIndex::addbytes(const uint8_t* data, size_t count) {
    const uint8_t* p = data;
    const uint8_t* const end = data + count;
    while (p < end) {
        const void* lf = std::memchr(p, '\n', static_cast<size_t>(end - p));
        if (lf == nullptr) break;
        p = static_cast<const uint8_t*>(lf) + 1;
        push(bytes_ + (p - data));
    }
    bytes_ += static_cast<int64_t>(count);
}

int64_t LineIndex::linecount() const {
    return starts_ + (bytes_ > linestart(starts_ + 1) ? 1 : 0);
}

int64_t LineIndex::linestart(int64_t line) const {
    if (line <= 1) return 0;
    if (line > starts_ + 1) return bytes_;
    const int64_t k = line - 2;
    const uint32_t low = chunks_[static_cast<size_t>(k >> kChunkShift)][k & (kChunkSize - 1)];
    const auto after = std::upper_bound(highs_.begin(), highs_.end(), k,
                                        [](int64_t v, const HighBits& h) { return v < h.from; });
    const uint64_t high = after == highs_.begin() ? 0 : std::prev(after)->high;
    return static_cast<int64_t>((high << 32) | low);
}

int64_t LineIndex::lineend(int64_t line) const {
    if (line < 1) return 0;
    if (line > starts_) return bytes_;
    return linestart(line + 1) - 1;
}

size_t LineIndex::memorybytes() const {
    return chunks_.size() * (kChunkSize * sizeof(uint32_t)) + chunks_.capacity() * sizeof(void*) +
           highs_.capacity() * sizeof(HighBits);
}
