// The one scaling rule, and the main window's layout scaled by it.
#include <gtest/gtest.h>

#include <string>

#include "base/dpi_scale.h"
#include "ui/layout.h"

namespace talvine {
namespace {

struct ScaleCase {
    const char* name;
    int32_t value, toDpi, fromDpi, expected;
};

class ScaleRule : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(ScaleRule, RoundsAsMulDivDoes) {
    const ScaleCase& c = GetParam();
    EXPECT_EQ(Scale(c.value, c.toDpi, c.fromDpi), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ScaleRule,
    ::testing::Values(
        ScaleCase{"ExactAt96", 340, 96, 96, 340}, ScaleCase{"OddExactAt96", 7, 96, 96, 7},
        ScaleCase{"At120RoundsDown", 185, 120, 96, 231},   // 231.25
        ScaleCase{"At120HalfRoundsUp", 6, 120, 96, 8},      // 7.5
        ScaleCase{"At120ThreeQuartersUp", 3, 120, 96, 4},   // 3.75
        ScaleCase{"At144HalfRoundsUp", 185, 144, 96, 278},  // 277.5
        ScaleCase{"At144OddBlur", 7, 144, 96, 11},          // 10.5
        ScaleCase{"At144OnePixel", 1, 144, 96, 2},          // 1.5
        ScaleCase{"At168RoundsDown", 7, 168, 96, 12},       // 12.25
        ScaleCase{"At168RoundsUp", 289, 168, 96, 506},      // 505.75
        ScaleCase{"At192Doubles", 185, 192, 96, 370},
        ScaleCase{"NegativeHalfAwayFromZero", -11, 144, 96, -17},  // -16.5
        ScaleCase{"NegativeExact", -12, 144, 96, -18},
        ScaleCase{"FromTheSystemsDpiBack", -18, 96, 144, -12},
        ScaleCase{"BetweenTwoOtherDpis", -18, 120, 144, -15},
        ScaleCase{"ZeroStaysZero", 0, 144, 96, 0},
        ScaleCase{"OnePixelNeverVanishes", 1, 24, 96, 1},  // 0.25
        ScaleCase{"MinusOnePixelNeverVanishes", -1, 24, 96, -1},
        ScaleCase{"FailedQueryCountsAsTheDesign", 340, 0, 96, 340},
        ScaleCase{"FailedSourceCountsAsTheDesign", 340, 144, 0, 510}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(Layout, At96IsTheDesignExactly) {
    EXPECT_EQ(LayoutAt(96), kMainWindowDesign);
    EXPECT_EQ(kMainWindowDesign.window, (Extent{340, 62}));
    EXPECT_EQ(kMainWindowDesign.edit, (Box{6, 6, 176, 24}));
    EXPECT_EQ(kMainWindowDesign.copySwitch, (Box{185, 5, 69, 24}));
    EXPECT_EQ(kMainWindowDesign.help, (Box{256, 5, 32, 24}));
    EXPECT_EQ(kMainWindowDesign.link, (Box{289, 4, 39, 25}));
    EXPECT_EQ(kMainWindowDesign.label, (Box{720, 104, 40, 24}));
}

TEST(Layout, At144EveryPlaceAndSizeIsScaledOnItsOwn) {
    const MainWindowLayout l = LayoutAt(144);
    EXPECT_EQ(l.window, (Extent{510, 93}));
    EXPECT_EQ(l.edit, (Box{9, 9, 264, 36}));
    EXPECT_EQ(l.copySwitch, (Box{278, 8, 104, 36}));  // 277.5, 7.5, 103.5
    EXPECT_EQ(l.help, (Box{384, 8, 48, 36}));
    EXPECT_EQ(l.link, (Box{434, 6, 59, 38}));  // 433.5, 58.5, 37.5
    EXPECT_EQ(l.label, (Box{1080, 156, 60, 36}));
    EXPECT_EQ(l.bigIcon, 48);
    EXPECT_EQ(l.smallIcon, 24);
    EXPECT_EQ(l.linkCursor, 48);
    EXPECT_EQ(l.helpTip, (Point{45, 2}));  // 1.5
}

// Rounding each place and size on its own must never let neighbours overlap: the
// help button and the link lie one pixel apart in the design.
TEST(Layout, TheVisibleRowStaysInOrderWithoutOverlapAtEveryDpi) {
    for (int32_t dpi = 48; dpi <= 480; ++dpi) {
        const MainWindowLayout l = LayoutAt(dpi);
        EXPECT_LE(l.edit.Right(), l.copySwitch.x) << dpi;
        EXPECT_LE(l.copySwitch.Right(), l.help.x) << dpi;
        EXPECT_LE(l.help.Right(), l.link.x) << dpi;
        EXPECT_GE(l.label.x, l.link.Right()) << dpi;
    }
}

struct OuterCase {
    const char* name;
    int32_t dpi;
    std::optional<Extent> frameAtDesign, frameAtDpi;
    Extent expected;
};

class Outer : public ::testing::TestWithParam<OuterCase> {};

TEST_P(Outer, ScalesTheClientAreaAndAddsTheFrameOfTheDpi) {
    const OuterCase& c = GetParam();
    EXPECT_EQ(OuterSizeAt(c.dpi, c.frameAtDesign, c.frameAtDpi), c.expected);
}

// The frames are those of the bench: 3-pixel borders and a title bar that grows.
INSTANTIATE_TEST_SUITE_P(
    Cases, Outer,
    ::testing::Values(OuterCase{"At96TheDesign", 96, Extent{6, 25}, Extent{6, 25}, {340, 62}},
                      OuterCase{"At96WhateverTheFrame", 96, Extent{8, 31}, Extent{8, 31}, {340, 62}},
                      OuterCase{"At96WithoutFrames", 96, std::nullopt, std::nullopt, {340, 62}},
                      OuterCase{"At144", 144, Extent{6, 25}, Extent{6, 34}, {501 + 6, 56 + 34}},
                      OuterCase{"At192", 192, Extent{6, 25}, Extent{6, 43}, {668 + 6, 74 + 43}},
                      OuterCase{"At144WithoutFramesScalesTheWhole", 144, std::nullopt, std::nullopt, {510, 93}},
                      OuterCase{"At144WithOneFrameOnlyScalesTheWhole", 144, Extent{6, 25}, std::nullopt, {510, 93}}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(Centring, IsIntegerDivisionOfWhatIsLeft) {
    EXPECT_EQ(CentredOn(1024, 768, {340, 62}), (Point{342, 353}));
    EXPECT_EQ(CentredOn(1024, 768, {507, 90}), (Point{258, 339}));  // 258.5, 339
    EXPECT_EQ(CentredOn(300, 200, {340, 62}), (Point{-20, 69}));
}

}  // namespace
}  // namespace talvine
