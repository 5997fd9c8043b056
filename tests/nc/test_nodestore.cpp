// The block-wise node store.

#include <gtest/gtest.h>

#include <string>

#include "nc/nodestore.h"
#include "ncrun.h"

TEST(NodeStore, UnknownHeightIsNeverStored) {
    NodeStore store;
    store.initnodedata();
    store.pushnodedata(1, 4, 1, 2, 999);
    EXPECT_EQ(store.lastnode(), -1);
    store.pushnodedata(1, 4, 1, 2, 998.999);
    EXPECT_EQ(store.lastnode(), 0);
}

TEST(NodeStore, GrowsByBlocksOf1024) {
    NodeStore store;
    store.initnodedata();
    EXPECT_EQ(store.nodecapacity(), -1);
    for (int i = 0; i < 1024; ++i) store.pushnodedata(i, 7, i, 0, 0);
    EXPECT_EQ(store.nodecapacity(), 1023);
    store.pushnodedata(1024, 7, 1024, 0, 0);
    EXPECT_EQ(store.nodecapacity(), 2047);
    EXPECT_EQ(store.node(1024).line, 1024);
    EXPECT_EQ(store.node(1023).x, 1023.0);
    EXPECT_EQ(store.block(1), &store.node(1024));
}

TEST(NodeStore, ResetReusesTheBlocks) {
    NodeStore store;
    store.initnodedata();
    for (int i = 0; i < 3000; ++i) store.pushnodedata(i, 7, i, 0, 0);
    const Tnodedata* first = store.block(0);
    store.resetnodedata();
    EXPECT_EQ(store.lastnode(), -1);
    store.pushnodedata(5, 3, 1, 1, 1);
    EXPECT_EQ(store.nodecapacity(), 3071);
    EXPECT_EQ(store.block(0), first);
    EXPECT_EQ(store.node(0).line, 5);
    EXPECT_EQ(store.node(0).color, 3);
}

TEST(NodeStore, AFullStoreRefusesFurtherNodes) {
    NodeStore store(2);  // two blocks stand for the full 32768
    store.initnodedata();
    for (int i = 0; i < 2048; ++i) store.pushnodedata(i, 7, i, 0, 0);
    EXPECT_EQ(store.cutline(), -1);
    store.pushnodedata(9999, 7, -1, -1, -1);
    store.pushnodedata(10000, 7, -1, -1, -1);
    EXPECT_EQ(store.lastnode(), 2047);
    EXPECT_EQ(store.nodecapacity(), 2047);
    EXPECT_EQ(store.node(2047).line, 2047);
    // The cut is reported at the first refused node, and a new file starts uncut.
    EXPECT_EQ(store.cutline(), 9999);
    EXPECT_NE(toolpathcutmessage(9999).find("cut at line 9999: the program has more than"),
              std::string::npos);
    store.resetnodedata();
    EXPECT_EQ(store.cutline(), -1);
}

TEST(NodeStore, RunningOutOfMemoryIsACutNamingMemory) {
    NodeStore store(NodeStore::kMaxBlocks, 1);  // memory for one chunk of 64 blocks only
    store.initnodedata();
    const int32_t room = NodeStore::kChunkBlocks * NodeStore::kBlockSize;
    for (int32_t i = 0; i < room + 5; ++i) store.pushnodedata(i, 1, i, 0, 0);
    // What is kept is the program up to the cut, with no last node overwritten.
    EXPECT_EQ(store.lastnode(), room - 1);
    EXPECT_EQ(store.node(room - 1).line, room - 1);
    EXPECT_EQ(store.node(room - 1).x, room - 1);
    EXPECT_EQ(store.cutline(), room);
    EXPECT_TRUE(store.cutformemory());
    EXPECT_EQ(toolpathcutmessage(room, true).rfind("Out of memory: toolpath cut at line 65536", 0),
              0u);
}

TEST(NodeStore, AStoreFilledExactlyIsNoCut) {
    // 1024 points and a final line feed: only the empty last block's node finds no room.
    std::string program = "G0 X0 Y0 Z0\n";
    for (int i = 1; i < 1024; ++i) program += "X" + std::to_string(i) + ".\n";
    NcJob exact(1);
    runprogram(exact, program);
    EXPECT_EQ(exact.nodes.nodecount(), 1024);
    EXPECT_EQ(exact.nodes.cutline(), -1);
    NcJob over(1);
    runprogram(over, program + "X9.\n");
    EXPECT_EQ(over.nodes.nodecount(), 1024);
    EXPECT_EQ(over.nodes.cutline(), 1025);
    EXPECT_FALSE(over.nodes.cutformemory());
}

TEST(NodeStore, BlocksOfLaterChunksKeepEveryNode) {
    // 64 blocks share one allocation; the 65th block starts the next one.
    NodeStore store;
    store.initnodedata();
    const int32_t count = 130 * 1024 + 5;
    for (int32_t i = 0; i < count; ++i)
        store.pushnodedata(i, static_cast<uint8_t>(i & 15), i, -i, 1);
    ASSERT_EQ(store.lastnode(), count - 1);
    EXPECT_EQ(store.nodecapacity(), 131 * 1024 - 1);
    for (int32_t i = 0; i < count; ++i) {
        const Tnodedata& n = store.node(i);
        ASSERT_TRUE(n.line == i && n.x == i && n.y == -i && n.color == (i & 15)) << i;
    }
}

TEST(NodeStore, ChunksMadeAheadHoldTheLimitAndSurviveReuse) {
    // Later chunks are prepared ahead on another thread; the last block of a limited store
    // sits alone in a chunk, and a second file reuses the chunks of the first.
    constexpr int kBlocks = 3 * NodeStore::kChunkBlocks + 1;
    NodeStore store(kBlocks);
    store.initnodedata();
    const int32_t capacity = kBlocks * NodeStore::kBlockSize;
    for (int32_t i = 0; i < capacity + 3; ++i) store.pushnodedata(i, 1, i, 0, 0);
    ASSERT_EQ(store.lastnode(), capacity - 1);
    EXPECT_EQ(store.cutline(), capacity);
    store.resetnodedata();
    for (int32_t i = 0; i < capacity; ++i) store.pushnodedata(-i, 2, 0, i, 0);
    for (int32_t i = 0; i < capacity; ++i) {
        const Tnodedata& n = store.node(i);
        ASSERT_TRUE(n.line == -i && n.y == i && n.color == 2) << i;
    }
}
