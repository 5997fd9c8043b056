#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <future>
#include <string>

// One toolpath point. Fields are ordered so the record packs into 32 bytes.
struct Tnodedata {
    double x;
    double y;
    double z;
    int32_t line;   // program line on which the producing block ends
    uint8_t color;  // palette index current when the node was recorded
};
static_assert(sizeof(Tnodedata) == 32, "a node must stay 32 bytes");

// The interpreted toolpath: nodes in visiting order, kept in blocks of 1024 that are
// allocated on demand and never move, so appending never copies and readers may hold
// block pointers for the life of a job. Blocks are carved from chunks of 64 (2 MiB), so a
// large program costs few allocations and the memory can sit on huge pages.
class NodeStore {
  public:
    static constexpr int kBlockShift = 10;
    static constexpr int32_t kBlockSize = 1 << kBlockShift;
    static constexpr int32_t kBlockMask = kBlockSize - 1;
    static constexpr int kMaxBlocks = 32768;
    static constexpr int kChunkShift = 6;
    static constexpr int kChunkBlocks = 1 << kChunkShift;
    static constexpr int kMaxChunks = kMaxBlocks / kChunkBlocks;

    // maxblocks below kMaxBlocks only serves tests of the full-store path, memorychunks below
    // kMaxChunks (chunks the memory is taken to allow) tests of running out of memory.
    explicit NodeStore(int maxblocks = kMaxBlocks, int memorychunks = kMaxChunks);
    ~NodeStore();
    NodeStore(const NodeStore&) = delete;
    NodeStore& operator=(const NodeStore&) = delete;

    void initnodedata() { nodecapacity_ = -1; }
    void resetnodedata() {
        lastnode_ = -1;
        cutline_ = -1;
        cutformemory_ = false;
        ++generation_;
    }

    // A node whose height is still unknown (Z exactly 999) is never stored. A node that
    // would need a block past the last one, or a block no memory can be had for, is refused:
    // what is stored is then exactly the program up to the cut, never a made-up last move.
    void pushnodedata(int32_t line, uint8_t color, double x, double y, double z) {
        if (z == 999.0) return;
        if (lastnode_ < nodecapacity_) {
            ++lastnode_;
            write(line, color, x, y, z);
        } else {
            pushgrowing(line, color, x, y, z);
        }
    }

    // The reading has ended: a chunk made ready for nodes that never came is given back, as
    // it would otherwise stay resident beside the finished toolpath.
    void endreading();

    // Drops the newest node (the interpreter's final trim).
    void droplast() {
        if (lastnode_ >= 0) --lastnode_;
        ++generation_;
    }

    const Tnodedata& node(int32_t i) const {
        return blocks_[static_cast<size_t>(i >> kBlockShift)][i & kBlockMask];
    }
    int32_t lastnode() const { return lastnode_; }
    int32_t nodecount() const { return lastnode_ + 1; }
    int32_t nodecapacity() const { return nodecapacity_; }
    int blockcount() const { return (nodecapacity_ + 1) >> kBlockShift; }
    const Tnodedata* block(int b) const { return blocks_[static_cast<size_t>(b)]; }

    // Line of the first node refused because the store was full or memory ran out; -1 when
    // none was.
    int32_t cutline() const { return cutline_; }
    bool cutformemory() const { return cutformemory_; }
    // Takes back the cut: the refused node was one the interpreter drops anyway.
    void forgetcut() {
        cutline_ = -1;
        cutformemory_ = false;
    }
    // Changes whenever stored nodes change other than by appending, so that together with
    // lastnode() it tells whether a copy of the nodes is still current.
    uint32_t generation() const { return generation_; }

  private:
    void write(int32_t line, uint8_t color, double x, double y, double z) {
        Tnodedata& n =
            blocks_[static_cast<size_t>(lastnode_ >> kBlockShift)][lastnode_ & kBlockMask];
        n.x = x;
        n.y = y;
        n.z = z;
        n.line = line;
        n.color = color;
    }
    void pushgrowing(int32_t line, uint8_t color, double x, double y, double z);
    Tnodedata* makeblock(int index);
    Tnodedata* takechunk(int index);


    std::array<Tnodedata*, kMaxBlocks> blocks_{};
    std::array<Tnodedata*, kMaxChunks> chunks_{};
    // The chunk after the newest, being mapped and faulted in on another thread so that the
    // kernel's page zeroing overlaps the interpretation instead of stalling it.
    std::future<Tnodedata*> ahead_;
    int aheadindex_ = -1;
    int maxblocks_;
    int memorychunks_;
    int32_t lastnode_ = -1;
    int32_t nodecapacity_ = -1;
    int32_t cutline_ = -1;
    bool cutformemory_ = false;
    uint32_t generation_ = 0;
};

// What the user is told when a program has more points than the store holds, or than
// memory allows.
std::string toolpathcutmessage(int32_t line, bool formemory = false);
