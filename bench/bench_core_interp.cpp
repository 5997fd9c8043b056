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

}  // namespace

BENCHMARK_MAIN();
