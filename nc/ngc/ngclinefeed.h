#pragma once

#include <chrono>
#include <cstdint>
#include <vector>

#include "nc/bytesource.h"
#include "nc/ncreader.h"

// Hands out the program one line at a time, straight from a large read buffer, and reports
// loading progress as the default reading does.
class NgcLineFeed {
  public:
    static constexpr size_t kBufferSize = size_t{1} << 20;
    // A line longer than this is cut (and said so): no program line is anywhere near it.
    static constexpr size_t kMaxLine = size_t{16} << 20;

    NgcLineFeed(ByteSource& source, const WorkingCallback& working);

    // The next line without its line feed; false at the end of the text. Throws NcFileError.
    bool next(const char*& begin, const char*& end);

    int64_t line = 0;   // number of the line last handed out, from 1
    bool cut = false;   // the line last handed out was longer than kMaxLine

  private:
    bool fill();
    void progress(double fraction);

    ByteSource& source_;
    const WorkingCallback& working_;
    std::vector<char> buffer_;
    size_t start_ = 0, fill_ = 0;
    bool exhausted_ = false;
    bool skipping_ = false;
    int64_t bytesread_ = 0;
    std::chrono::steady_clock::time_point lastprogress_;
};
