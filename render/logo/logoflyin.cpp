#include "render/logo/logoflyin.h"

#include <chrono>
#include <thread>

LogoFlyinPose logoflyinpose(int k, int n, double h0) {
    const double f = static_cast<double>(k) / n;
    return {h0 * n / k, 180.0 + 180.0 * f, 360.0, 180.0 + 180.0 * f};
}

int playlogoflyin(int n, double seconds, const LogoFlyinClock& clock,
                  const std::function<void(int)>& showframe) {
    const double t0 = clock.now();
    int shown = 0;
    for (int k = 1; k <= n; ++k) {
        const double due = k * seconds / n;
        if (k < n && clock.now() - t0 >= due) continue;
        ++shown;
        showframe(k);
        clock.waituntil(t0 + due);
    }
    return shown;
}

LogoFlyinClock steadyflyinclock() {
    using Clock = std::chrono::steady_clock;
    const auto seconds = [] {
        return std::chrono::duration<double>(Clock::now().time_since_epoch()).count();
    };
    const auto waituntil = [seconds](double when) {
        const double left = when - seconds();
        if (left > 0) std::this_thread::sleep_for(std::chrono::duration<double>(left));
    };
    return {seconds, waituntil};
}
