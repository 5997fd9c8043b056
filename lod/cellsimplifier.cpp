#include "lod/cellsimplifier.h"

#include <cmath>
#include <new>

#include "nc/nodestore.h"
#include "nc/palette.h"

namespace {

constexpr int32_t kCancelPoll = 1 << 14;
// Cells are counted in 20 bits an axis, so that two cells and a colour make one 128-bit key.
// A point further out than that from the origin is held at the edge: at the scales the copies
// are made for, the grid reaches far past the toolpath's box.
constexpr int kAxisBits = 20;
constexpr int64_t kAxisHalf = int64_t{1} << (kAxisBits - 1);

struct Cell {
    uint64_t key;
    float middle[3];
};

class Snapper {
  public:
    explicit Snapper(const CellGrid& grid) : grid_(grid), inverse_(1.0 / grid.cell) {}

    // False for a point that is not a finite number.
    bool snap(double x, double y, double z, Cell& cell) const {
        const double p[3] = {x, y, z};
        uint64_t key = 0;
        for (int a = 0; a < 3; ++a) {
            const double t = std::floor((p[a] - grid_.origin[a]) * inverse_);
            if (!std::isfinite(t)) return false;
            const double held = std::fmin(std::fmax(t, -static_cast<double>(kAxisHalf)),
                                          static_cast<double>(kAxisHalf - 1));
            cell.middle[a] = static_cast<float>(grid_.origin[a] + (held + 0.5) * grid_.cell);
            key = (key << kAxisBits) | static_cast<uint64_t>(static_cast<int64_t>(held) + kAxisHalf);
        }
        cell.key = key;
        return true;
    }

  private:
    const CellGrid& grid_;
    double inverse_;
};

// The segments kept so far, by their two cells (either way round) and colour: open
// addressing, linear probing, never more than half full.
class SegmentSet {
  public:
    SegmentSet() : slots_(size_t{1} << 16, Slot{kEmpty, 0}), recent_(kRecent, Slot{kEmpty, 0}) {}

    // True when the segment is new.
    bool insert(uint64_t a, uint64_t b, uint8_t color) {
        const uint64_t lo = a < b ? a : b;
        const uint64_t hi = ((a < b ? b : a) << 4) | (color & 15U);
        const uint64_t h = hash(lo, hi);
        // A path mostly passes again what it passed just before (back and forth, level after
        // level): a small table of recent segments answers those without a cache miss.
        Slot& recent = recent_[h & (kRecent - 1)];
        if (recent.lo == lo && recent.hi == hi) return false;
        recent = {lo, hi};
        if (2 * (count_ + 1) > slots_.size()) grow();
        size_t i = static_cast<size_t>(h) & (slots_.size() - 1);
        while (slots_[i].lo != kEmpty) {
            if (slots_[i].lo == lo && slots_[i].hi == hi) return false;
            i = (i + 1) & (slots_.size() - 1);
        }
        slots_[i] = {lo, hi};
        ++count_;
        return true;
    }

  private:
    struct Slot {
        uint64_t lo, hi;
    };
    static constexpr uint64_t kEmpty = ~uint64_t{0};  // no cell key has its top bits set

    static constexpr size_t kRecent = 4096;

    static uint64_t hash(uint64_t lo, uint64_t hi) {
        uint64_t h = lo * 0x9E3779B97F4A7C15ULL ^ (hi + 0x632BE59BD9B4E019ULL);
        h ^= h >> 31;
        h *= 0xBF58476D1CE4E5B9ULL;
        h ^= h >> 29;
        return h;
    }

    void grow() {
        std::vector<Slot> old(slots_.size() * 2, Slot{kEmpty, 0});
        old.swap(slots_);
        for (const Slot& s : old) {
            if (s.lo == kEmpty) continue;
            size_t i = static_cast<size_t>(hash(s.lo, s.hi)) & (slots_.size() - 1);
            while (slots_[i].lo != kEmpty) i = (i + 1) & (slots_.size() - 1);
            slots_[i] = s;
        }
    }

