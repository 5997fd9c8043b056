#pragma once
// The tool and feed each move was made with, kept as the places where either changes: a
// program of millions of moves changes tool and feed a few hundred times, so the job holds a
// few hundred entries rather than a field in every node. The colour slots cannot answer this:
// a slot is keyed on feed + tool, so T1 F101 and T2 F100 share one.

#include <cstddef>
#include <cstdint>
#include <vector>

struct ToolFeed {
    int32_t tool = 0;   // the T number in force; 0 before the program's first T word
    double feed = 0;    // the F value as written; 0 before the program's first F word
    bool known = false; // false for an index that names no node of the job
};

class ToolFeedTrack {
  public:
    void clear() { changes_.clear(); }

    // Tool and feed in force from node `node` on (the index the next recorded node gets).
    // Reported at every block; only a change costs an entry.
    void set(int32_t node, int32_t tool, double feed) {
        if (!changes_.empty()) {
            Change& last = changes_.back();
            if (last.tool == tool && same(last.feed, feed)) return;
            // The block before recorded no node: its values never applied to one.
            if (last.node == node) {
                last.tool = tool;
                last.feed = feed;
                if (changes_.size() > 1 && changes_[changes_.size() - 2].tool == tool &&
                    same(changes_[changes_.size() - 2].feed, feed)) {
                    changes_.pop_back();
                }
                return;
            }
        }
        changes_.push_back({node, tool, feed});
    }

    // What was in force for node `node` of a store whose last node is `lastnode`.
    ToolFeed at(int64_t node, int32_t lastnode) const;

    size_t changecount() const { return changes_.size(); }

  private:
    struct Change {
        int32_t node;
        int32_t tool;
        double feed;
    };
    // NaN feeds (F words past any double) compare equal to each other, so they add no entries.
    static bool same(double a, double b) { return a == b || (a != a && b != b); }

    std::vector<Change> changes_;
};
