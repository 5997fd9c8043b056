// The custom logo file from both sides: what the writer puts down the reader gets back, and no
// file, however hostile, yields a stream GL cannot take.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <limits>

#include "render/logo/logofile.h"
#include "tests/logo/logostream.h"

namespace {

struct HostileCase {
    const char* name;
    std::vector<int> in;
    std::vector<int> out;
    int beeps;
};

}  // namespace

TEST(LogoFile, OutOfOrderRecordsAreSkippedOrClosedAndTheStreamStaysSound) {
    const HostileCase cases[] = {
        {"end polygon without one", {104, 0, 2, 3}, {0, 2, 3}, 1},
        {"contour records without a polygon", {101, 102, 103}, {}, 3},
        {"vertex outside quads", {2, 0, 1, 2, 3}, {0, 1, 2, 3}, 1},
        {"normal before its quads", {1, 0, 2, 2, 2, 2, 3, 1}, {1, 0, 2, 2, 2, 2, 3, 1}, 0},
        {"normal inside a polygon", {100, 1, 101, 1, 102, 103, 104}, {100, 101, 102, 103, 104}, 2},
        {"quads inside quads", {0, 2, 0, 2, 3}, {0, 2, 2, 3}, 1},
        {"polygon inside polygon", {100, 101, 100, 102, 103, 104}, {100, 101, 102, 103, 104}, 1},
        {"polygon inside quads", {0, 100, 2, 3}, {0, 2, 3}, 1},
        {"quads inside a contour", {100, 101, 0, 102, 103, 104}, {100, 101, 102, 103, 104}, 1},
        {"vertex between contours", {100, 102, 101, 102, 103, 104}, {100, 101, 102, 103, 104}, 1},
        {"contour never ended", {100, 101, 102, 101, 102, 103, 104},
         {100, 101, 102, 103, 101, 102, 103, 104}, 1},
        {"polygon ended inside its contour", {100, 101, 102, 104}, {100, 101, 102, 103, 104}, 1},
        {"polygon open at the end", {100, 101, 102}, {100, 101, 102, 103, 104}, 1},
        {"quads open at the end", {0, 1, 2}, {0, 1, 2, 3}, 1},
        {"unknown opcodes", {-128, 4, 55, 127, 90}, {90}, 4},
    };
    for (const HostileCase& c : cases) {
        const RecordedLogo r = readbytes(fileof(c.in));
        EXPECT_EQ(opsof(r.commands), c.out) << c.name;
        EXPECT_EQ(r.beeps, c.beeps) << c.name;
        EXPECT_EQ(grammarfault(r.commands), "") << c.name;
    }
}

TEST(LogoFile, HeaderSkippedAndTruncatedLastRecordIgnored) {
    // Opcodes in the header are not run; a record cut short at the end is not either.
    std::string bytes;
    for (int i = 0; i < 16; ++i) appendlogorecord(bytes, LogoOp::QuadsBegin);
    appendlogorecord(bytes, LogoOp::XMax, 250.5F);
    appendlogorecord(bytes, LogoOp::YMin, 0, -7.25F);
    std::string cut;
    appendlogorecord(cut, LogoOp::XMin, -1);
    bytes += cut.substr(0, 15);
    const RecordedLogo r = readbytes(bytes);
    ASSERT_EQ(opsof(r.commands), (std::vector<int>{90, 93}));
    EXPECT_EQ(r.commands[0].x, 250.5);
    EXPECT_EQ(r.commands[1].y, -7.25);
    EXPECT_EQ(r.beeps, 0);
    EXPECT_TRUE(readbytes(bytes.substr(0, 200)).commands.empty());  // shorter than the header
}

