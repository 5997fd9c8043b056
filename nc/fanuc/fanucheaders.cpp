#include "nc/fanuc/fanucheaders.h"

#include <algorithm>
#include <cstring>

namespace {

bool blank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

const char* skipblanks(const char* p, const char* end) {
    while (p < end && blank(*p)) ++p;
    return p;
}

}  // namespace

bool fanucprogramboundary(const char* begin, const char* end) {
    const char* p = skipblanks(begin, end);
    if (p == end) return false;
    if (*p == '%') return true;
    if ((*p | 0x20) != 'o' && *p != ':') return false;
    p = skipblanks(p + 1, end);
    return p < end && *p >= '0' && *p <= '9';
}

namespace {

// Whether a line starting so can still turn out a boundary once its end is in: it is one
// already, or nothing but blanks (after an 'O' or ':', perhaps) came so far.
bool mayturnboundary(const char* begin, const char* end) {
    if (fanucprogramboundary(begin, end)) return true;
    const char* p = skipblanks(begin, end);
    if (p == end) return true;
    return ((*p | 0x20) == 'o' || *p == ':') && skipblanks(p + 1, end) == end;
}

}  // namespace

void FanucHeaders::line(const char* begin, const char* end, int64_t nextoffset) {
    const FanucPlace next{nextoffset, lineno_ + 1};
    if (fanucprogramboundary(begin, end)) {
        ends_.push_back(linestart_);
        starts_.push_back(next);
        if (parser_.parse(begin, end, block_) == FanucLineKind::Header) {
            headers_.emplace(parser_.number, next);  // the first of equal numbers counts
        }
    }
    linestart_ = nextoffset;
    lineno_ = next.line;
}

void FanucHeaders::add(const char* bytes, size_t count) {
    const char* p = bytes;
    const char* const end = bytes + count;
    const int64_t base = added_;
    added_ += static_cast<int64_t>(count);
    while (p < end) {
        const char* feed = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p)));
        const char* stop = feed != nullptr ? feed : end;
        if (open_) {
            if (keep_) {
                pending_.append(p, stop);
                keep_ = mayturnboundary(pending_.data(), pending_.data() + pending_.size());
                if (!keep_) pending_.clear();
            }
        } else if (feed == nullptr) {
            keep_ = mayturnboundary(p, end);
            if (keep_) pending_.assign(p, end);
        }
        if (feed == nullptr) {
            open_ = true;
            break;
        }
        const int64_t nextoffset = base + (feed - bytes) + 1;
        if (!open_) {
            // Most lines start with a word letter: counted without a look at the rest.
            const char first = *p;
            if (first == '%' || first == ':' || (first | 0x20) == 'o' || blank(first)) {
                line(p, feed, nextoffset);
            } else {
                linestart_ = nextoffset;
                ++lineno_;
            }
        } else {
            // Only a line that may be a boundary needs its bytes; the others are counted.
            line(pending_.data(), keep_ ? pending_.data() + pending_.size() : pending_.data(), nextoffset);
            pending_.clear();
            open_ = false;
        }
        p = feed + 1;
    }
}

void FanucHeaders::finish(int64_t size) {
    if (complete_) return;
    if (open_) {
        // The last line has no line feed: the line after it starts at the text's end.
        line(pending_.data(), keep_ ? pending_.data() + pending_.size() : pending_.data(), size);
        pending_.clear();
        open_ = false;
    }
    ends_.push_back(size);
    complete_ = true;
}

bool FanucHeaders::find(int64_t number, FanucPlace& body) const {
    const auto found = headers_.find(number);
    if (found == headers_.end()) return false;
    body = found->second;
    return true;
}

void FanucHeaders::program(int64_t offset, FanucPlace& start, int64_t& stop) const {
    auto after = std::upper_bound(starts_.begin(), starts_.end(), offset,
                                  [](int64_t o, const FanucPlace& p) { return o < p.offset; });
    const size_t index = after == starts_.begin() ? 0 : static_cast<size_t>(after - starts_.begin()) - 1;
    start = starts_[index];
    stop = index < ends_.size() ? ends_[index] : -1;
}
