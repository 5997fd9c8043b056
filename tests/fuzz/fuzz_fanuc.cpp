// Any bytes as an Fanuc-family program: the reading must finish, keep its tables in range and
// record only well-formed nodes, whatever offsets, calls, loops or expressions the bytes ask for.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "nc/ncjob.h"

namespace {

void require(bool condition) {
    if (!condition) std::abort();
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
    return 0;
}
