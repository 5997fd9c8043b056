// Frame times of the viewer on a real display (run under xvfb-run, with software GL or with
// GALLIUM_NOOP=1 for the CPU cost alone): full frames of synthetic toolpaths of 100 thousand
// to 10 million nodes at a fixed window size, drawn from the vertex arrays (/0) and node by
// node (/1, the cost before the arrays); the full store of 33.5 million nodes
// (BM_FullStore, about 2 GB of memory); the time from opening a large program to its first and
// its fitted picture, both ways; the peak memory of ten openings (run BM_OpenTenTimes alone:
// the peak is the process's); and the frames of a drag over that program against its still
// frame (once a still frame takes 0.2 s or more, drag frames leave the toolpath out, or draw
// its simplified copy).
// The program file comes from the environment: KORVEN_BENCH_PROGRAM=<path to p100.nc>.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <QEventLoop>
#include <QMessageBox>
#include <QTimer>
#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <thread>

#include "app/dragsimplification.h"
#include "app/planreadout.h"
#include "app/vorlixmain.h"
#include "render/glimage.h"

namespace {

constexpr int kWindowWidth = 1024;
constexpr int kWindowHeight = 768;

void runloop(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Message boxes answered, with the text of the last one.
int answered = 0;
std::string lastmessage;

std::unique_ptr<Tvorlixform> shownwindow() {
    auto w = std::make_unique<Tvorlixform>(parsecommandline(1, std::array{"korven"}.data()));
    // A program past the node store's limit ends its opening with a message box: answered.
    auto* answer = new QTimer(w.get());
    QObject::connect(answer, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            ++answered;
            lastmessage = box->text().toStdString();
            box->close();
        }
    });
    answer->start(200);
    w->showNormal();
    w->setWindowState(Qt::WindowNoState);
    w->resize(kWindowWidth, kWindowHeight);
    w->show();
    for (int i = 0; i < 50 && w->firstidle; ++i) runloop(20);
    return w;
}

// A pocketing pattern: passes of a zig-zag descending in Z, one colour per tool pass, with a
// rapid between passes, as a large roughing program looks.
void fillnodes(Tvorlixform& w, int32_t count) {
    NcJob& job = w.job;
    job.nodes.resetnodedata();
    job.xmin = 0, job.xmax = 200, job.ymin = 0, job.ymax = 120, job.zmin = -20, job.zmax = 0;
    for (int32_t i = 0; i < count; ++i) {
        const int32_t pass = i / 100000;
        const double t = static_cast<double>(i % 100000) / 100000.0;
        const double x = 200.0 * std::fabs(std::fmod(t * 60.0, 2.0) - 1.0);
        const double y = 120.0 * t;
        const double z = -20.0 * static_cast<double>(pass % 20) / 20.0;
        const bool rapid = (i % 100000) < 2;
        const auto color = static_cast<uint8_t>(rapid ? 4 : kSlotColorIndex[pass % 10]);
        job.nodes.pushnodedata(i / 3, color, x, y, z);
    }
    w.infodirty = true;
    w.logoshown = false;  // the toolpath replaces the start-up logo, as after a job
    w.SpeedButton5Click();
}

void BM_Frame(benchmark::State& state) {
    auto w = shownwindow();
    fillnodes(*w, static_cast<int32_t>(state.range(0)));
    w->drawer()->nodebynode = state.range(1) != 0;
    for (auto _ : state) w->renderframe();
    state.counters["nodes"] = static_cast<double>(w->job.nodes.nodecount());
    state.counters["Mnodes/s"] = benchmark::Counter(static_cast<double>(state.range(0)) / 1e6,
                                                    benchmark::Counter::kIsIterationInvariantRate);
    state.SetLabel(std::to_string(w->wrkscreen->width()) + "x" +
                   std::to_string(w->wrkscreen->height()));
}

const char* benchprogram(benchmark::State& state) {
    const char* program = std::getenv("KORVEN_BENCH_PROGRAM");
    if (program == nullptr) state.SkipWithError("KORVEN_BENCH_PROGRAM names no program");
    return program;
}

double threadseconds() {
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
}

double peakmegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// A shown window about to open the program, drawing from the arrays (argument 0) or node by
// node (1).
std::unique_ptr<Tvorlixform> programwindow(const char* program, const benchmark::State& state) {
    auto w = shownwindow();
    w->drawer()->nodebynode = state.range(0) != 0;
    w->ncfilename = w->ncpath = program;
    return w;
}

