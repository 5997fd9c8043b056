#include "nc/nodestore.h"

#include <algorithm>
#include <new>

NodeStore::NodeStore(int maxblocks) : maxblocks_(std::clamp(maxblocks, 1, kMaxBlocks)) {}

bool NodeStore::allocateblock(int b) {
    if (b >= maxblocks_) return false;
    auto& slot = blocks_[static_cast<size_t>(b)];
    // Blocks of an earlier, larger file are reused as they are.
    if (!slot) slot.reset(new (std::nothrow) Tnodedata[kBlockSize]);
    return slot != nullptr;
}

void NodeStore::pushgrowing(int32_t line, uint8_t color, double x, double y, double z) {
    const int next = (nodecapacity_ + 1) >> kBlockShift;
    if (allocateblock(next)) {
        nodecapacity_ += kBlockSize;
        ++lastnode_;
    } else if (lastnode_ < 0) {
        return;  // not even a first block: nothing can be kept
    }
    // Full store or no memory: the newest node takes the place of the last one.
    write(line, color, x, y, z);
}
