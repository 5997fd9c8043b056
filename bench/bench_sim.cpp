// Stock simulation time beside the reading time of the same program, in one run: reads each
// program as the viewer does, then simulates every move on a grid of about N x N cells, and
// prints both times, their ratio and the memory the simulation holds.
// Usage: bench_sim [--grid N] [--threads T] PROGRAM...

#include <malloc.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "nc/ncjob.h"
#include "sim/stocksimulation.h"

namespace {

double seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// Processor seconds of every thread so far: with other work sharing the machine, wall time
// alone says little.
double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Heap bytes in use, mapped blocks included.
double heapBytes()
{
    const struct mallinfo2 info = mallinfo2();
    return static_cast<double>(info.uordblks + info.hblkhd);
}

long peakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

int main(int argc, char** argv)
{
    int grid = 1024;
    unsigned threads = 0;
    int first = 1;
    for (; first + 1 < argc && std::strncmp(argv[first], "--", 2) == 0; first += 2) {
        if (std::strcmp(argv[first], "--grid") == 0)
            grid = std::atoi(argv[first + 1]);
        else if (std::strcmp(argv[first], "--threads") == 0)
            threads = static_cast<unsigned>(std::atoi(argv[first + 1]));
    }
    std::printf("%-34s %9s %9s %7s %7s %7s %7s %6s %7s %7s %7s\n", "program", "moves", "grid",
                "read s", "cpu s", "sim s", "cpu s", "ratio", "map MB", "kept MB", "peak MB");
    for (int a = first; a < argc; ++a) {
        NcJob job;
        const auto readStart = std::chrono::steady_clock::now();
        const double readCpuStart = cpuSeconds();
        try {
            job.InitPlot(0);
            job.interpreting = true;
            job.PlotOnly(argv[a]);
        } catch (const std::exception& error) {
            std::fprintf(stderr, "%s: %s\n", argv[a], error.what());
            continue;
        }
        const double read = seconds(readStart);
        const double readCpu = cpuSeconds() - readCpuStart;
        const long peakRead = peakKilobytes();
        sim::StockRequest request;
        request.quality = grid;
        const auto simStart = std::chrono::steady_clock::now();
        const double simCpuStart = cpuSeconds();
        const double heapBefore = heapBytes();
        sim::StockSimulation simulation(job, request, threads);
        if (!simulation.ready()) {
            std::fprintf(stderr, "%s: %s\n", argv[a], simulation.problem().c_str());
            continue;
        }
        // The simulation's own memory: its heap use above what the job held, at its highest
        // between batches.
        double heapPeak = heapBytes() - heapBefore;
        simulation.runAll([&](int32_t, int32_t) { heapPeak = std::max(heapPeak, heapBytes() - heapBefore); });
        const double simulated = seconds(simStart);
        const double simCpu = cpuSeconds() - simCpuStart;
        const sim::HeightMap& map = simulation.heightMap();
        const char* name = std::strrchr(argv[a], '/');
        std::printf("%-34s %9d %4dx%-4d %7.3f %7.3f %7.3f %7.3f %6.2f %7.1f %7.1f %7.1f\n",
                    name ? name + 1 : argv[a], job.nodes.nodecount(), map.columns(), map.rows(),
                    read, readCpu, simulated, simCpu, simulated / read,
                    static_cast<double>(map.cellCount()) * 4.0 / 1048576,
                    static_cast<double>(simulation.checkpointBytes()) / 1048576.0,
                    static_cast<double>(peakKilobytes()) / 1024.0);
        std::fprintf(stderr, "  peak after reading %.1f MB; simulation heap %.1f MB (%.1f beyond the map); removed %.3f, %zu alarms\n",
                     static_cast<double>(peakRead) / 1024.0, heapPeak / 1048576,
                     (heapPeak - static_cast<double>(map.cellCount()) * 4) / 1048576, simulation.removedVolume(), simulation.alarms().size());
    }
    return 0;
}