// Opening to the fitted picture, drawn from the arrays (/0) or node by node (/1); with a
// machine profile chosen, the plan's worker runs beside the picture and its readiness is timed.
void opentofirstpicture(benchmark::State& state, bool machine) {
    const char* program = benchprogram(state);
    if (program == nullptr) return;
    for (auto _ : state) {
        auto w = programwindow(program, state);
        if (machine) {
            w->planreadout()->chooseprofile(QStringLiteral(KORVEN_MACHINES "/mid-mill.ini"), true);
        }
        using Clock = std::chrono::steady_clock;
        Clock::time_point start;
        Clock::time_point first;
        bool seen = false;
        auto afterframe = w->frame()->afterframe;
        w->frame()->afterframe = [&] {
            if (!seen) first = Clock::now();
            seen = true;
            if (afterframe) afterframe();
        };
        start = Clock::now();
        const double cpu = threadseconds();
        w->opensequence();
        const Clock::time_point fitted = Clock::now();
        // The drawing thread's own time: what the wall time is on an idle machine when the
        // driver does no drawing (GALLIUM_NOOP=1).
        state.counters["thread_cpu_s"] = threadseconds() - cpu;
        const double fittedseconds = std::chrono::duration<double>(fitted - start).count();
        state.SetIterationTime(fittedseconds);
        state.counters["first_s"] = std::chrono::duration<double>(first - start).count();
        state.counters["fitted_s"] = fittedseconds;
        state.counters["nodes"] = static_cast<double>(w->job.nodes.nodecount());
        if (machine) {
            w->planreadout()->waitforplan();
            state.counters["plan_ready_s"] =
                std::chrono::duration<double>(Clock::now() - start).count();
        }
        if (answered > 0) state.SetLabel(lastmessage);
    }
}

void BM_OpenToFirstPicture(benchmark::State& state) {
    opentofirstpicture(state, false);
}
void BM_OpenToFirstPictureWithMachine(benchmark::State& state) {
    opentofirstpicture(state, true);
}

// The process's peak memory after one opening of the program and after ten in one window,
// drawn from the arrays (/0) or node by node (/1), and the time of the tenth opening.
void BM_OpenTenTimes(benchmark::State& state) {
    const char* program = benchprogram(state);
    if (program == nullptr) return;
    for (auto _ : state) {
        auto w = programwindow(program, state);
        w->opensequence();
        const double once = peakmegabytes();
        for (int i = 1; i < 9; ++i) w->opensequence();
        // The last opening also timed: the node store's memory is already there.
        const auto start = std::chrono::steady_clock::now();
        const double cpu = threadseconds();
        w->opensequence();
        state.counters["again_thread_cpu_s"] = threadseconds() - cpu;
        state.counters["again_s"] =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.counters["peak1_MB"] = once;
        state.counters["peak10_MB"] = peakmegabytes();
        state.counters["growth_%"] = (peakmegabytes() / once - 1.0) * 100.0;
    }
}

