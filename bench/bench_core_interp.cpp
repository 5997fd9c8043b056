// In-memory interpretation of a synthetic milling program: lines, I/J and R arcs,
// helices, comments, CRLF line ends; and the report-free job cost per megabyte.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>
#include <string>

#include "nc/ncjob.h"

namespace {

std::string syntheticprogram(size_t bytes) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> coord(0.0, 200.0);
    std::string text = "(SYNTHETIC)\r\nG21 G90 G17\r\nT1 M6\r\nG0 X0 Y0 Z5.\r\n";
    char line[160];
    double x = 0, y = 0;
    for (int n = 0; text.size() < bytes; ++n) {
        const double nx = coord(random), ny = coord(random);
        switch (n % 8) {
            case 0:
                std::snprintf(line, sizeof line, "G3 X%.3f Y%.3f I%.3f J%.3f F1200.\r\n", nx, ny,
                              (nx - x) / 2, (ny - y) / 2);
                break;
            case 1:
                std::snprintf(line, sizeof line, "G2 X%.3f Y%.3f R%.3f\r\n", nx, ny, 150.0);
                break;
            case 2:
                std::snprintf(line, sizeof line, "G1 Z-%.3f F400.\r\n", coord(random) / 100);
                break;
            case 3:
                std::snprintf(line, sizeof line, "(PASS %d)\r\n", n);
                break;
            default:
                std::snprintf(line, sizeof line, "G1 X%.3f Y%.3f\r\n", nx, ny);
                break;
        }
        text += line;
        x = nx;
        y = ny;
    }
    return text;
}

// Interprets the program once per iteration, reporting bytes per second; gives the node count.
int32_t interpretrepeatedly(benchmark::State& state, const std::string& program,
                            bool indexlines = false) {
    NcJob job;
    job.indexlines = indexlines;
    for (auto _ : state) {
        job.InitPlot(0);
        job.PlotMemory(program);
        benchmark::DoNotOptimize(job.nodes.lastnode());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(program.size()));
    return job.nodes.nodecount();
}

void BM_InterpretInMemory(benchmark::State& state) {
    const std::string program = syntheticprogram(static_cast<size_t>(state.range(0)) << 20);
    state.counters["nodes"] = interpretrepeatedly(state, program);
}
BENCHMARK(BM_InterpretInMemory)->Arg(8)->Unit(benchmark::kMillisecond);

// The same with the line index the program pane reads through (/0 without, /1 with), in one
// run so that both see the same machine.
void BM_InterpretWithLineIndex(benchmark::State& state) {
    const std::string program = syntheticprogram(size_t{8} << 20);
    state.counters["nodes"] = interpretrepeatedly(state, program, state.range(0) != 0);
}
BENCHMARK(BM_InterpretWithLineIndex)
    ->Arg(0)
    ->Arg(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

void BM_LongNumbers(benchmark::State& state) {
    // Numbers past the exact fast path: 17 significant digits.
    std::string program = "Z0\n";
    while (program.size() < (4u << 20)) program += "X70.590355329949231 Y-1.2345678901234567\n";
    interpretrepeatedly(state, program);
}
BENCHMARK(BM_LongNumbers)->Unit(benchmark::kMillisecond);

// Rounded rectangles of many sizes as a CAM post writes them "in control": a straight
// lead-in, a tangent lead-in arc, the contour, a lead-out arc and a straight lead-out. With /1
// each is cut with G41.1 (a 6 mm tool inside it) on the lead-in and G40 on the lead-out; /0
// is the same text with those words blanked out, so both read the same bytes.
std::string contourprogram(size_t bytes, bool compensated) {
    std::mt19937 random(11);
    std::uniform_real_distribution<double> size(40.0, 120.0), place(0.0, 300.0);
    std::string text = "G21 G90 G17\nG0 X0 Y0 Z5\n";
    char block[600];
    const char* on = compensated ? "G41.1 D6" : "        ";
    const char* off = compensated ? "G40" : "   ";
    while (text.size() < bytes) {
        const double x0 = place(random), y0 = place(random);
        const double x1 = x0 + size(random), y1 = y0 + size(random), r = 10, lead = 5;
        const double xm = (x0 + x1) / 2;
        std::snprintf(
            block, sizeof block,
            "G0 X%.3f Y%.3f\nG1 Z-1. F300.\n%s G1 Y%.3f F1200.\nG3 X%.3f Y%.3f R%.3f\n"
            "G1 X%.3f\nG3 X%.3f Y%.3f R%.3f\nG1 Y%.3f\nG3 X%.3f Y%.3f R%.3f\n"
            "G1 X%.3f\nG3 X%.3f Y%.3f R%.3f\nG1 Y%.3f\nG3 X%.3f Y%.3f R%.3f\n"
            "G1 X%.3f\nG3 X%.3f Y%.3f R%.3f\n%s G1 Y%.3f\nG0 Z5.\n",
            xm - lead, y0 + 3 * lead, on, y0 + lead, xm, y0, lead,                 // lead-in
            x1 - r, x1, y0 + r, r, y1 - r, x1 - r, y1, r,                          // contour
            x0 + r, x0, y1 - r, r, y0 + r, x0 + r, y0, r,
            xm, xm + lead, y0 + lead, lead, off, y0 + 3 * lead);                   // lead-out
        text += block;
    }
    return text;
}

void BM_Compensation(benchmark::State& state) {
    const std::string program = contourprogram(size_t{8} << 20, state.range(0) != 0);
    NcJob job;
    job.dialect = NcDialect::Ngc;
    for (auto _ : state) {
        job.InitPlot(0);
        job.PlotMemory(program);
        benchmark::DoNotOptimize(job.nodes.lastnode());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(program.size()));
    state.counters["nodes"] = job.nodes.nodecount();
    state.counters["problems"] = static_cast<double>(job.notice.problems().size());
}
BENCHMARK(BM_Compensation)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
