#include "tools/inforeport.h"

#include <charconv>

ReportWriter& ReportWriter::text(std::string_view s) {
    buffer_.append(s);
    return *this;
}

ReportWriter& ReportWriter::integer(int64_t v) {
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, v);
    buffer_.append(digits, result.ptr);
    return *this;
}

ReportWriter& ReportWriter::fixed6(double v) {
    // Wide enough for the largest double written out in full with six decimals.
    char digits[400];
    const auto result =
        std::to_chars(digits, digits + sizeof digits, v, std::chars_format::fixed, 6);
    buffer_.append(digits, result.ptr);
    return *this;
}

void ReportWriter::endline() {
    buffer_.push_back('\n');
    if (buffer_.size() >= kFlushSize) flush();
}

bool ReportWriter::flush() {
    if (!buffer_.empty()) {
        if (std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size()) failed_ = true;
        buffer_.clear();
    }
    if (std::fflush(file_) != 0) failed_ = true;
    return !failed_;
}

namespace {

void writenodes(const NodeStore& nodes, ReportWriter& out) {
    for (int32_t i = 0; i <= nodes.lastnode(); ++i) {
        const Tnodedata& n = nodes.node(i);
        out.text("node ").integer(i).blank().integer(n.line).blank();
        out.fixed6(n.x).blank().fixed6(n.y).blank().fixed6(n.z).blank().integer(n.color);
        out.endline();
    }
}

void writeslots(const FeedSlots& slots, ReportWriter& out) {
    for (int s = 0; s <= slots.count; ++s) {
        const size_t i = static_cast<size_t>(s);
        out.text("slot ").integer(s).blank().integer(slots.tool[i]).blank();
        out.integer(slots.key[i]).blank().integer(FeedSlots::colorindex(s));
        out.endline();
    }
}

}  // namespace

void writeinforeport(const NcJob& job, bool withnodes, ReportWriter& out) {
    out.text("nodes ").integer(job.nodes.nodecount());
    out.endline();
    if (withnodes) writenodes(job.nodes, out);
    out.text("extents ").fixed6(job.xmin).blank().fixed6(job.xmax).blank();
    out.fixed6(job.ymin).blank().fixed6(job.ymax).blank();
    out.fixed6(job.zmin).blank().fixed6(job.zmax);
    out.endline();
    writeslots(job.feedslots, out);
    out.text(job.timetext).endline();
    out.text(job.zmaxtext).endline();
    out.text(job.zmintext).endline();
    out.text("zcolors ").integer(job.zmaxcolor).blank().integer(job.zmincolor);
    out.endline();
}