// Drag frames over the program against its still frame: with simplified drags switched off
// (/0, a slow toolpath is left out) and on (/1, the copy the frame's budget allows). Reported:
// the levels (on stderr), the drawn level's vertices and bytes per vertex, and the seconds from
// the end of the opening until the first level and the drawn one were published. The pictures
// before and during the drag are saved where KORVEN_BENCH_STILL_PICTURE and
// KORVEN_BENCH_DRAG_PICTURE say.
void BM_DragFrame(benchmark::State& state) {
    const char* program = benchprogram(state);
    if (program == nullptr) return;
    auto w = shownwindow();
    w->frame()->simplifieddrags = state.range(0) != 0;
    w->ncfilename = w->ncpath = program;
    w->opensequence();
    using Clock = std::chrono::steady_clock;
    const Clock::time_point opened = Clock::now();
    SimplifiedPath& path = w->simplification()->path();
    // When each level was published, seen by polling until the worker is done.
    std::vector<std::pair<const SimplifiedLevel*, double>> published;
    for (size_t seen = 0; Clock::now() - opened < std::chrono::seconds(30);) {
        const auto levels = path.levels();
        const size_t count = levels ? levels->levels.size() : 0;
        if (count > seen) {
            const double at = std::chrono::duration<double>(Clock::now() - opened).count();
            for (const auto& level : levels->levels) {
                if (std::none_of(published.begin(), published.end(),
                                 [&](const auto& p) { return p.first == level.get(); })) {
                    published.emplace_back(level.get(), at);
                }
            }
            seen = count;
        }
        if (path.finished()) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    const double buildseconds = published.empty() ? 0.0 : published.front().second;
    path.wait();
    state.counters["all_levels_s"] = std::chrono::duration<double>(Clock::now() - opened).count();
    double still = 1e9;
    for (int i = 0; i < 3; ++i) {
        const Clock::time_point start = Clock::now();
        w->renderframe();
        still = std::min(still, std::chrono::duration<double>(Clock::now() - start).count());
    }
    if (const char* picture = std::getenv("KORVEN_BENCH_STILL_PICTURE")) {
        w->wrkscreen->currentPicture().save(picture);
    }
    w->surfacedrag.SurfaceMouseDown(MouseButton::Middle, false, 300, 300, 0.0);
    int32_t x = 300;
    for (auto _ : state) {
        w->surfacedrag.SurfaceMouseMove(++x, 300);
        w->renderframe();
    }
    if (const char* picture = std::getenv("KORVEN_BENCH_DRAG_PICTURE")) {
        w->wrkscreen->currentPicture().save(picture);
    }
    w->surfacedrag.SurfaceMouseUp(0.0);
    state.counters["still_ms"] = still * 1e3;
    state.counters["slowframe"] = w->frame()->slowframe ? 1 : 0;
    state.counters["nodes"] = static_cast<double>(w->job.nodes.nodecount());
    state.counters["level"] = w->simplification()->lastlevel();
    if (const auto levels = path.levels()) {
        const double pixel = pixelworldsize(w->view.viewscale, w->wrkscreen->pixelheight());
        for (const auto& level : levels->levels) {
            std::fprintf(stderr, "level %.2f px: %lld lines%s\n", level->tolerance / pixel,
                         static_cast<long long>(level->lines()),
                         level->segments.empty() ? "" : " (grid)");
        }
        // The level drawn: its vertices and the memory they take with what they were made from.
        const int k = w->simplification()->lastlevel();
        if (k >= 0) {
            const SimplifiedLevel& level = *levels->levels[static_cast<size_t>(k)];
            double vertices = 2.0 * static_cast<double>(level.segments.size());
            // A copy on a grid is drawn from where it lies: 32 bytes a segment, nothing more.
            double bytes = 32.0 * static_cast<double>(level.segments.size());
            const std::vector<int32_t>& kept = level.kept;
            for (size_t i = 0; i < kept.size(); ++i) {
                const bool joint = i > 0 && w->job.nodes.node(kept[i]).color !=
                                                w->job.nodes.node(kept[i - 1]).color;
                vertices += joint ? 3 : 1;
            }
            bytes += 4.0 * static_cast<double>(kept.capacity()) +
                     16.0 * static_cast<double>(kept.size());
            state.counters["drawn_vertices"] = vertices;
            for (const auto& [level, at] : published) {
                if (level == levels->levels[static_cast<size_t>(k)].get()) {
                    state.counters["drawn_level_s"] = at;
                }
            }
            state.counters["drawn_px"] = level.tolerance / pixel;
            state.counters["B_per_vertex"] = bytes / vertices;
        }
        state.counters["first_level_s"] = buildseconds;
        state.counters["levels"] = static_cast<double>(levels->levels.size());
    }
}

}  // namespace

BENCHMARK(BM_Frame)
    ->ArgsProduct({{100000, 1000000, 10000000}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0);
BENCHMARK(BM_Frame)
    ->Name("BM_FullStore")
    ->Args({NodeStore::kMaxBlocks * NodeStore::kBlockSize, 0})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0);
BENCHMARK(BM_OpenToFirstPicture)
    ->Arg(0)
    ->Arg(1)
    ->Iterations(1)
    ->Repetitions(3)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);
BENCHMARK(BM_OpenToFirstPictureWithMachine)
    ->Arg(0)
    ->Iterations(1)
    ->Repetitions(3)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);
BENCHMARK(BM_OpenTenTimes)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_DragFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(1.0);

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
