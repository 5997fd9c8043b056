// Costs of the view geometry that run once per frame or per pointer move: the rotate button's
// icon (every frame), a fit (every preset click and load) and one forward and inverse turn.

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>

#include "view/viewicon.h"
#include "view/viewstate.h"

namespace {

void BM_ViewTurnAndBack(benchmark::State& state) {
    const ViewAngles angles{-61.5, 3.25, 237.0};
    double x = 12.5, y = -40.0, z = 3.0;
    for (auto _ : state) {
        viewturn(angles, x, y, z);
        viewunrotate(angles, x, y, z);
        benchmark::DoNotOptimize(x);
    }
}
BENCHMARK(BM_ViewTurnAndBack);

void BM_FitJob(benchmark::State& state) {
    ViewState view;
    view.areawidth = 1600;
    view.areaheight = 1000;
    view.startwindow();
    const WorldBox extents{-120.0, 380.0, -75.0, 210.0, -42.0, 15.0};
    for (auto _ : state) {
        view.fitjob(extents);
        benchmark::DoNotOptimize(view.viewscale);
    }
}
BENCHMARK(BM_FitJob);

void BM_DrawViewIcon(benchmark::State& state) {
    std::array<std::uint32_t, kViewIconSize * kViewIconSize> pixels{};
    ViewAngles angles{-60.0, 0.0, -30.0};
    for (auto _ : state) {
        angles.rotz += 1.0;
        drawviewicon(angles, 0x0000FFu, 0xC0C0C0u, pixels.data());
        benchmark::DoNotOptimize(pixels.data());
    }
}
BENCHMARK(BM_DrawViewIcon);

}  // namespace

BENCHMARK_MAIN();
