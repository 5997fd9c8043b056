// The simplified copy of a toolpath: what it must keep, how far it may stray, and that hostile
// paths cannot make it run long or grow large.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "nc/nodestore.h"
#include "lod/pathsimplifier.h"
#include "lod/simplifiedpath.h"

namespace {

constexpr uint8_t kFeed = 7;
constexpr uint8_t kRapid = 4;

double distancetosegment(const Tnodedata& p, const Tnodedata& a, const Tnodedata& b) {
    const double dx = b.x - a.x, dy = b.y - a.y, dz = b.z - a.z;
    const double length2 = dx * dx + dy * dy + dz * dz;
    double t = 0.0;
    if (length2 > 0.0) {
        t = ((p.x - a.x) * dx + (p.y - a.y) * dy + (p.z - a.z) * dz) / length2;
        t = std::clamp(t, 0.0, 1.0);
    }
    const double ex = a.x + t * dx - p.x, ey = a.y + t * dy - p.y, ez = a.z + t * dz - p.z;
    return std::sqrt(ex * ex + ey * ey + ez * ez);
}

// Every dropped node lies within the tolerance of the chord that replaced it; the ends, both
// nodes of every colour change and every rapid end are kept.
void expectfaithful(const NodeStore& nodes, const std::vector<int32_t>& kept, double tolerance) {
    ASSERT_FALSE(kept.empty());
    EXPECT_EQ(kept.front(), 0);
    EXPECT_EQ(kept.back(), nodes.lastnode());
    EXPECT_TRUE(std::is_sorted(kept.begin(), kept.end()));
    EXPECT_EQ(std::adjacent_find(kept.begin(), kept.end()), kept.end());
    std::vector<bool> iskept(static_cast<size_t>(nodes.nodecount()), false);
    for (const int32_t k : kept) iskept[static_cast<size_t>(k)] = true;
    for (int32_t i = 1; i < nodes.nodecount(); ++i) {
        if (nodes.node(i).color != nodes.node(i - 1).color) {
            EXPECT_TRUE(iskept[static_cast<size_t>(i - 1)] && iskept[static_cast<size_t>(i)])
                << "colour change at " << i;
        }
        if (nodes.node(i).color == kRapid) {
            EXPECT_TRUE(iskept[static_cast<size_t>(i)]) << i;
        }
    }
    for (size_t k = 1; k < kept.size(); ++k) {
        const Tnodedata& a = nodes.node(kept[k - 1]);
        const Tnodedata& b = nodes.node(kept[k]);
        for (int32_t i = kept[k - 1] + 1; i < kept[k]; ++i) {
            ASSERT_LE(distancetosegment(nodes.node(i), a, b), tolerance * (1 + 1e-9))
                << "node " << i << " between " << kept[k - 1] << " and " << kept[k];
        }
    }
}

}  // namespace

