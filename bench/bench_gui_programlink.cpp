// The program pane and the line-move link on the 100 MB program, in the real window (run under
// xvfb-run; GALLIUM_NOOP=1 for the CPU cost alone): opening without the line index (/0, as
// before the pane) and with it (/1); showing the pane, going to the last line and scrolling a
// page, each for the pane alone and, where the picture follows, with its frame; a pick per
// pointer move, and the making of its bounding spheres (once per job); and a frame with 1 million
// nodes highlighted (/1) against the same frame without (/0). The program file comes from the
// environment: KORVEN_BENCH_PROGRAM=<path to p100.nc>.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEventLoop>
#include <QScrollBar>
#include <QTimer>
#include <array>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <random>

#include "app/programlink.h"
#include "app/programpane.h"
#include "app/vorlixmain.h"
#include "render/glimage.h"

namespace {

using Clock = std::chrono::steady_clock;

double msince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void runloop(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// A shown 1280 x 900 window with the program opened (its line index built or not).
std::unique_ptr<Tvorlixform> openedwindow(benchmark::State& state, bool index) {
    const char* program = std::getenv("KORVEN_BENCH_PROGRAM");
    if (program == nullptr) {
        state.SkipWithError("KORVEN_BENCH_PROGRAM names no program");
        return nullptr;
    }
    auto w = std::make_unique<Tvorlixform>(parsecommandline(1, std::array{"korven"}.data()));
    w->showNormal();
    w->resize(1280, 900);
    w->show();
    for (int i = 0; i < 50 && w->firstidle; ++i) runloop(20);
    w->job.indexlines = index;
    w->ncfilename = w->ncpath = program;
    return w;
}

void BM_OpenWithLineIndex(benchmark::State& state) {
    for (auto _ : state) {
        auto w = openedwindow(state, state.range(0) != 0);
        if (!w) return;
        const Clock::time_point start = Clock::now();
        w->opensequence();
        state.SetIterationTime(msince(start) / 1e3);
        const auto lines = static_cast<double>(w->job.lines.linecount());
        state.counters["lines"] = lines;
        state.counters["index_MB"] = static_cast<double>(w->job.lines.memorybytes()) / 1e6;
        state.counters["index_B_per_line"] =
            lines > 0 ? static_cast<double>(w->job.lines.memorybytes()) / lines : 0;
    }
}

// The pane's own work (/0) and with the picture's frame at its new width (/1, show only).
void BM_PaneShowGotoScroll(benchmark::State& state) {
    auto w = openedwindow(state, true);
    if (!w) return;
    w->opensequence();
    ProgramPane& pane = *w->programpane;
    // Painted and composed at once, as the user would see it.
    const auto paint = [&pane] {
        pane.repaint();
        Tglimage::flushdisplay(&pane);
    };
    double show = 0, showframe = 0, gotolast = 0, scroll = 0;
    int64_t n = 0;
    for (auto _ : state) {
        w->programlink().showprogrampane(false);
        pane.setVisible(true);  // the pane alone, without the surface's new frame
        Clock::time_point t = Clock::now();
        paint();
        show += msince(t);
        pane.setVisible(false);
        t = Clock::now();
        w->programlink().showprogrampane(true);
        paint();
        showframe += msince(t);
        t = Clock::now();
        pane.scrolltoline(pane.linecount());
        paint();
        gotolast += msince(t);
        t = Clock::now();
        pane.verticalScrollBar()->setValue(pane.verticalScrollBar()->value() -
                                           pane.verticalScrollBar()->pageStep());
        paint();
        scroll += msince(t);
        ++n;
    }
    state.counters["show_ms"] = show / n;
    state.counters["show_with_frame_ms"] = showframe / n;
    state.counters["last_line_ms"] = gotolast / n;
    state.counters["page_ms"] = scroll / n;
}

void BM_PickPerPointerMove(benchmark::State& state) {
    auto w = openedwindow(state, true);
    if (!w) return;
    w->opensequence();
    const int width = w->wrkscreen->pixelwidth();
    const int height = w->wrkscreen->pixelheight();
    Clock::time_point t = Clock::now();
    w->programlink().pickat(width / 2, height / 2, false);  // makes the spheres, once per job
    state.counters["spheres_build_ms"] = msince(t);
    state.counters["spheres_MB"] = static_cast<double>(w->programlink().picker.memorybytes()) / 1e6;
    std::mt19937 random(3);
    std::uniform_int_distribution<int> px(0, width - 1), py(0, height - 1);
    int hits = 0;
    for (auto _ : state) hits += w->programlink().pickat(px(random), py(random), false) ? 1 : 0;
    state.counters["hit_share"] = static_cast<double>(hits) / state.iterations();
}

void BM_FrameWithHighlight(benchmark::State& state) {
    auto w = openedwindow(state, true);
    if (!w) return;
    w->opensequence();
    const int32_t middle = w->job.nodes.nodecount() / 2;
    w->programlink().highlight.nodes =
        state.range(0) != 0 ? NodeSpan{middle, middle + 1000000} : NodeSpan{};
    w->renderframe();
    for (auto _ : state) w->renderframe();
}

}  // namespace

BENCHMARK(BM_OpenWithLineIndex)
    ->Arg(0)
    ->Arg(1)
    ->Iterations(1)
    ->Repetitions(3)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);
BENCHMARK(BM_PaneShowGotoScroll)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PickPerPointerMove)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_FrameWithHighlight)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2.0);

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
