// Any bytes as an RS274/NGC program: the reading must finish, keep its tables in range and
// record only well-formed nodes, whatever offsets, cycles, turns, loops or calls the bytes ask
// for.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "nc/ncjob.h"
#include "nc/offsettable.h"

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    // One job for the whole run, as in the viewer: later files reuse the node blocks.
    static NcJob job;
    job.dialect = NcDialect::Ngc;
    // A loop without end stops soon: each input must finish quickly.
    job.linerunlimit = 10000;
    // Tools for G41/G42 D1 to D3, the last one with a radius of nothing.
    if (!job.tools.found()) job.tools = ToolTable::parse("T1 D6\nT2 D0.5\nT3 D0\n");
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
        require(node.line >= 0);  // loops and calls go back: lines only stay lines
    }
    // The contour beside them: in node order, its arcs ending inside a piece, and drawable.
    const ProgrammedContour& contour = job.contour;
    const auto& points = contour.points();
    for (size_t i = 1; i < points.size(); ++i) require(points[i - 1].node <= points[i].node);
    for (size_t i = 0; i < contour.pieces().size(); ++i) {
        require(contour.pieces()[i] < points.size() && (i == 0 || contour.pieces()[i - 1] < contour.pieces()[i]));
    }
    for (const ContourArc& arc : contour.arcs()) require(arc.point > 0 && arc.point < points.size());
    size_t drawn = 0;
    contour.walk(0, points.size(), [] {}, [&drawn](double, double, double) { ++drawn; });
    require(drawn >= points.size());
    // The same bytes as a tool table and an offset file: named problems, never a crash.
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    require(ToolTable::parse(text).found() && OffsetTable::parse(text).found());
    for (const ReadingNotice::Problem& problem : job.notice.problems()) {
        require(problem.line >= 1 && !problem.message.empty());
    }
    return 0;
}
