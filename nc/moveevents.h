#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The tool and feed a move was made with, as the program wrote them.
struct ToolFeed {
    int32_t tool = 0;    // the T number in force; 0 before the program's first T word
    double feed = 0;     // the F value as written; 0 before the program's first F word
    bool known = false;  // false for an index that names no node of the job
};

// What the toolpath's nodes do not hold: the feed in force (the pace a machine moves at and
// the F as written), the T in force, dwells and tool changes. Each entry names the first node
// it applies to (the store's node count when it was recorded), so entries stay in node order
// and cost nothing per node: a program of millions of moves changes tool and feed a few
// hundred times. The colour slots cannot name a move's T and F: a slot is keyed on feed +
// tool, so T1 F101 and T2 F100 share one.
struct MoveEvents {
    struct Feed {
        int32_t node;
        float perminute;  // length per minute; 0 or less when none is in force
        double written;   // the F in force as written (a reading may scale it for the pace)
    };
    struct Tool {
        int32_t node;
        int32_t tool;
    };
    struct Stop {
        int32_t node;   // the machine stops before it moves to this node
        float seconds;  // dwell time; 0 for a tool change (the machine profile prices it)
        int32_t tool;   // tool in the spindle after the stop; -1 for a dwell
    };
    // A pace and a written F that change at one node share an entry.
    std::vector<Feed> feeds;
    std::vector<Tool> tools;
    std::vector<Stop> stops;

    void clear() {
        feeds.clear();
        tools.clear();
        stops.clear();
        loggedfeed_ = 0;
        loggedtool_ = 0;
        writtenfeed_ = 0;
        writtentool_ = 0;
    }

    // The pace from node `node` on.
    void feed(int32_t node, double perminute) {
        if (perminute == loggedfeed_) return;
        loggedfeed_ = perminute;
        if (!feeds.empty() && feeds.back().node == node) {
            feeds.back().perminute = static_cast<float>(perminute);
        } else {
            feeds.push_back({node, static_cast<float>(perminute), writtenfeed_});
        }
    }
    // The T and F as written, in force from node `node` on. Reported at every block; only a
    // change costs an entry.
    void written(int32_t node, int32_t tool, double feed) {
        if (!same(feed, writtenfeed_)) writtenchange(node, feed);
        if (tool != writtentool_) writtentoolchange(node, tool);
    }
    void dwell(int32_t node, double seconds) {
        if (seconds > 0) stops.push_back({node, static_cast<float>(seconds), -1});
    }
    void toolchange(int32_t node, int32_t tool) {
        if (tool == loggedtool_) return;
        loggedtool_ = tool;
        stops.push_back({node, 0.0f, tool});
    }

    // What was written for node `node` of a store whose last node is `lastnode`.
    ToolFeed writtenat(int64_t node, int32_t lastnode) const;

  private:
    // NaN feeds (F words past any double) compare equal to each other, so they add no entries.
    static bool same(double a, double b) { return a == b || (a != a && b != b); }
    void writtenchange(int32_t node, double feed);
    void writtentoolchange(int32_t node, int32_t tool);

    double loggedfeed_ = 0;
    int32_t loggedtool_ = 0;
    double writtenfeed_ = 0;
    int32_t writtentool_ = 0;
};
