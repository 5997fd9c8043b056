#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/info_fit.h"

namespace {

struct Args {
    std::vector<std::string> text;
    std::vector<char*> argv;
    int argc = 0;

    explicit Args(std::vector<std::string> words) : text(std::move(words)) {
        for (std::string& w : text) argv.push_back(w.data());
        argv.push_back(nullptr);
        argc = static_cast<int>(text.size());
    }
    std::vector<std::string> left() const { return {argv.begin(), argv.begin() + argc}; }
};

TEST(InfoFit, OptionsAreTakenOutOfTheArguments) {
    Args a({"korven-info", "--fit", "800", "600", "part.nc", "--view", "TOP", "--other"});
    const FitRequest r = extractfitoptions(a.argc, a.argv.data());
    EXPECT_TRUE(r.error.empty());
    EXPECT_TRUE(r.wanted);
    EXPECT_EQ(r.width, 800);
    EXPECT_EQ(r.height, 600);
    EXPECT_EQ(r.view, "TOP");
    EXPECT_EQ(a.left(), (std::vector<std::string>{"korven-info", "part.nc", "--other"}));

    Args none({"korven-info", "part.nc"});
    EXPECT_FALSE(extractfitoptions(none.argc, none.argv.data()).wanted);
    EXPECT_EQ(none.argc, 2);
}

TEST(InfoFit, BadValuesAreReported) {
    for (const std::vector<std::string>& words : {std::vector<std::string>{"k", "--fit", "800"},
                                                  {"k", "--fit", "-1", "600"},
                                                  {"k", "--fit", "80x", "600"},
                                                  {"k", "--fit", "800", "99999999999"},
                                                  {"k", "--view", "side"},
                                                  {"k", "--view"}}) {
        Args a(words);
        EXPECT_FALSE(extractfitoptions(a.argc, a.argv.data()).error.empty()) << words[1];
    }
}

TEST(InfoFit, PrintsScaleAndCentre) {
    FitRequest r;
    r.wanted = true;
    r.width = 400;
    r.height = 400;
    r.view = "top";
    EXPECT_EQ(fitline(r, {0, 100, 0, 50, -5, 0}), "fit 51.500000 50.000000 25.000000 -2.500000");
    r.view = "iso1";  // the empty job's cube is centred on the origin
    EXPECT_EQ(fitline(r, {9999, -9999, 9999, -9999, 9999, -9999}).substr(0, 4), "fit ");
    EXPECT_EQ(fitline(r, {9999, -9999, 9999, -9999, 9999, -9999}).find("-0.000000"),
              std::string::npos);
}

}  // namespace
