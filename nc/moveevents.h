#pragma once

#include <cstdint>
#include <vector>

// What a machine's time depends on but the toolpath's nodes do not hold: the feed in force,
// dwells and tool changes. Each entry names the first node it applies to (the store's node
// count when it was recorded), so entries stay in node order and cost nothing per node:
// a feed is logged only when it changes.
struct MoveEvents {
    struct Feed {
        int32_t node;
        float perminute;  // length per minute; 0 or less when none is in force
    };
    struct Stop {
        int32_t node;   // the machine stops before it moves to this node
        float seconds;  // dwell time; 0 for a tool change (the machine profile prices it)
        int32_t tool;   // tool in the spindle after the stop; -1 for a dwell
    };
    std::vector<Feed> feeds;
    std::vector<Stop> stops;

    void clear() {
        feeds.clear();
        stops.clear();
        loggedfeed_ = 0;
        loggedtool_ = 0;
    }
    void feed(int32_t node, double perminute) {
        if (perminute == loggedfeed_) return;
        loggedfeed_ = perminute;
        if (!feeds.empty() && feeds.back().node == node) {
            feeds.back().perminute = static_cast<float>(perminute);
        } else {
            feeds.push_back({node, static_cast<float>(perminute)});
        }
    }
    void dwell(int32_t node, double seconds) {
        if (seconds > 0) stops.push_back({node, static_cast<float>(seconds), -1});
    }
    void toolchange(int32_t node, int32_t tool) {
        if (tool == loggedtool_) return;
        loggedtool_ = tool;
        stops.push_back({node, 0.0f, tool});
    }

  private:
    double loggedfeed_ = 0;
    int32_t loggedtool_ = 0;
};