    std::vector<Slot> slots_;
    std::vector<Slot> recent_;
    size_t count_ = 0;
};

// Keeps the move from a to b once; false when the copy would grow past mostsegments.
class SegmentKeeper {
  public:
    SegmentKeeper(size_t mostsegments, std::vector<CellSegment>& out)
        : most_(mostsegments), out_(out) {}

    bool keep(const Cell& a, const Cell& b, uint8_t color, int32_t node) {
        if (a.key == b.key || !set_.insert(a.key, b.key, color)) return true;
        if (out_.size() >= most_) return false;
        const uint32_t rgb = kPalette[color & 15U];
        out_.push_back({{a.middle[0], a.middle[1], a.middle[2]},
                        node,
                        {b.middle[0], b.middle[1], b.middle[2]},
                        {static_cast<uint8_t>(rgb), static_cast<uint8_t>(rgb >> 8),
                         static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(color & 15U)}});
        return true;
    }

  private:
    size_t most_;
    std::vector<CellSegment>& out_;
    SegmentSet set_;
};

bool cancelled(int64_t i, const std::atomic<bool>* cancel) {
    return (i & (kCancelPoll - 1)) == 0 && cancel != nullptr &&
           cancel->load(std::memory_order_relaxed);
}

SimplifyOutcome failed(std::vector<CellSegment>& segments, SimplifyOutcome outcome) {
    segments.clear();
    segments.shrink_to_fit();
    return outcome;
}

}  // namespace

SimplifyOutcome cellnodes(const NodeStore& nodes, const std::vector<int32_t>* kept,
                          const CellGrid& grid, size_t mostsegments,
                          std::vector<CellSegment>& segments, const std::atomic<bool>* cancel) {
    segments.clear();
    try {
        const Snapper snapper(grid);
        SegmentKeeper keeper(mostsegments, segments);
        Cell previous{};
        bool haveprevious = false;
        const int32_t count =
            kept != nullptr ? static_cast<int32_t>(kept->size()) : nodes.nodecount();
        for (int32_t i = 0; i < count; ++i) {
            if (cancelled(i, cancel)) return failed(segments, SimplifyOutcome::Cancelled);
            const int32_t j = kept != nullptr ? (*kept)[static_cast<size_t>(i)] : i;
            const Tnodedata& node = nodes.node(j);
            Cell cell{};
            if (!snapper.snap(node.x, node.y, node.z, cell)) {
                haveprevious = false;
                continue;
            }
            if (haveprevious && !keeper.keep(previous, cell, node.color, j)) {
                return failed(segments, SimplifyOutcome::TooMany);
            }
            previous = cell;
            haveprevious = true;
        }
    } catch (const std::bad_alloc&) {
        return failed(segments, SimplifyOutcome::TooMany);
    }
    segments.shrink_to_fit();
    return SimplifyOutcome::Done;
}

SimplifyOutcome coarsencells(const std::vector<CellSegment>& finer, const CellGrid& grid,
                             size_t mostsegments, std::vector<CellSegment>& segments,
                             const std::atomic<bool>* cancel) {
    segments.clear();
    try {
        const Snapper snapper(grid);
        SegmentKeeper keeper(mostsegments, segments);
        for (size_t i = 0; i < finer.size(); ++i) {
            if (cancelled(static_cast<int64_t>(i), cancel)) {
                return failed(segments, SimplifyOutcome::Cancelled);
            }
            const CellSegment& s = finer[i];
            Cell a{};
            Cell b{};
            if (!snapper.snap(s.from[0], s.from[1], s.from[2], a) ||
                !snapper.snap(s.to[0], s.to[1], s.to[2], b)) {
                continue;
            }
            if (!keeper.keep(a, b, s.color(), s.firstnode)) {
                return failed(segments, SimplifyOutcome::TooMany);
            }
        }
    } catch (const std::bad_alloc&) {
        return failed(segments, SimplifyOutcome::TooMany);
    }
    segments.shrink_to_fit();
    return SimplifyOutcome::Done;
}

double celltolerance(double cell) { return 0.5 * std::sqrt(3.0) * cell; }
