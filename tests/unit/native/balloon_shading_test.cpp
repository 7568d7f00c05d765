// The help balloon's border, shadow, composition and window region.
#include "ui/balloon_shading.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace talvine {
namespace {

// A mask from rows of '#' (set) and '.' (clear).
std::vector<uint8_t> MaskOf(const std::vector<std::string>& rows) {
    std::vector<uint8_t> m;
    for (const std::string& r : rows)
        for (char c : r) m.push_back(c == '#');
    return m;
}

TEST(BalloonBorder, IsTheOnePixelEdgeOfTheShapeWindowEdgesIncluded) {
    const std::vector<std::string> shape{
        "######..",
        "######..",
        "######..",
        ".####...",
        "..##....",
    };
    const std::vector<std::string> border{
        "######..",
        "#....#..",
        "#....#..",
        ".#..#...",
        "..##....",
    };
    EXPECT_EQ(BorderMask(MaskOf(shape), 8, 5), MaskOf(border));
}

// A 20 x 10 block at the top-left of a 40 x 30 window: its shadow is the block moved
// 5 right and 3 down, x 5..24 and y 3..12, blurred over 7 x 7 pixels.
struct ShadowCase {
    const char* name;
    Point at;
    int expected;
};

class Shadow : public ::testing::TestWithParam<ShadowCase> {};

TEST_P(Shadow, IsTheOffsetShapeBlurredToSixtyPercentDark) {
    std::vector<uint8_t> shape(40 * 30, 0);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x) shape[static_cast<std::size_t>(y * 40 + x)] = 1;
    const std::vector<uint8_t> alpha = ShadowAlpha(shape, 40, 30);
    const ShadowCase& c = GetParam();
    EXPECT_EQ(alpha[static_cast<std::size_t>(c.at.y * 40 + c.at.x)], c.expected);
}

// One column of seven pixels in the box gives 7/49 of 153, rounded: 22; one pixel, 3.
INSTANTIATE_TEST_SUITE_P(
    Cases, Shadow,
    ::testing::Values(ShadowCase{"FullInside", {14, 8}, 153}, ShadowCase{"FullUnderTheShapesCorner", {8, 6}, 153},
                      ShadowCase{"NothingLeftOfItsReach", {1, 8}, 0}, ShadowCase{"FirstColumnOfTheBlur", {2, 8}, 22},
                      ShadowCase{"LastColumnOfTheBlur", {27, 8}, 22}, ShadowCase{"NothingBeyondItsReach", {28, 8}, 0},
                      ShadowCase{"TopRowReachesOnlyTheFirstShadowRow", {14, 0}, 22},
                      ShadowCase{"LastRowOfTheBlur", {14, 15}, 22}, ShadowCase{"NothingBelowItsReach", {14, 16}, 0},
                      ShadowCase{"FarCorner", {27, 15}, 3}, ShadowCase{"HalfwayAcrossTheEdge", {24, 8}, 87}),
    [](const auto& p) { return std::string(p.param.name); });

// Scaled, the blur still averages an odd box centred on each pixel: full darkness
// inside the offset shape and none beyond the blur's reach, at a DPI whose scaled
// blur width (12.25 at 168 DPI) rounds to an even number.
TEST(ScaledShadow, ReachesFullDarknessInsideAndFadesOverTheScaledReach) {
    const BalloonMetrics m = BalloonMetricsAt(168);
    const int32_t w = 80, h = 60;
    std::vector<uint8_t> shape(static_cast<std::size_t>(w * h), 0);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) shape[static_cast<std::size_t>(y * w + x)] = 1;
    const std::vector<uint8_t> alpha = ShadowAlpha(shape, w, h, m);
    const auto at = [&](int x, int y) { return alpha[static_cast<std::size_t>(y * w + x)]; };
    for (const uint8_t a : alpha) ASSERT_LE(a, balloon::kShadowDarkness);
    // The shadow is the block moved by (9, 5): x 9..48, y 5..34.
    EXPECT_EQ(at(28, 20), balloon::kShadowDarkness);
    EXPECT_EQ(at(48 + m.shadowReach, 20), (balloon::kShadowDarkness + m.ShadowBlur() / 2) / m.ShadowBlur());
    EXPECT_EQ(at(48 + m.shadowReach + 1, 20), 0);
    EXPECT_EQ(at(28, 34 + m.shadowReach + 1), 0);
    EXPECT_EQ(at(9 - m.shadowReach - 1, 20), 0);
}