TEST(PathSimplifier, StraightRunsCollapseAndEveryDroppedNodeStaysNearItsChord) {
    NodeStore nodes;
    // A straight line of 1000 nodes, a quarter circle of radius 10 in 900 chords at Z = -1 and
    // a rapid back: the line needs only its ends; the arc's sagitta over a chord of angle a is
    // 10 (1 - cos(a / 2)), so a tolerance of 0.01 allows chords of about 5.1 degrees and the
    // 90 degrees need at least 18 of them.
    for (int i = 0; i < 1000; ++i) nodes.pushnodedata(i, kFeed, 0.01 * i, 0.02 * i, 0);
    for (int i = 0; i <= 900; ++i) {
        const double a = M_PI / 2 * i / 900.0;
        nodes.pushnodedata(2000 + i, 9, 10 * std::cos(a), 10 * std::sin(a), -1);
    }
    nodes.pushnodedata(3000, kRapid, 0, 0, 5);
    nodes.pushnodedata(3001, kRapid, 0, 0, 6);
    std::vector<int32_t> kept;
    ASSERT_EQ(simplifynodes(nodes, 0.01, 100000, kept), SimplifyOutcome::Done);
    expectfaithful(nodes, kept, 0.01);
    // 0 and 999 (line), 1000 (colour change), the arc's inner chords, 1901..1902 (rapids).
    const auto arc = static_cast<long>(std::count_if(kept.begin(), kept.end(), [](int32_t k) {
        return k > 1000 && k < 1900;
    }));
    EXPECT_GE(arc, 17);
    EXPECT_LE(arc, 40);
    EXPECT_EQ(kept[0], 0);
    EXPECT_EQ(kept[1], 999);
    EXPECT_EQ(kept[2], 1000);
    // Moves longer than 0.02 are never merged: the line's (0.0224 long) keeps every node, the
    // arc's (0.0175) may merge as before.
    ASSERT_EQ(simplifynodes(nodes, 0.01, 100000, kept, nullptr, 1, 0.02), SimplifyOutcome::Done);
    EXPECT_EQ(std::count_if(kept.begin(), kept.end(), [](int32_t k) { return k < 1000; }), 1000);
    EXPECT_LE(std::count_if(kept.begin(), kept.end(), [](int32_t k) { return k > 1000; }), 45);

    // A wandering path with many colour changes and rapids, at several tolerances.
    NodeStore walk;
    uint32_t seed = 12345;
    auto random = [&seed] {
        seed = seed * 1664525U + 1013904223U;
        return static_cast<double>(seed >> 8) / static_cast<double>(1U << 24) - 0.5;
    };
    double x = 0, y = 0, z = 0, heading = 0;
    for (int i = 0; i < 200000; ++i) {
        heading += 0.3 * random();
        x += std::cos(heading), y += std::sin(heading), z += 0.05 * random();
        const uint8_t color = i % 5000 < 3 ? kRapid : static_cast<uint8_t>(8 + (i / 7000) % 3);
        walk.pushnodedata(i, color, x, y, z);
    }
    for (const double tolerance : {0.0, 0.05, 1.0, 30.0}) {
        ASSERT_EQ(simplifynodes(walk, tolerance, 1U << 30, kept), SimplifyOutcome::Done);
        expectfaithful(walk, kept, tolerance);
    }
    EXPECT_LT(kept.size(), 20000U);  // 30 units: long runs of a gently curving path collapse
}

TEST(PathSimplifier, HostilePathsStayBoundedAndExact) {
    std::vector<int32_t> kept;
    {
        // Three million nodes on one point: only the ends remain, of the whole or of the pieces
        // a long path is cut into (the same on two threads as on one).
        NodeStore nodes;
        for (int i = 0; i < 3000000; ++i) nodes.pushnodedata(i, kFeed, 5, 5, 5);
        ASSERT_EQ(simplifynodes(nodes, 0.1, 1000, kept), SimplifyOutcome::Done);
        EXPECT_LE(kept.size(), 5U);
        EXPECT_EQ(kept.front(), 0);
        EXPECT_EQ(kept.back(), 2999999);
        std::vector<int32_t> twothreads;
        ASSERT_EQ(simplifynodes(nodes, 0.1, 1000, twothreads, nullptr, 2), SimplifyOutcome::Done);
        EXPECT_EQ(twothreads, kept);
    }
    {
        // Doubling back a million times along one line: each turn is a node no chord may skip,
        // because it would leave the turn past the chord's end.
        NodeStore nodes;
        for (int i = 0; i < 1000000; ++i) nodes.pushnodedata(i, kFeed, i % 2 ? 10.0 : 0.0, 0, 0);
        ASSERT_EQ(simplifynodes(nodes, 0.1, 2000000, kept), SimplifyOutcome::Done);
        EXPECT_EQ(kept.size(), 1000000U);
        // More than may be kept: given up rather than grown.
        EXPECT_EQ(simplifynodes(nodes, 0.1, 500000, kept), SimplifyOutcome::TooMany);
        EXPECT_LE(kept.size(), 500000U);
    }
    {
        // Near 1e30, with a kink of 1e28 and an infinite node: the kink and the infinite node
        // with its neighbours stay.
        NodeStore nodes;
        for (int i = 0; i <= 100; ++i) nodes.pushnodedata(i, kFeed, 1e30 + 1e28 * i, -1e30, 0);
        for (int i = 1; i <= 100; ++i) {
            nodes.pushnodedata(100 + i, kFeed, 1e30 + 1e30, -1e30 + 1e28 * i, 0);
        }
        nodes.pushnodedata(201, kFeed, std::numeric_limits<double>::infinity(), 0, 0);
        for (int i = 1; i <= 10; ++i) nodes.pushnodedata(201 + i, kFeed, 1e30, 1e30 * i, 0);
        ASSERT_EQ(simplifynodes(nodes, 1e26, 1000, kept), SimplifyOutcome::Done);
        EXPECT_EQ(kept, (std::vector<int32_t>{0, 100, 200, 201, 202, 211}));
    }
}

