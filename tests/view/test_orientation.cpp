#include <gtest/gtest.h>

#include <string>

#include "reference.h"
#include "view/orientation.h"
#include "view/viewstate.h"

namespace {

struct ScreenAxes {
    const char* name;
    Point3 right, up, toward;  // world directions of the screen axes, as the user sees them
};

// What each preset shows, written down from the viewer's point of view.
const ScreenAxes kExpected[] = {
    {"top", {1, 0, 0}, {0, 1, 0}, {0, 0, 1}},
    {"front", {1, 0, 0}, {0, 0, 1}, {0, -1, 0}},
    {"left", {0, 1, 0}, {0, 0, 1}, {1, 0, 0}},
    {"iso1", {0.866, 0.5, 0}, {-0.25, 0.433, 0.866}, {0.433, -0.75, 0.5}},
    {"iso2", {-0.5, 0.866, 0}, {-0.433, -0.25, 0.866}, {0.75, 0.433, 0.5}},
    {"iso3", {-0.866, -0.5, 0}, {0.25, -0.433, 0.866}, {-0.433, 0.75, 0.5}},
    {"iso4", {0.5, -0.866, 0}, {0.433, 0.25, 0.866}, {-0.75, -0.433, 0.5}},
};

TEST(Presets, ShowTheDocumentedScreenAxes) {
    ASSERT_EQ(viewpresets.size(), std::size(kExpected));
    for (std::size_t i = 0; i < viewpresets.size(); ++i) {
        const ViewPreset& preset = viewpresets[i];
        const ScreenAxes& want = kExpected[i];
        EXPECT_STREQ(preset.name, want.name);
        EXPECT_EQ(static_cast<std::size_t>(preset.id), i);
        // The world direction shown along a screen axis is the inverse turn of that axis.
        const ViewAngles& a = preset.angles;
        const Point3 axes[3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
        const Point3 wants[3] = {want.right, want.up, want.toward};
        for (int k = 0; k < 3; ++k) {
            Point3 p = axes[k];
            viewunrotate(a, p.x, p.y, p.z);
            EXPECT_LT(distance(p, wants[k]), 1e-3) << preset.name << " axis " << k;
        }
    }
}

TEST(Presets, IsoTwoKeepsTwoHundredForty) {
    EXPECT_EQ(viewpreset(ViewPresetId::Iso2).angles.rotz, 240.0);
    ViewState view;
    view.setviewangles(viewpreset(ViewPresetId::Iso2));
    view.rotz += 30;  // a later arrow key adds to the stored value
    EXPECT_EQ(view.rotz, 270.0);
}

TEST(Presets, FoundByNameWithoutRegardToCase) {
    EXPECT_EQ(findviewpreset("ISO3"), &viewpreset(ViewPresetId::Iso3));
    EXPECT_EQ(findviewpreset("Front"), &viewpreset(ViewPresetId::Front));
    EXPECT_EQ(findviewpreset("iso"), nullptr);
    EXPECT_EQ(findviewpreset("iso12"), nullptr);
    EXPECT_EQ(findviewpreset(""), nullptr);
    EXPECT_EQ(std::string(viewpreset(ViewPresetId::Top).caption), "俯视");
}

TEST(ViewStateLifecycle, ModuleStartAndWindowCreation) {
    ViewState view;
    EXPECT_EQ(view.viewscale, 10.0);
    EXPECT_EQ(view.rotx, 0.0);
    EXPECT_EQ(view.rotz, 0.0);
    EXPECT_FALSE(view.viewchosen);
    EXPECT_EQ(view.viewcenter.x, 0.0);
    EXPECT_EQ(view.fitbox.x1, 0.0);
    view.startwindow();
    EXPECT_EQ(view.viewscale, 100.0);
    EXPECT_EQ(view.rotx, -60.0);
    EXPECT_EQ(view.rotz, -30.0);
    EXPECT_FALSE(view.viewchosen);
}

TEST(ViewStateLifecycle, SetViewAnglesOnlyStores) {
    ViewState view;
    int renders = 0;
    view.renderhook = [&] { ++renders; };
    view.viewscale = 7;
    view.setviewangles(400, 1, -3);
    EXPECT_EQ(view.rotx, 400.0);  // never normalised
    EXPECT_EQ(view.roty, 1.0);
    EXPECT_EQ(view.rotz, -3.0);
    EXPECT_EQ(view.viewscale, 7.0);
    EXPECT_EQ(renders, 0);
}

}  // namespace
