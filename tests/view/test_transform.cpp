#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "reference.h"
#include "view/transform.h"

namespace {

Point3 turned(const ViewAngles& a, Point3 p) {
    viewturn(a, p.x, p.y, p.z);
    return p;
}

Point3 unturned(const ViewAngles& a, Point3 p) {
    viewunrotate(a, p.x, p.y, p.z);
    return p;
}

// Arbitrary angles, right-angle multiples (the axis projection is exactly 0 there) and values
// far outside one turn, which are never normalised.
std::vector<ViewAngles> sampleangles() {
    std::vector<ViewAngles> out = {{0, 0, 0},     {-90, 0, 0},     {-90, 0, -90}, {-60, 0, 240},
                                   {90, 90, 90},  {180, -90, 0},   {0, 90, 0},    {-270, 450, 720},
                                   {400, 0, -40}, {12.5, -37, 1e4}};
    std::mt19937 rng(20240607);
    std::uniform_real_distribution<double> any(-720.0, 720.0);
    std::uniform_int_distribution<int> quarter(-8, 8);
    for (int i = 0; i < 200; ++i) out.push_back({any(rng), any(rng), any(rng)});
    for (int i = 0; i < 100; ++i)
        out.push_back({90.0 * quarter(rng), 90.0 * quarter(rng), 90.0 * quarter(rng)});
    return out;
}

TEST(Transform, ForwardAndInverseAgreeWithMatrixProduct) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> coord(-500.0, 500.0);
    for (const ViewAngles& a : sampleangles()) {
        const Matrix3 m = viewmatrix(a.rotx, a.roty, a.rotz);
        for (int i = 0; i < 5; ++i) {
            const Point3 p{coord(rng), coord(rng), coord(rng)};
            const Point3 forward = turned(a, p);
            EXPECT_LT(distance(forward, m * p), 1e-9) << a.rotx << " " << a.roty << " " << a.rotz;
            EXPECT_LT(distance(unturned(a, p), transposed(m) * p), 1e-9);
            EXPECT_LT(distance(unturned(a, forward), p), 1e-9);
        }
    }
}

TEST(Transform, ZeroAnglesLeaveThePoint) {
    const Point3 p{1.25, -3.5, 7.0};
    const Point3 f = turned({}, p);
    const Point3 b = unturned({}, p);
    EXPECT_EQ(f.x, p.x);
    EXPECT_EQ(f.y, p.y);
    EXPECT_EQ(f.z, p.z);
    EXPECT_EQ(b.x, p.x);
    EXPECT_EQ(b.y, p.y);
    EXPECT_EQ(b.z, p.z);
}

TEST(Transform, FrontViewShowsWorldUpAsScreenUp) {
    const ViewAngles front{-90, 0, 0};
    EXPECT_LT(distance(turned(front, {0, 0, 1}), {0, 1, 0}), 1e-15);
    EXPECT_LT(distance(turned(front, {0, 1, 0}), {0, 0, -1}), 1e-15);
}

TEST(Transform, AxisTurnIsRightHandedAndIgnoresAxisLength) {
    double x = 1, y = 0, z = 0;
    rotateaboutaxis(x, y, z, 0, 0, 2, 90);
    EXPECT_LT(distance({x, y, z}, {0, 1, 0}), 1e-15);

    x = 0, y = 0, z = 1;
    rotateaboutaxis(x, y, z, 0, 0, -5, 33);  // a point on the axis stays put
    EXPECT_LT(distance({x, y, z}, {0, 0, 1}), 1e-15);

    // Against Rodrigues' formula for arbitrary axes.
    std::mt19937 rng(11);
    std::uniform_real_distribution<double> u(-3.0, 3.0);
    for (int i = 0; i < 200; ++i) {
        Point3 k{u(rng), u(rng), u(rng)};
        const double len = std::sqrt(k.x * k.x + k.y * k.y + k.z * k.z);
        const double angle = 120 * u(rng);
        const Point3 p{u(rng), u(rng), u(rng)};
        x = p.x, y = p.y, z = p.z;
        rotateaboutaxis(x, y, z, k.x, k.y, k.z, angle);
        k = {k.x / len, k.y / len, k.z / len};
        const double c = std::cos(radians(angle)), s = std::sin(radians(angle));
        const double dot = k.x * p.x + k.y * p.y + k.z * p.z;
        const Point3 cross{k.y * p.z - k.z * p.y, k.z * p.x - k.x * p.z, k.x * p.y - k.y * p.x};
        const Point3 expect{p.x * c + cross.x * s + k.x * dot * (1 - c),
                            p.y * c + cross.y * s + k.y * dot * (1 - c),
                            p.z * c + cross.z * s + k.z * dot * (1 - c)};
        EXPECT_LT(distance({x, y, z}, expect), 1e-12);
    }
}

TEST(Transform, RotatePairUsesOldValues) {
    double a = 2, b = 3;
    rotatepair(a, b, 1, 0);  // a quarter turn: (2, 3) -> (-3, 2)
    EXPECT_EQ(a, -3);
    EXPECT_EQ(b, 2);
}

TEST(ViewBox, ResetThenOnePointSetsAllSix) {
    viewbox box;
    box.widen(1e6, -1e6, 0);  // out beyond the reset values
    box.reset();
    box.widen(1.5, -2.5, 3.5);
    EXPECT_EQ(box.xmin, 1.5);
    EXPECT_EQ(box.xmax, 1.5);
    EXPECT_EQ(box.ymin, -2.5);
    EXPECT_EQ(box.ymax, -2.5);
    EXPECT_EQ(box.zmin, 3.5);
    EXPECT_EQ(box.zmax, 3.5);
    viewrotate(ViewAngles{0, 0, 90}, 1, 0, 0, box);  // lands at (0, 1, 0)
    EXPECT_NEAR(box.xmin, 0, 1e-15);
    EXPECT_EQ(box.xmax, 1.5);
    EXPECT_EQ(box.ymax, 1);
    EXPECT_EQ(box.zmin, 0);
}

TEST(ViewBox, DragStartCopyIsIndependent) {
    BoxAccumulator box;
    box.reset();
    box.widen(1, 2, 3);
    box.takedragstart();
    box.shift(10, 20);
    EXPECT_EQ(box.dragstartbox.xmin, 1);
    EXPECT_EQ(box.dragstartbox.ymax, 2);
    EXPECT_EQ(box.xmin, 11);
    EXPECT_EQ(box.ymax, 22);
}

}  // namespace