TEST(LogoFile, NonFiniteCoordinatesAreDroppedWithABeep) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    std::string bytes(kLogoHeaderBytes, '\0');
    appendlogorecord(bytes, LogoOp::XMax, inf);
    appendlogorecord(bytes, LogoOp::QuadsBegin);
    appendlogorecord(bytes, LogoOp::Normal, 0, nan, 1);
    appendlogorecord(bytes, LogoOp::Vertex, 1, 2, -inf);
    appendlogorecord(bytes, LogoOp::Vertex, 1, 2, 3);
    appendlogorecord(bytes, LogoOp::QuadsEnd);
    // A polygon whose normal is not a number goes whole, with one beep.
    appendlogorecord(bytes, LogoOp::PolygonBegin, nan, 0, 1);
    appendlogorecord(bytes, LogoOp::ContourBegin);
    appendlogorecord(bytes, LogoOp::TessVertex, 1, 1, 1);
    appendlogorecord(bytes, LogoOp::ContourEnd);
    appendlogorecord(bytes, LogoOp::PolygonEnd);
    appendlogorecord(bytes, LogoOp::PolygonBegin, 0, 0, 1);
    appendlogorecord(bytes, LogoOp::ContourBegin);
    appendlogorecord(bytes, LogoOp::TessVertex, nan, 1, 1);
    appendlogorecord(bytes, LogoOp::ContourEnd);
    appendlogorecord(bytes, LogoOp::PolygonEnd);
    const RecordedLogo r = readbytes(bytes);
    EXPECT_EQ(opsof(r.commands), (std::vector<int>{0, 2, 3, 100, 101, 103, 104}));
    EXPECT_EQ(r.beeps, 5);
    EXPECT_EQ(grammarfault(r.commands), "");
}

TEST(LogoFile, PolygonKeepsAtMostTenThousandVertices) {
    std::vector<int> ops{100, 101};
    ops.insert(ops.end(), 10003, 102);
    ops.insert(ops.end(), {103, 104, 100, 101, 102, 103, 104});
    const RecordedLogo r = readbytes(fileof(ops));
    // The next polygon counts afresh.
    std::vector<int> expected{100, 101};
    expected.insert(expected.end(), 10000, 102);
    expected.insert(expected.end(), {103, 104, 100, 101, 102, 103, 104});
    EXPECT_EQ(opsof(r.commands), expected);
    EXPECT_EQ(r.beeps, 3);
}

TEST(LogoFile, HugeFileIsCutAtTheRecordLimitAndReadErrorsReported) {
    // Three million records from a source that makes them up as it goes: the reader holds
    // one buffer, stops at the limit and closes the block it was in.
    std::int64_t made = 0;
    const std::int64_t total = 3'000'000;
    std::string record;
    appendlogorecord(record, LogoOp::Vertex, 1, 2, 3);
    std::vector<int> ops;
    LogoSequencer sequencer(
        [&](const LogoCommand& c) {
            if (ops.size() < 4 || c.op != LogoOp::Vertex) ops.push_back(static_cast<int>(c.op));
        },
        [] {});
    std::string head = fileof({0});
    const LogoReadResult huge = readlogorecords(
        [&](char* buffer, std::size_t size) -> long {
            std::size_t n = 0;
            for (; n + 16 <= size && made < total; n += 16, ++made) {
                const std::size_t at = static_cast<std::size_t>(made) * 16;
                std::memcpy(buffer + n, at < head.size() ? head.data() + at : record.data(), 16);
            }
            return static_cast<long>(n);
        },
        sequencer);
    EXPECT_TRUE(huge.ok);
    EXPECT_TRUE(huge.capped);
    EXPECT_EQ(huge.records, kMaxLogoRecords);
    EXPECT_LT(made, total);
    EXPECT_EQ(ops, (std::vector<int>{0, 2, 2, 2, 3}));

    // A read error part-way: reported, and the stream is still ended.
    RecordedLogo failed;
    LogoSequencer second([&](const LogoCommand& c) { failed.commands.push_back(c); }, [] {});
    const std::string bytes = fileof({100, 101, 102});
    bool first = true;
    const LogoReadResult broken = readlogorecords(
        [&](char* buffer, std::size_t) -> long {
            if (!first) {
                errno = EIO;
                return -1;
            }
            first = false;
            std::memcpy(buffer, bytes.data(), bytes.size());
            return static_cast<long>(bytes.size());
        },
        second);
    EXPECT_FALSE(broken.ok);
    EXPECT_FALSE(broken.error.empty());
    EXPECT_EQ(grammarfault(failed.commands), "");
    EXPECT_FALSE(readlogofile("/nonexistent/holvarin.cfg", second).ok);
}
