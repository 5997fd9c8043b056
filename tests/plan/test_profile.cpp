#include <gtest/gtest.h>

#include <string>

#include "plan/machineprofile.h"

namespace {

const char* kSound =
    "[machine]\nunits=inch ; all lengths\njunction_deviation=0.0004\ntool_change_seconds=4\n"
    "[x]\nmin=-10\nmax=20\nrapid=400\naccel=20\n[y]\nmin=0\nmax=12\nrapid=400\naccel=20\n"
    "[z]\nmin=-4\nmax=0\nrapid=200\naccel=10\n[origin]\nx=1.5\ny=-2\nz=-3\n";

std::string replaced(const std::string& from, const std::string& to) {
    std::string text = kSound;
    text.replace(text.find(from), from.size(), to);
    return text;
}

}  // namespace

TEST(Profile, ReadsEveryKey) {
    const MachineProfileRead read = readmachineprofile(kSound);
    ASSERT_EQ(read.error, "");
    EXPECT_TRUE(read.profile.inch);
    EXPECT_EQ(read.profile.axis[2].rapid, 200);
    EXPECT_EQ(read.profile.axis[1].max, 12);
    EXPECT_EQ(read.profile.origin[1], -2);
    EXPECT_EQ(read.profile.toolchangeseconds, 4);
    EXPECT_NEAR(profilescale(read.profile, false), 1 / 25.4, 1e-15);
}

TEST(Profile, BadProfilesNameTheKey) {
    const struct {
        std::string text;
        std::string named;
    } cases[] = {
        {replaced("accel=10\n", ""), "missing key [z] accel"},
        {replaced("rapid=400", "rapid=0"), "[x] rapid must be above 0"},
        {replaced("accel=20", "accel=-5"), "[x] accel must be above 0"},
        {replaced("rapid=200", "rapid=fast"), "[z] rapid is not a finite number"},
        {replaced("z=-3", "z=nan"), "[origin] z is not a finite number"},
        {replaced("max=12", "max=1e999"), "[y] max is not a finite number"},
        {replaced("units=inch", "units=feet"), "[machine] units must be mm or inch"},
        {replaced("min=0", "min=12"), "[y] min must be below max"},
        {replaced("[x]", "[a]"), "unknown section [a]"},
        {replaced("rapid=200", "rapids=200"), "unknown key [z] rapids"},
    };
    for (const auto& c : cases) {
        const std::string error = readmachineprofile(c.text).error;
        EXPECT_NE(error.find(c.named), std::string::npos) << error;
    }
}

TEST(Profile, ShippedProfilesAreSound) {
    for (const char* name : {"hobby-router", "mid-mill", "machining-centre"}) {
        const MachineProfileRead read =
            readmachineprofilefile(std::string(KORVEN_MACHINES) + "/" + name + ".ini");
        EXPECT_EQ(read.error, "") << name;
    }
}

TEST(Profile, EndlessOrUnreadableFilesAreRefusedWithoutHanging) {
    EXPECT_NE(readmachineprofilefile("/dev/zero").error, "");
    EXPECT_NE(readmachineprofilefile("/").error.find("cannot read"), std::string::npos);
}
