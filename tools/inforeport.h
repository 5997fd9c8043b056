#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "nc/ncjob.h"

// Buffered text output for reports of millions of lines.
class ReportWriter {
  public:
    explicit ReportWriter(std::FILE* file) : file_(file) { buffer_.reserve(kFlushSize + 256); }
    ~ReportWriter() { flush(); }
    ReportWriter(const ReportWriter&) = delete;
    ReportWriter& operator=(const ReportWriter&) = delete;

    ReportWriter& text(std::string_view s);
    ReportWriter& integer(int64_t v);
    ReportWriter& fixed6(double v);  // like printf "%.6f"
    ReportWriter& blank() { return text(" "); }
    void endline();
    // False when the output could not be written (a full disk, a closed pipe).
    bool flush();

  private:
    static constexpr size_t kFlushSize = 1 << 20;
    std::FILE* file_;
    std::string buffer_;
    bool failed_ = false;
};

// The report of an interpreted job: node count, nodes (optional), extents, slots and
// statistics, one item per line.
void writeinforeport(const NcJob& job, bool withnodes, ReportWriter& out);
