// Any bytes as an NC program: the interpreter must finish, keep its tables in range and
// record only well-formed nodes. The first byte also picks the command-line arc mode.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "nc/ignoredtally.h"
#include "nc/ncjob.h"

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

void checknodes(const NodeStore& nodes) {
    require(nodes.lastnode() >= -1 && nodes.lastnode() <= nodes.nodecapacity());
    int32_t previousline = 0;
    for (int32_t i = 0; i <= nodes.lastnode(); ++i) {
        const Tnodedata& node = nodes.node(i);
        require(node.color < 16);
        require(node.z != 999.0);
        require(node.line >= previousline);  // nodes follow the program's lines
        previousline = node.line;
    }
}

void checkjob(const NcJob& job) {
    require(job.arcmode >= 0 && job.arcmode <= 2);
    require(job.feedslots.count >= -1 && job.feedslots.count < 10);
    require(job.feedcolor >= 0 && job.feedcolor < 16);
    require(job.curcolor < 16);
    for (const std::string* text : {&job.timetext, &job.zmaxtext, &job.zmintext}) {
        require(text->size() <= 255);
        require(text->find("-nan") == std::string::npos);  // a NaN is written without a sign
    }
    checknodes(job.nodes);
    // Whatever the bytes, the notice stays a short list of real counts.
    require(job.notice.ignored().size() <= IgnoredTally::kMaxKinds + 26);
    for (const ReadingNotice::Ignored& entry : job.notice.ignored()) {
        require(entry.count >= 1 && entry.firstline >= 1 && !entry.code.empty());
    }
    require(job.notice.thousandths().count == 0 || job.notice.thousandths().firstvalue != 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    // One job for the whole run, as in the viewer: later files reuse the node blocks.
    static NcJob job;
    static int arcerrors = 0;
    if (!job.arcDataError) job.arcDataError = [] { ++arcerrors; };
    job.InitPlot(size > 0 ? data[0] % 3 : 0);
    job.PlotMemory(data, size);
    checkjob(job);
    return 0;
}
