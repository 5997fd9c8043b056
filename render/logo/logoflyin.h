#pragma once
// The start-up fly-in: the logo spins half a turn while it zooms in from far away, in a fixed
// time. Frames that are already late are dropped, the last one never, so the animation ends
// on time and in place on any machine.

#include <functional>

struct LogoFlyinTiming {
    int steps = 1000;
    double seconds = 2.0;
    int reportms = 500;  // how long the frame count stays on show
};

struct LogoFlyinPose {
    double viewscale = 0.0, rotx = 0.0, roty = 0.0, rotz = 0.0;
};

// The view of step k of n, settling at scale h0 in the top view (all angles 360) at k = n.
LogoFlyinPose logoflyinpose(int k, int n, double h0);

struct LogoFlyinClock {
    std::function<double()> now;              // seconds, any fixed origin
    std::function<void(double)> waituntil;    // returns once now() has reached the time
};

// Plays steps 1..n over the given seconds, calling showframe(k) for each step drawn; returns
// how many were drawn.
int playlogoflyin(int n, double seconds, const LogoFlyinClock& clock,
                  const std::function<void(int)>& showframe);

// The real clock: a monotonic time and a sleep that does not spin the processor.
LogoFlyinClock steadyflyinclock();
