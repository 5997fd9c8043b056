#pragma once
// Cutter radius compensation as a filter between a reading and what draws its moves: the
// moves come in as programmed (the part's contour) and go out as the path of the tool's
// centre, one tool radius to the chosen side. Each move is held back until the next one
// shows how the two join: a convex corner gets an arc around it, a concave one is cut at
// the point where the two offset moves meet. Moves that do not move in the plane (along Z,
// or not at all) wait with the held move and are given out at its end.
//
// Where a controller would stop with an alarm (a gouge), the problem is named with its line
// and the reading goes on: the held move ends beside its end point, the faulty move is
// drawn straight from there to its programmed end, and compensation picks up again with the
// next straight move as a new entry move.

#include <cstdint>
#include <string>
#include <vector>

#include "nc/compensation/movefeed.h"
#include "nc/compensation/offsettrack.h"

// One move, in machine coordinates. Straight moves have motion 0 (rapid) or 1; arcs 2
// (clockwise) or 3 about centre, given on the plane's two axes, with turns - 1 whole turns.
struct CompMove {
    int32_t line = 0;
    int32_t motion = 1;
    double end[3] = {};
    double centre[2] = {};
    int64_t turns = 1;
    MoveFeed feed;

    bool isarc() const { return motion == 2 || motion == 3; }
};

class CompSink {
  public:
    virtual ~CompSink() = default;
    // A move of the tool centre from where the last one given out ended.
    virtual void draw(const CompMove& move) = 0;
    virtual void problem(int32_t line, std::string message) = 0;
};

class CutterCompensation {
  public:
    explicit CutterCompensation(CompSink& sink) : sink_(sink) {}

    // G41 (left) or G42 (right of the path, looking along it) for the moves that follow,
    // in the plane of the axes first and second; tool is where the tool centre stands.
    void on(bool left, double radius, int first, int second, const double tool[3]);
    // G40, or the end of the program: the held move ends beside its end point; later moves
    // are given out unchanged and start from there (the first of them is the exit move).
    void off();
    bool active() const { return mode_ != Mode::Off; }
    double radius() const { return radius_; }

    // The next programmed move, from the programmed point `from`. The move is worked on in
    // place (it is the caller's scratch copy).
    void move(CompMove& m, const double from[3]);

  private:
    enum class Mode { Off, Entry, Held };

    void entry(const CompMove& m, const Vec2& to);
    void join(const CompMove& m, const Vec2& from, const Vec2& to);
    // The offset track of a move and its directions at both ends; false for an arc whose
    // track would shrink to nothing.
    bool trackof(const CompMove& m, const Vec2& from, const Vec2& to, OffsetTrack& track, Vec2& starttangent,
                 Vec2& endtangent) const;
    void hold(const CompMove& m, const OffsetTrack& track, const Vec2& to, const Vec2& endtangent);
    void release(const Vec2& end);
    void plain(const CompMove& m);
    void gouge(const CompMove& faulty, const std::string& what, int32_t line);
    void give(CompMove& m, const Vec2& end);

    CompSink& sink_;
    Mode mode_ = Mode::Off;
    double side_ = 1;  // +1 left, -1 right
    double radius_ = 0;
    int first_ = 0, second_ = 1, across_ = 2;
    Vec2 tool_;        // the tool centre in the plane, while no move is held
    double toolacross_ = 0;

    CompMove held_;
    OffsetTrack track_;
    Vec2 corner_;      // the held move's programmed end
    Vec2 endtangent_;  // its direction there
    std::vector<CompMove> waiting_;
    // A failed start is named once: the moves after it until one can start are the same
    // fault (a thread mill's arcs after an entry too short for the tool).
    bool entrynamed_ = false;
};
