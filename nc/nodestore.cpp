#include "nc/nodestore.h"

#include <algorithm>
#include <system_error>

#include "nc/chunkmemory.h"

namespace {

constexpr size_t kChunkBytes = sizeof(Tnodedata) * NodeStore::kBlockSize * NodeStore::kChunkBlocks;

}  // namespace

NodeStore::NodeStore(int maxblocks, int memorychunks)
    : maxblocks_(std::clamp(maxblocks, 1, kMaxBlocks)),
      memorychunks_(std::clamp(memorychunks, 0, kMaxChunks)) {}

NodeStore::~NodeStore() {
    if (ahead_.valid()) chunkmemory::release(ahead_.get(), kChunkBytes);
    for (Tnodedata* chunk : chunks_) chunkmemory::release(chunk, kChunkBytes);
}

Tnodedata* NodeStore::makeblock(int index) {
    const int chunkindex = index >> kChunkShift;
    Tnodedata*& chunk = chunks_[static_cast<size_t>(chunkindex)];
    if (chunk == nullptr) chunk = takechunk(chunkindex);
    if (chunk == nullptr) return nullptr;
    return chunk + static_cast<size_t>(index & (kChunkBlocks - 1)) * kBlockSize;
}

Tnodedata* NodeStore::takechunk(int index) {
    Tnodedata* chunk = nullptr;
    if (ahead_.valid() && aheadindex_ == index) {
        chunk = ahead_.get();  // waits if the helper is still faulting it in
        aheadindex_ = -1;
    }
    if (chunk == nullptr && index < memorychunks_) {
        chunk = static_cast<Tnodedata*>(chunkmemory::allocate(kChunkBytes));
    }
    // Only a program that has already filled a whole chunk is likely to fill the next, so
    // small files never pay for a helper thread or an unused chunk. The helper only ever
    // touches memory nobody else can see until get() hands it over.
    const int next = index + 1;
    const int lastchunk = (maxblocks_ - 1) >> kChunkShift;
    if (chunk != nullptr && index >= 1 && next <= lastchunk && next < memorychunks_ &&
        !ahead_.valid() && chunks_[static_cast<size_t>(next)] == nullptr) {
        aheadindex_ = next;
        try {
            ahead_ = std::async(std::launch::async, [] {
                void* area = chunkmemory::allocate(kChunkBytes);
                chunkmemory::prefault(area, kChunkBytes);
                return static_cast<Tnodedata*>(area);
            });
        } catch (const std::system_error&) {
            aheadindex_ = -1;  // no thread to be had: chunks are faulted in as they are filled
        }
    }
    return chunk;
}

void NodeStore::endreading() {
    if (!ahead_.valid()) return;
    chunkmemory::release(ahead_.get(), kChunkBytes);
    aheadindex_ = -1;
}

void NodeStore::pushgrowing(int32_t line, uint8_t color, double x, double y, double z) {
    // Memory freed later must not let the toolpath go on past a gap.
    if (cutformemory_) return;
    const int next = (nodecapacity_ + 1) >> kBlockShift;
    // A full store keeps what it has: a node past its last block is refused, and the line of
    // the first one refused is kept so the cut can be reported.
    if (next >= maxblocks_) {
        if (cutline_ < 0) cutline_ = line;
        return;
    }
    Tnodedata*& block = blocks_[static_cast<size_t>(next)];
    // Blocks of an earlier, larger file are reused as they are.
    if (block == nullptr) block = makeblock(next);
    if (block == nullptr) {
        if (cutline_ < 0) {
            cutline_ = line;
            cutformemory_ = true;
        }
        return;
    }
    nodecapacity_ += kBlockSize;
    ++lastnode_;
    write(line, color, x, y, z);
}

std::string toolpathcutmessage(int32_t line, bool formemory) {
    if (formemory) {
        return "Out of memory: toolpath cut at line " + std::to_string(line) +
               ": no memory was left for its points";
    }
    return "Too many points: toolpath cut at line " + std::to_string(line) +
           ": the program has more than 33 554 432 points";
}
