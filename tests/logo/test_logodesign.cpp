// The built-in emblem as data (its claimed box, solid outlines, a faithful round trip through
// the file format) and the fly-in's timing.
#include <gtest/gtest.h>

#include "render/logo/logodesign.h"
#include "render/logo/logofile.h"
#include "render/logo/logoflyin.h"
#include "tests/logo/logostream.h"

namespace {

std::vector<LogoCommand> sections(std::initializer_list<int> which) {
    std::vector<LogoCommand> all;
    for (const int s : which) emitlogosection(s, [&](const LogoCommand& c) { all.push_back(c); });
    return all;
}

LogoExtents extentsof(const std::vector<LogoCommand>& commands) {
    LogoExtents e;
    for (const LogoCommand& c : commands) e.apply(c);
    return e;
}

}  // namespace

TEST(LogoDesign, ClaimsItsBoxAndWidensToTheFramedExtents) {
    const LogoExtents two = extentsof(sections({1, 2}));
    EXPECT_EQ(two.xmin, 0);
    EXPECT_EQ(two.xmax, 200);
    EXPECT_EQ(two.ymin, -124.616);
    EXPECT_EQ(two.ymax, 0);
    const LogoFrameBox box = widenlogoextents(extentsof(sections({1, 2, 3})));
    EXPECT_DOUBLE_EQ(box.xmin, -10);
    EXPECT_DOUBLE_EQ(box.xmax, 210);
    EXPECT_DOUBLE_EQ(box.ymin, -154.686);
    EXPECT_DOUBLE_EQ(box.ymax, 7.366);
    EXPECT_EQ(box.zmin, -11);
    EXPECT_EQ(box.zmax, 1);
}

TEST(LogoDesign, SolidsAreSoundInsideTheirBoxAndSurviveTheFileFormat) {
    const std::vector<LogoCommand> all = sections({1, 2, 3});
    EXPECT_EQ(grammarfault(all), "");
    // Faces: the outer outline counterclockwise, holes clockwise, so every wall's normal
    // (the right-hand side of its edge) points out of the solid.
    std::vector<std::vector<LogoCommand>> contours;
    for (const LogoCommand& c : all) {
        if (c.op == LogoOp::PolygonBegin) contours.clear();
        if (c.op == LogoOp::ContourBegin) contours.emplace_back();
        if (c.op == LogoOp::TessVertex) contours.back().push_back(c);
        if (c.op != LogoOp::PolygonEnd) continue;
        for (size_t i = 0; i < contours.size(); ++i) {
            double area = 0;
            const auto& loop = contours[i];
            for (size_t j = 0; j < loop.size(); ++j) {
                const LogoCommand& a = loop[j];
                const LogoCommand& b = loop[(j + 1) % loop.size()];
                area += a.x * b.y - b.x * a.y;
            }
            EXPECT_EQ(area > 0, i == 0) << "contour " << i;
        }
    }
    for (const LogoCommand& c : all) {
        if (c.op != LogoOp::Vertex && c.op != LogoOp::TessVertex) continue;
        EXPECT_TRUE(c.x >= 0 && c.x <= 200 && c.y >= -147.32 && c.y <= 0 && c.z >= -10 &&
                    c.z <= 0);
    }
    // Written out and read back: the same commands, narrowed to single floats.
    const RecordedLogo back = readbytes(logofilebytes(all));
    EXPECT_EQ(back.beeps, 0);
    ASSERT_EQ(back.commands.size(), all.size());
    for (size_t i = 0; i < all.size(); ++i) {
        EXPECT_EQ(back.commands[i].op, all[i].op);
        EXPECT_EQ(back.commands[i].x, static_cast<float>(all[i].x));
        EXPECT_EQ(back.commands[i].y, static_cast<float>(all[i].y));
    }
}

TEST(LogoFlyin, AtSpeedEveryFrameSlowedStillTheLastAndItSettlesInTheTopView) {
    double now = 0;
    std::vector<int> drawn;
    const LogoFlyinClock fast{[&] { return now; }, [&](double t) { now = std::max(now, t); }};
    EXPECT_EQ(playlogoflyin(1000, 2.0, fast, [&](int k) { drawn.push_back(k); }), 1000);
    EXPECT_EQ(drawn.front(), 1);
    EXPECT_EQ(now, 2.0);

    // Every frame costs 11 ms, five and a half steps: most are late and dropped.
    now = 0;
    drawn.clear();
    const int shown = playlogoflyin(1000, 2.0, fast, [&](int k) {
        drawn.push_back(k);
        now += 0.011;
    });
    EXPECT_EQ(shown, static_cast<int>(drawn.size()));
    EXPECT_GT(shown, 150);
    EXPECT_LT(shown, 200);
    EXPECT_EQ(drawn.back(), 1000);
    // A clock that jumps past the end at once still shows the last frame, and only that.
    drawn.clear();
    const LogoFlyinClock stalled{[&] { return now += 100; }, [](double) {}};
    EXPECT_EQ(playlogoflyin(1000, 2.0, stalled, [&](int k) { drawn.push_back(k); }), 1);
    EXPECT_EQ(drawn, std::vector<int>{1000});

    const LogoFlyinPose start = logoflyinpose(1, 1000, 3.0);
    const LogoFlyinPose end = logoflyinpose(1000, 1000, 3.0);
    EXPECT_DOUBLE_EQ(start.viewscale, 3000.0);
    EXPECT_DOUBLE_EQ(start.rotx, 180.18);
    EXPECT_EQ(end.viewscale, 3.0);
    EXPECT_EQ(end.rotx, 360.0);
    EXPECT_EQ(end.roty, 360.0);
    EXPECT_EQ(end.rotz, 360.0);
}
