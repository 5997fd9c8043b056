#pragma once
// Makes any stream of logo commands safe to hand to GL: every begin gets its end, no vertex is
// drawn outside the block it belongs to, coordinates are finite, and a polygon holds at most
// the tessellator store's 10000 vertices. What does not fit beeps and is skipped (or, for a
// block left open, closed), and the rest of the logo is still built.

#include <cstdint>
#include <functional>

#include "render/logo/logocommand.h"

class LogoSequencer {
  public:
    static constexpr int kMaxPolygonVertices = 10000;

    LogoSequencer(LogoSink out, std::function<void()> beep)
        : out_(std::move(out)), beep_(std::move(beep)) {}

    void put(const LogoCommand& c);
    // The stream has ended: whatever is still open is closed (with a beep).
    void finish();

    // Something the stream's source had to leave out (beeps like any skipped record).
    void reject();

    int beeps() const { return beeps_; }

  private:
    enum class State { Idle, Quads, Polygon, Contour };

    void forward(LogoOp op, double x = 0, double y = 0, double z = 0);
    void closeopen();
    bool skippingpolygon(const LogoCommand& c);

    LogoSink out_;
    std::function<void()> beep_;
    State state_ = State::Idle;
    bool skipping_ = false;  // inside a polygon dropped at its begin (a bad normal)
    int vertices_ = 0;       // of the open polygon
    int beeps_ = 0;
};
