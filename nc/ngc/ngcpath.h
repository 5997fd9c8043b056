#pragma once

#include <cstdint>

#include "nc/compensation/movefeed.h"
#include "nc/moverecorder.h"
#include "nc/ncjob.h"

// The two axes of the plane 17, 18 or 19 and the axis across it, as indices 0 (X) to 2 (Z),
// ordered so that the plane's axes turn like X to Y seen from the positive third axis: the
// standard's clockwise in every plane.
struct NgcPlaneAxes {
    int first, second, across;
};
inline NgcPlaneAxes ngcplaneaxes(int32_t plane) {
    if (plane == 18) return {2, 0, 1};
    if (plane == 19) return {1, 2, 0};
    return {0, 1, 2};
}

// Where the machine goes, in its own coordinates: straight moves and arcs become recorder
// points (arcs cut into chords by the shared generator), feeds pick their colour slot, and
// the machining time adds up along the path actually drawn.
class NgcPath {
  public:
    explicit NgcPath(NcJob& job) : job_(job), recorder_(job) {}

    double pos[3] = {0, 0, 0};  // the tool starts at the machine's zero
    double time = 0;            // minutes, or what the feed's time unit is

    void straight(int32_t line, bool rapid, const double target[3]);
    // Arc in the plane 17, 18 or 19 about centre (the plane's two axes, machine coordinates),
    // motion 2 clockwise or 3, with turns - 1 whole turns before the last part.
    void arc(int32_t line, int32_t plane, int32_t motion, const double target[3],
             double centrefirst, double centresecond, int64_t turns);
    void dwell(double seconds) {
        time += seconds / 60;
        job_.events.dwell(job_.nodes.nodecount(), seconds);
    }
    void toolchange(int32_t tool) { job_.events.toolchange(job_.nodes.nodecount(), tool); }

    // feed as written picks the colour slot; times lengthscale (the unit it is written in
    // against the unit of the lengths) it times the moves.
    void setfeed(double feed, int32_t tool, double lengthscale = 1) {
        feed_ = inversetime_ ? feed : feed * lengthscale;
        // A program writes the same F again and again: while no slot was taken since, it
        // keeps the slot it had. Slots are only ever taken, never given back, during a run.
        if (feed == slotfeed_ && tool == slottool_ && job_.feedslots.count == slotcount_) {
            job_.feedcolor = slotcolor_;
            return;
        }
        selectslot(feed, tool);
    }
    void scalefeed(double factor) {
        if (!inversetime_) feed_ *= factor;
    }
    void setinversetime(bool on) { inversetime_ = on; }
    // The feed in force, for a move that is drawn later than it was read.
    MoveFeed feedstate() const { return {feed_, job_.feedcolor, inversetime_}; }
    void setfeedstate(const MoveFeed& state) {
        feed_ = state.feed;
        job_.feedcolor = state.color;
        inversetime_ = state.inversetime;
    }

  private:
    void selectslot(double feed, int32_t tool);
    void begin(int32_t line, bool rapid);
    void point(double x, double y, double z);
    void end();

    NcJob& job_;
    MoveRecorder recorder_;
    double feed_ = 0;
    double length_ = 0;
    int32_t line_ = 0;
    int32_t firstnode_ = 0;  // the first node of the move being drawn
    uint8_t color_ = 0;
    bool rapid_ = false;
    bool started_ = false;
    bool inversetime_ = false;
    // The F and T whose slot was selected last, and the slots' count just after.
    double slotfeed_ = 0;
    int32_t slottool_ = 0;
    int32_t slotcount_ = -2;  // no count: nothing selected yet
    int32_t slotcolor_ = 0;
};
