#include "nc/nodestore.h"

#include <algorithm>
#include <new>

NodeStore::NodeStore(int maxblocks) : maxblocks_(std::clamp(maxblocks, 1, kMaxBlocks)) {}

void NodeStore::pushgrowing(int32_t line, uint8_t color, double x, double y, double z) {
    const int next = (nodecapacity_ + 1) >> kBlockShift;
    // A full store keeps what it has: a node past its last block is refused.
    if (next >= maxblocks_) return;
    auto& block = blocks_[static_cast<size_t>(next)];
    // Blocks of an earlier, larger file are reused as they are.
    if (!block) block.reset(new (std::nothrow) Tnodedata[kBlockSize]);
    if (block) {
        nodecapacity_ += kBlockSize;
        ++lastnode_;
    } else if (lastnode_ < 0) {
        return;  // no memory for even a first block: nothing can be kept
    }
    // Out of memory: the newest node takes the place of the last one.
    write(line, color, x, y, z);
}
