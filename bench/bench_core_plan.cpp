// Planning the machine's time for a large CAM-like program against interpreting it, in the
// same run: the CPU the planner's worker thread costs after a job, and its memory per node.
// The program file comes from the environment: KORVEN_BENCH_PROGRAM=<path to p100.nc>
// (bench/interp_throughput.sh makes it); the profile is the shipped mid-size mill.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "nc/ncjob.h"
#include "plan/toolpathplan.h"
#include "plan/travelcheck.h"

namespace {

const char* programpath() {
    return std::getenv("KORVEN_BENCH_PROGRAM");
}

NcJob& interpreted() {
    static std::unique_ptr<NcJob> job;
    if (!job) {
        job = std::make_unique<NcJob>();
        job->InitPlot(0);
        job->interpreting = true;
        job->PlotOnly(programpath());
    }
    return *job;
}

MachineProfile midmill() {
    const MachineProfileRead read =
        readmachineprofilefile(std::string(KORVEN_MACHINES) + "/mid-mill.ini");
    if (!read.error.empty()) std::fprintf(stderr, "%s\n", read.error.c_str());
    return read.profile;
}

bool haveprogram(benchmark::State& state) {
    if (programpath() != nullptr) return true;
    state.SkipWithError("set KORVEN_BENCH_PROGRAM to the 100 MB program");
    return false;
}

// The baseline: reading the program into the node store, as opening it does.
void BM_Interpret(benchmark::State& state) {
    if (!haveprogram(state)) return;
    NcJob job;
    for (auto _ : state) {
        job.InitPlot(0);
        job.interpreting = true;
        job.PlotOnly(programpath());
    }
    state.counters["nodes"] = job.nodes.nodecount();
}

void BM_PlanTime(benchmark::State& state) {
    if (!haveprogram(state)) return;
    const NcJob& job = interpreted();
    const MachineProfile profile = midmill();
    ToolpathPlan plan;
    for (auto _ : state) {
        plan = plantoolpath(job.nodes, job.events, job.inchunits, profile);
        benchmark::DoNotOptimize(plan.nodeseconds.data());
    }
    const double nodes = job.nodes.nodecount();
    const double bytes = plan.nodeseconds.capacity() * sizeof(float) +
                         job.events.feeds.capacity() * sizeof(MoveEvents::Feed) +
                         job.events.tools.capacity() * sizeof(MoveEvents::Tool) +
                         job.events.stops.capacity() * sizeof(MoveEvents::Stop);
    state.counters["nodes"] = nodes;
    state.counters["bytes_per_node"] = bytes / nodes;
    state.counters["planned_s"] = plan.planned;
    state.counters["feedonly_s"] = plan.feedonly;
    state.counters["feed_events"] = static_cast<double>(job.events.feeds.size());
}

// The floor: one walk over the nodes, as each of the planner's two passes makes.
void BM_WalkNodes(benchmark::State& state) {
    if (!haveprogram(state)) return;
    const NcJob& job = interpreted();
    for (auto _ : state) {
        double sum = 0;
        for (int32_t i = 0; i <= job.nodes.lastnode(); ++i) sum += job.nodes.node(i).x;
        benchmark::DoNotOptimize(sum);
    }
}

void BM_ExtentsAndLimits(benchmark::State& state) {
    if (!haveprogram(state)) return;
    const NcJob& job = interpreted();
    const MachineProfile profile = midmill();
    for (auto _ : state) {
        benchmark::DoNotOptimize(allextents(job.nodes));
        benchmark::DoNotOptimize(checklimits(job.nodes, job.inchunits, profile));
    }
}

}  // namespace

BENCHMARK(BM_Interpret)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_PlanTime)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_WalkNodes)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ExtentsAndLimits)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK_MAIN();
