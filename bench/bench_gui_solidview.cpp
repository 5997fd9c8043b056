// Frames of the solid view at 1024 x 768 (run with software GL, and with GALLIUM_NOOP=1 for the
// CPU side alone): a still frame of a stock of 256, 1024 and 2048 cells a side (the coarser
// grid already built), and a frame after the stock changed (the grid rebuilt and uploaded), as
// in a simulation running behind the picture. CPU is the whole process's: a software
// rasterizer draws on threads of its own. Drawn on the off-screen target, the same drawing
// the window does. KORVEN_BENCH_SOLID_PNG=<path> keeps the last 2048 picture to look at.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <memory>

#include "render/framerender.h"
#include "render/headlesspicture.h"
#include "render/offscreentarget.h"
#include "render/solidview.h"
#include "sim/heightmap.h"
#include "view/fittedview.h"
#include "view/orientation.h"
#include "view/viewstate.h"

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;

// A 100 x 80 x 20 block with a stepped pocket, a row of 1-cell slots and ball-end grooves.
std::unique_ptr<sim::HeightMap> machinedstock(int side) {
    const double cell = 100.0 / side;
    auto map = std::make_unique<sim::HeightMap>(0.0, 0.0, cell, side, side * 4 / 5, 0.0F, -20.0F);
    float* h = map->mutableHeights();
    for (int r = 0; r < map->rows(); ++r) {
        for (int c = 0; c < map->columns(); ++c) {
            const double x = map->columnX(c), y = map->rowY(r);
            float z = 0.0F;
            if (x > 10 && x < 50 && y > 10 && y < 50) z = x < 30 ? -6.0F : -12.0F;
            if (c % (side / 16) == 0 && y > 55) z = -3.0F;
            const double groove = std::fmod(x, 8.0) - 4.0;
            if (x > 55 && y < 50 && std::abs(groove) < 3.0) {
                z = static_cast<float>(-1.0 - std::sqrt(9.0 - groove * groove));
            }
            h[static_cast<size_t>(r) * map->columns() + c] = z;
        }
    }
    map->touch();
    return map;
}

struct SolidFrame {
    OffscreenTarget target{kWidth, kHeight};
    FrameRender frame{target};
    SolidView solid;
    ViewState view;
    std::unique_ptr<sim::HeightMap> map;

    SolidFrame(int side, int gridside) : map(machinedstock(side)) {
        solid.mostside = gridside;
        solid.getprocaddress = OffscreenTarget::procaddress;
        frame.drawtoolpath = [this] { solid.draw(*map); };
        fitsurfaceview(view, {0, 100, 0, 80, -20, 0}, viewpreset(ViewPresetId::Iso1), kWidth,
                       kHeight);
    }
    void draw() { frame.renderframe(FrameScene::fromview(view)); }
};

void BM_SolidStillFrame(benchmark::State& state) {
    SolidFrame f(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    if (!f.target.ready()) {
        state.SkipWithError(f.target.error().c_str());
        return;
    }
    f.draw();
    for (auto _ : state) f.draw();
    state.counters["grid"] = f.solid.grid().columns();
    if (const char* png = std::getenv("KORVEN_BENCH_SOLID_PNG"); png && state.range(0) == 2048) {
        HeadlessPicture picture{kWidth, kHeight, f.target.readrgb(), {}};
        savepng(picture, png);
    }
}
// Second argument: the most grid points a side (the window's is kSolidGridSide).
BENCHMARK(BM_SolidStillFrame)
    ->Args({256, kSolidGridSide})
    ->Args({1024, kSolidGridSide})
    ->Args({2048, kSolidGridSide})
    ->Args({2048, 512})
    ->Args({2048, 256})
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);

void BM_SolidChangedFrame(benchmark::State& state) {
    SolidFrame f(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    if (!f.target.ready()) {
        state.SkipWithError(f.target.error().c_str());
        return;
    }
    for (auto _ : state) {
        f.map->touch();
        f.draw();
    }
}
BENCHMARK(BM_SolidChangedFrame)
    ->Args({256, kSolidGridSide})
    ->Args({1024, kSolidGridSide})
    ->Args({2048, kSolidGridSide})
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
