#include "nc/lineindex.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstring>

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
    laststart_ = 0;
    bytes_ = 0;
    anchors_.clear();
    longs_.clear();
}

void LineIndex::push(int64_t offset) {
    const auto chunk = static_cast<size_t>(starts_ >> kChunkShift);
    if (chunk == chunks_.size()) chunks_.emplace_back(new uint8_t[kChunkSize]);
    const int64_t length = offset - laststart_;
    uint8_t mark = static_cast<uint8_t>(std::min<int64_t>(length, kLongLine));
    if ((starts_ & ((int64_t{1} << kAnchorShift) - 1)) == 0) {
        anchors_.push_back(offset);
        mark = 0;  // never read: the anchor holds the start
    } else if (mark == kLongLine) {
        longs_.push_back({starts_, length});
    }
    chunks_[chunk][starts_ & (kChunkSize - 1)] = mark;
    laststart_ = offset;
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

int64_t LineIndex::start(int64_t k) const {
    const int64_t anchor = k >> kAnchorShift;
    int64_t offset = anchors_[static_cast<size_t>(anchor)];
    for (int64_t j = (anchor << kAnchorShift) + 1; j <= k; ++j) {
        const uint8_t mark = chunks_[static_cast<size_t>(j >> kChunkShift)][j & (kChunkSize - 1)];
        if (mark != kLongLine) {
            offset += mark;
            continue;
        }
        const auto at = std::lower_bound(longs_.begin(), longs_.end(), j,
                                         [](const LongLine& l, int64_t v) { return l.index < v; });
        offset += at->length;
    }
    return offset;
}

int64_t LineIndex::linecount() const {
    return starts_ + (bytes_ > linestart(starts_ + 1) ? 1 : 0);
}

int64_t LineIndex::linestart(int64_t line) const {
    if (line <= 1) return 0;
    if (line > starts_ + 1) return bytes_;
    return start(line - 2);
}

int64_t LineIndex::lineend(int64_t line) const {
    if (line < 1) return 0;
    if (line > starts_) return bytes_;
    return linestart(line + 1) - 1;
}

size_t LineIndex::memorybytes() const {
    return chunks_.size() * static_cast<size_t>(kChunkSize) + chunks_.capacity() * sizeof(void*) +
           anchors_.capacity() * sizeof(int64_t) + longs_.capacity() * sizeof(LongLine);
}
