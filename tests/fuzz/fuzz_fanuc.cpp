// Any bytes as an Fanuc-family program: the reading must finish, keep its tables in range and
// record only well-formed nodes, whatever offsets, calls, loops or expressions the bytes ask for.
// The same bytes read from a file in chunks of a few bytes (lines across borders, jumps back to
// chunks the cache let go of) must give the same nodes and problems as the bytes held whole.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "nc/fanuc/fanucinterpreter.h"
#include "nc/ncjob.h"

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

// Memory read as a file is: in order first, then again from any place.
class PlacedBytes : public ByteSource {
  public:
    PlacedBytes(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    size_t read(uint8_t* buffer, size_t capacity) override {
        const size_t n = readat(static_cast<int64_t>(at_), buffer, capacity);
        at_ += n;
        return n;
    }
    size_t readat(int64_t offset, uint8_t* buffer, size_t capacity) override {
        const size_t from = static_cast<size_t>(offset) < size_ ? static_cast<size_t>(offset) : size_;
        const size_t n = capacity < size_ - from ? capacity : size_ - from;
        if (n > 0) std::memcpy(buffer, data_ + from, n);
        return n;
    }
    int64_t size() const override { return static_cast<int64_t>(size_); }
    bool atend() const override { return at_ >= size_; }
    bool seekable() const override { return true; }

  private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};

void samereadinchunks(const NcJob& whole, const uint8_t* data, size_t size) {
    static NcJob job;
    job.dialect = NcDialect::Fanuc;
    job.tools = whole.tools;
    job.linerunlimit = whole.linerunlimit;
    job.InitPlot(0);
    job.interpreting = true;
    job.nodes.resetnodedata();
    job.contour.clear();
    job.events.clear();
    PlacedBytes source(data, size);
    FanucInterpreter reading(job, source, true);
    // Three chunks of 7 bytes: nearly every line crosses a border and every jump reads again.
    reading.chunkbytes = 7;
    reading.chunks = 3;
    reading.run();
    require(job.nodes.lastnode() == whole.nodes.lastnode());
    for (int32_t i = 0; i <= job.nodes.lastnode(); ++i) {
        const Tnodedata &a = job.nodes.node(i), &b = whole.nodes.node(i);
        require(std::memcmp(&a, &b, 3 * sizeof(double)) == 0 && a.line == b.line && a.color == b.color);
    }
    const auto& problems = job.notice.problems();
    require(problems.size() == whole.notice.problems().size());
    for (size_t i = 0; i < problems.size(); ++i) {
        require(problems[i].line == whole.notice.problems()[i].line);
        require(problems[i].message == whole.notice.problems()[i].message);
    }
    require(job.timetext == whole.timetext);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    // One job for the whole run, as in the viewer: later files reuse the node blocks.
    static NcJob job;
    job.dialect = NcDialect::Fanuc;
    // Offsets for D1 to D3 and H1 to H3, the last with a radius of nothing.
    if (!job.tools.found()) job.tools = ToolTable::parse("T1 D6 Z100\nT2 D0.5 Z-20\nT3 D0\n");
    // A loop without end stops soon: the fuzzer's time goes to other inputs.
    job.linerunlimit = 20000;
    job.InitPlot(0);
    job.PlotMemory(data, size);
    require(!job.interpreting);
    require(job.feedslots.count >= -1 && job.feedslots.count < 10);
    require(job.feedcolor >= 0 && job.feedcolor < 16);
    for (const std::string* text : {&job.timetext, &job.zmaxtext, &job.zmintext}) {
        require(text->size() <= 255);
        require(text->find("-nan") == std::string::npos);
    }
    const NodeStore& nodes = job.nodes;
    for (int32_t i = 0; i <= nodes.lastnode(); ++i) {
        const Tnodedata& node = nodes.node(i);
        require(node.color < 16);
        require(node.line >= 1 || i == 0);  // calls and loops go back: lines need not rise
    }
    for (const ReadingNotice::Problem& problem : job.notice.problems()) {
        require(problem.line >= 1 && !problem.message.empty());
    }
    samereadinchunks(job, data, size);
    return 0;
}
