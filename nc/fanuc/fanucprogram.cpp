#include "nc/fanuc/fanucprogram.h"

#include <algorithm>
#include <cstring>

#include "nc/fanuc/fanucblock.h"
#include "nc/vectorstate.h"

namespace {

bool blank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

const char* skipblanks(const char* p, const char* end) {
    while (p < end && blank(*p)) ++p;
    return p;
}

}  // namespace

void FanucProgram::load(ByteSource& source, const WorkingCallback& working) {
    text_.clear();
    indexed_ = false;
    headers_.clear();
    starts_.clear();
    ends_.clear();
    sequencecache_.clear();
    const int64_t size = source.size();
    if (size > 0) text_.reserve(static_cast<size_t>(size) + 1);
    constexpr size_t kChunk = size_t{1} << 20;
    std::string chunk(kChunk, '\0');
    int64_t sincereport = 0;
    for (;;) {
        const size_t got = source.read(reinterpret_cast<uint8_t*>(chunk.data()), kChunk);
        if (got == 0) break;
        text_.append(chunk.data(), got);
        sincereport += static_cast<int64_t>(got);
        if (working && sincereport >= (int64_t{32} << 20) && size > 0) {
            sincereport = 0;
            working(NcReader::kLoadingCaption, 0.5 * static_cast<double>(text_.size()) / static_cast<double>(size));
            clearwidevectorstate();  // the screen update ran toolkit code
        }
    }
}

void FanucProgram::line(const FanucPlace& at, const char*& begin, const char*& end, FanucPlace& next) const {
    const char* base = text_.data();
    const size_t from = static_cast<size_t>(at.offset);
    begin = base + from;
    const void* feed = std::memchr(begin, '\n', text_.size() - from);
    end = feed != nullptr ? static_cast<const char*>(feed) : base + text_.size();
    next.offset = (end - base) + (feed != nullptr ? 1 : 0);
    next.line = at.line + 1;
}

bool FanucProgram::programboundary(const char* begin, const char* end) const {
    const char* p = skipblanks(begin, end);
    if (p == end) return false;
    if (*p == '%') return true;
    if ((*p | 0x20) != 'o' && *p != ':') return false;
    p = skipblanks(p + 1, end);
    return p < end && *p >= '0' && *p <= '9';
}

void FanucProgram::indexheaders() {
    indexed_ = true;
    starts_.push_back(FanucPlace{});
    FanucPlace at, next;
    FanucBlockParser parser;
    FanucBlock block;
    while (!atend(at)) {
        const char *begin = nullptr, *end = nullptr;
        line(at, begin, end, next);
        if (programboundary(begin, end)) {
            ends_.push_back(at.offset);
            starts_.push_back(next);
            if (parser.parse(begin, end, block) == FanucLineKind::Header) {
                headers_.emplace(parser.number, next);  // the first of equal numbers counts
            }
        }
        at = next;
    }
    ends_.push_back(size());
}

bool FanucProgram::findprogram(int64_t number, FanucPlace& body) {
    if (!indexed_) indexheaders();
    const auto found = headers_.find(number);
    if (found == headers_.end()) return false;
    body = found->second;
    return true;
}

FanucPlace FanucProgram::programstart(const FanucPlace& at) const {
    auto after = std::upper_bound(starts_.begin(), starts_.end(), at.offset,
                                  [](int64_t offset, const FanucPlace& p) { return offset < p.offset; });
    return after == starts_.begin() ? FanucPlace{} : *(after - 1);
}

bool FanucProgram::findsequence(int64_t n, const FanucPlace& from, FanucPlace& found) const {
    const auto key = std::make_pair(from.offset, n);
    const auto cached = sequencecache_.find(key);
    if (cached != sequencecache_.end()) {
        found = cached->second;
        return true;
    }
    if (!indexed_) const_cast<FanucProgram*>(this)->indexheaders();
    const FanucPlace start = programstart(from);
    const size_t index = static_cast<size_t>(
        std::find_if(starts_.begin(), starts_.end(), [&](const FanucPlace& p) { return p.offset == start.offset; }) -
        starts_.begin());
    const int64_t stop = index < ends_.size() ? ends_[index] : size();
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
    const size_t length = std::strlen(keyword);
    FanucPlace at = from, next;
    while (!atend(at)) {
        const char *begin = nullptr, *end = nullptr;
        line(at, begin, end, next);
        if (programboundary(begin, end)) return false;
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