TEST(PathSimplifier, LevelChoiceAndTheWorker) {
    // Tolerances 4, 1, 0.25 world units; a pixel of 1 unit allows the 1-unit level, a pixel of
    // 0.1 none, a pixel of 10 the coarsest.
    const std::vector<double> tolerances{4, 1, 0.25};
    EXPECT_EQ(chooselevel(tolerances, 1.0, 1.0), 1);
    EXPECT_EQ(chooselevel(tolerances, 0.1, 1.0), -1);
    EXPECT_EQ(chooselevel(tolerances, 10.0, 1.0), 0);
    EXPECT_DOUBLE_EQ(pixelworldsize(50.0, 200), 0.5);

    NodeStore nodes;
    for (int i = 0; i < 400000; ++i) {
        nodes.pushnodedata(i, kFeed, std::cos(i * 1e-3) * 100, std::sin(i * 1e-3) * 100, 0);
    }
    SimplifiedPath path;
    path.start(nodes, 1.0);
    path.wait();
    const auto levels = path.levels();
    ASSERT_TRUE(levels);
    // Coarsest first: copies on grids straying 2 units or more, then the chords within 1. The
    // finer chords wait until a closer view asks for them: a program looked at whole never
    // holds them.
    auto chordsof = [](const SimplifiedLevels& made) {
        std::vector<const SimplifiedLevel*> chords;
        for (const auto& level : made.levels) {
            if (level->segments.empty()) {
                chords.push_back(level.get());
            } else {
                EXPECT_GE(level->tolerance, 2.0);
                EXPECT_TRUE(chords.empty());
            }
        }
        return chords;
    };
    const std::vector<double> made = levels->tolerances();
    EXPECT_TRUE(std::is_sorted(made.rbegin(), made.rend()));
    ASSERT_EQ(chordsof(*levels).size(), 1U);
    EXPECT_GT(levels->levels.size(), 1U);
    EXPECT_EQ(chordsof(*levels)[0]->tolerance, 1.0);
    // Asked for 0.1 unit: the quarters 0.25 and 0.0625, each keeping more; asked again for a
    // coarser one, nothing new is made.
    path.refine(0.1);
    path.wait();
    const auto finer = path.levels();
    const std::vector<const SimplifiedLevel*> chords = chordsof(*finer);
    ASSERT_EQ(chords.size(), 3U);
    EXPECT_EQ(chords[1]->tolerance, 0.25);
    EXPECT_EQ(chords[2]->tolerance, 0.0625);
    EXPECT_LE(chords[0]->kept.size(), chords[1]->kept.size());
    EXPECT_LE(chords[1]->kept.size(), chords[2]->kept.size());
    const std::vector<double> remade = finer->tolerances();
    EXPECT_TRUE(std::is_sorted(remade.rbegin(), remade.rend()));
    path.refine(0.5);
    path.wait();
    EXPECT_EQ(path.levels(), finer);
    // A new job cancels the worker and forgets its levels: the store may change right after.
    path.start(nodes, 1e-9);
    path.cancel();
    EXPECT_FALSE(path.levels());
    std::atomic<bool> cancel{true};
    std::vector<int32_t> kept;
    EXPECT_EQ(simplifynodes(nodes, 1.0, 1U << 30, kept, &cancel), SimplifyOutcome::Cancelled);
}