struct PixelCase {
    const char* name;
    uint32_t face;
    uint8_t inShape;
    uint8_t shadow;
    uint32_t screen;
    uint32_t shown;
};

class Compose : public ::testing::TestWithParam<PixelCase> {};

TEST_P(Compose, DarkensTheScreenThenLaysTheFaceNinetyPercentOpaque) {
    const PixelCase& c = GetParam();
    std::vector<uint32_t> picture{c.screen};
    ComposeBalloon(std::vector<uint32_t>{c.face}, std::vector<uint8_t>{c.inShape}, std::vector<uint8_t>{c.shadow},
                   picture);
    EXPECT_EQ(picture[0], c.shown) << std::hex << picture[0];
}

// 0xFFFFE1 is the tooltip yellow; 90 % of 0xE1 and 10 % of 0x00 is 0xCB (202.5 up).
INSTANTIATE_TEST_SUITE_P(
    Cases, Compose,
    ::testing::Values(PixelCase{"OutsideEverythingUntouched", 0xFFFFE1, 0, 0, 0x123456, 0x123456},
                      PixelCase{"FullShadowOnWhite", 0, 0, 153, 0xFFFFFF, 0x666666},
                      PixelCase{"FaceOverBlack", 0xFFFFE1, 1, 0, 0x000000, 0xE6E6CB},
                      PixelCase{"FaceOverWhite", 0xFFFFE1, 1, 0, 0xFFFFFF, 0xFFFFE4},
                      PixelCase{"FaceOverItsOwnShadow", 0x000000, 1, 153, 0xFFFFFF, 0x0A0A0A},
                      PixelCase{"ChannelsStayApart", 0xFF0000, 1, 0, 0x0000FF, 0xE6001A}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(BalloonRegion, CoversTheShapeAndItsShadowRunByRun) {
    const std::vector<uint8_t> shape = MaskOf({
        ".##...",
        "......",
        "#....#",
    });
    const std::vector<uint8_t> shadow = MaskOf({
        "...#..",
        "..#.#.",
        "......",
    });
    const std::vector<PixelRun> expected{{0, 1, 4}, {1, 2, 3}, {1, 4, 5}, {2, 0, 1}, {2, 5, 6}};
    EXPECT_EQ(CoveredRuns(shape, shadow, 6, 3), expected);
}

struct RecoverCase {
    const char* name;
    PixelRect freshRect;
    std::vector<uint32_t> fresh;
    std::vector<uint32_t> expected;
};

class Recover : public ::testing::TestWithParam<RecoverCase> {};

// The balloon that was just hidden covered 2 x 2 pixels at (10, 10), showing 5, 6,
// 7, 8 over a screen of 1, 2, 3, 4.
TEST_P(Recover, PutsBackWhatWasBehindWhereTheScreenStillShowsTheOldBalloon) {
    const RecoverCase& c = GetParam();
    std::vector<uint32_t> fresh = c.fresh;
    RecoverBackground(fresh, c.freshRect, std::vector<uint32_t>{5, 6, 7, 8}, std::vector<uint32_t>{1, 2, 3, 4},
                      {10, 10, 12, 12});
    EXPECT_EQ(fresh, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Recover,
    ::testing::Values(RecoverCase{"SamePlaceNotRepainted", {10, 10, 12, 12}, {5, 6, 7, 8}, {1, 2, 3, 4}},
                      RecoverCase{"SamePlaceRepaintedInPart", {10, 10, 12, 12}, {5, 9, 9, 8}, {1, 9, 9, 4}},
                      RecoverCase{"ShiftedOverlapsOneColumn", {11, 10, 13, 12}, {6, 5, 8, 5}, {2, 5, 4, 5}},
                      RecoverCase{"ElsewhereUntouched", {20, 20, 22, 22}, {5, 6, 7, 8}, {5, 6, 7, 8}},
                      RecoverCase{"MismatchedSizeIgnored", {10, 10, 13, 12}, {5, 6, 7, 8}, {5, 6, 7, 8}}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(Recover, NothingShownBeforeLeavesTheFreshPicture) {
    std::vector<uint32_t> fresh{5, 6, 7, 8};
    RecoverBackground(fresh, {0, 0, 2, 2}, {}, {}, {});
    EXPECT_EQ(fresh, (std::vector<uint32_t>{5, 6, 7, 8}));
}

}  // namespace
}  // namespace talvine
