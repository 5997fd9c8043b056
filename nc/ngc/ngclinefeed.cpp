#include "nc/ngc/ngclinefeed.h"

#include <algorithm>
#include <cstring>

#include "nc/vectorstate.h"

NgcLineFeed::NgcLineFeed(ByteSource& source, const WorkingCallback& working)
    : source_(source),
      working_(working),
      // A small program needs no large buffer; a long line makes it grow.
      buffer_(static_cast<size_t>(std::clamp<int64_t>(source.size() + 1, 4096, kBufferSize))),
      lastprogress_(std::chrono::steady_clock::now()) {}

void NgcLineFeed::progress(double fraction) {
    if (working_) {
        working_(NcReader::kLoadingCaption, fraction);
        clearwidevectorstate();  // the screen update ran toolkit and driver code
    }
}

bool NgcLineFeed::fill() {
    // Keeps the unfinished line, moved to the front, and reads after it.
    if (start_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + start_, fill_ - start_);
        fill_ -= start_;
        start_ = 0;
    }
    if (fill_ == buffer_.size()) {
        if (buffer_.size() >= kMaxLine) return false;
        buffer_.resize(buffer_.size() * 2);
    }
    const size_t got = source_.read(reinterpret_cast<uint8_t*>(buffer_.data()) + fill_,
                                    buffer_.size() - fill_);
    fill_ += got;
    bytesread_ += static_cast<int64_t>(got);
    if (got == 0) {
        exhausted_ = true;
        progress(1.0);
        return false;
    }
    const auto now = std::chrono::steady_clock::now();
    if (now - lastprogress_ > std::chrono::milliseconds(500)) {
        lastprogress_ = now;
        const int64_t size = source_.size();
        progress(size > 0 ? static_cast<double>(bytesread_) / static_cast<double>(size) : 1.0);
    }
    return true;
}

bool NgcLineFeed::next(const char*& begin, const char*& end) {
    cut = false;
    while (skipping_) {
        const void* feed = std::memchr(buffer_.data() + start_, '\n', fill_ - start_);
        if (feed != nullptr) {
            start_ = static_cast<size_t>(static_cast<const char*>(feed) - buffer_.data()) + 1;
            skipping_ = false;
        } else {
            start_ = fill_ = 0;
            if (!fill()) return false;
        }
    }
    size_t searched = start_;
    for (;;) {
        const char* base = buffer_.data();
        const void* feed = std::memchr(base + searched, '\n', fill_ - searched);
        if (feed != nullptr) {
            begin = base + start_;
            end = static_cast<const char*>(feed);
            start_ = static_cast<size_t>(end - base) + 1;
            ++line;
            return true;
        }
        searched = fill_ - start_;
        if (exhausted_ || !fill()) break;
    }
    if (!exhausted_) {
        // Too long: hand out what is held; the rest of the line is dropped on the next call.
        begin = buffer_.data();
        end = begin + kMaxLine;
        start_ = fill_;
        skipping_ = true;
        cut = true;
        ++line;
        return true;
    }
    if (start_ == fill_) return false;
    // The last line, without a line feed.
    begin = buffer_.data() + start_;
    end = buffer_.data() + fill_;
    start_ = fill_;
    ++line;
    return true;
}
