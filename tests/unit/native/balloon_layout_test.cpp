// The help balloon's placement, shape and line breaking.
#include "ui/balloon_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace talvine {
namespace {

constexpr PixelRect kScreen{0, 0, 1024, 768};

struct PlaceCase {
    const char* name;
    Point point;
    int32_t bodyWidth, bodyHeight;
    PixelRect screen;
    PixelRect window;  // expected, screen coordinates (shadow room included)
    Point tip;         // expected, window coordinates
    bool pointerOnTop, mirrored;
};

class Placement : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(Placement, PutsTheWindowAndTheTipWhereExpected) {
    const PlaceCase& c = GetParam();
    const BalloonLayout l = PlaceBalloon(c.point, c.bodyWidth, c.bodyHeight, c.screen);
    EXPECT_EQ(l.window, c.window);
    EXPECT_EQ(l.tip, c.tip);
    EXPECT_EQ(l.pointerOnTop, c.pointerOnTop);
    EXPECT_EQ(l.mirrored, c.mirrored);
}

TEST_P(Placement, KeepsTheTipOnThePointAndTheBodyBesideThePointer) {
    const PlaceCase& c = GetParam();
    const BalloonLayout l = PlaceBalloon(c.point, c.bodyWidth, c.bodyHeight, c.screen);
    const bool pointInside = c.point.x >= c.screen.left && c.point.x < c.screen.right;
    if (pointInside) {
        EXPECT_EQ(l.window.left + l.tip.x, c.point.x);
    }
    EXPECT_EQ(l.window.top + l.tip.y, c.point.y);
    // The body lies on the far side of the pointer from the tip.
    EXPECT_EQ(l.body.top, l.pointerOnTop ? balloon::kPointerHeight : 0);
}

// A body of 200 x 60 makes a shape of 200 x 76 and a window of 208 x 82.
INSTANTIATE_TEST_SUITE_P(
    Cases, Placement,
    ::testing::Values(
        PlaceCase{"PreferredAboveExtendingRight", {500, 400}, 200, 60, kScreen, {484, 325, 692, 407}, {16, 75}, false,
                  false},
        PlaceCase{"RightEdgeJustFits", {840, 400}, 200, 60, kScreen, {824, 325, 1032, 407}, {16, 75}, false, false},
        PlaceCase{"MirroredOnePixelPastTheRightEdge", {841, 400}, 200, 60, kScreen, {658, 325, 866, 407}, {183, 75},
                  false, true},
        PlaceCase{"TopEdgeJustFits", {500, 75}, 200, 60, kScreen, {484, 0, 692, 82}, {16, 75}, false, false},
        PlaceCase{"BelowOnePixelPastTheTopEdge", {500, 74}, 200, 60, kScreen, {484, 74, 692, 156}, {16, 0}, true,
                  false},
        PlaceCase{"MirroredAndBelowInTheTopRightCorner", {1000, 10}, 200, 60, kScreen, {817, 10, 1025, 92},
                  {183, 0}, true, true},
        PlaceCase{"LeftEdgeJustFits", {16, 400}, 200, 60, kScreen, {0, 325, 208, 407}, {16, 75}, false, false},
        PlaceCase{"ShiftedToTheLeftEdgeTipStaysOnThePoint", {5, 400}, 200, 60, kScreen, {0, 325, 208, 407},
                  {5, 75}, false, false},
        PlaceCase{"NegativeOriginShiftedAndBelow", {-1270, -150}, 200, 60, {-1280, -200, 1024, 768},
                  {-1280, -150, -1072, -68}, {10, 0}, true, false},
        PlaceCase{"NegativeOriginPreferredOnTheLeftMonitor", {-900, 300}, 200, 60, {-1280, -200, 1024, 768},
                  {-916, 225, -708, 307}, {16, 75}, false, false},
        PlaceCase{"MirroredAtTheRightEdgeOfALeftMonitor", {-100, 500}, 200, 60, {-1280, 0, 0, 1024},
                  {-283, 425, -75, 507}, {183, 75}, false, true},
        PlaceCase{"WiderThanTheScreenMirroredThenShifted", {100, 400}, 400, 60, {0, 0, 300, 768},
                  {0, 325, 408, 407}, {100, 75}, false, true},
        PlaceCase{"PointLeftOfTheScreenTipStaysOnTheBody", {-30, 400}, 200, 60, kScreen, {0, 325, 208, 407},
                  {0, 75}, false, false},
        PlaceCase{"TinyBodyStillHoldsItsMarginsAndThePointer", {500, 400}, 30, 20, kScreen, {484, 361, 528, 407},
                  {16, 39}, false, false}),
    [](const auto& p) { return std::string(p.param.name); });

struct MetricsCase {
    int32_t dpi;
    BalloonMetrics expected;
};

class Metrics : public ::testing::TestWithParam<MetricsCase> {};

// margin, corner radius, pointer width, height and inset, shadow offset, blur's
// reach, font height: the design's, scaled; the blur stays an odd box.
TEST_P(Metrics, AreTheDesignScaled) { EXPECT_EQ(BalloonMetricsAt(GetParam().dpi), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(
    Dpis, Metrics,
    ::testing::Values(MetricsCase{96, kBalloonDesign}, MetricsCase{120, {15, 10, 15, 20, 20, 6, 4, 4, 15}},
                      MetricsCase{144, {18, 12, 18, 24, 24, 8, 5, 5, 18}},
                      MetricsCase{168, {21, 14, 21, 28, 28, 9, 5, 6, 21}},
                      MetricsCase{192, {24, 16, 24, 32, 32, 10, 6, 7, 24}}),
    [](const auto& p) { return "At" + std::to_string(p.param.dpi); });

TEST(ScaledPlacement, KeepsTheTipOnThePointWithTheScaledInsetAndShadowRoom) {
    const BalloonMetrics m = BalloonMetricsAt(144);
    const BalloonLayout l = PlaceBalloon({500, 400}, 300, 90, kScreen, m);
    // The shape is the body and a 24-pixel pointer; the window adds 8 + 5 right and
    // 5 + 5 below for the shadow.
    EXPECT_EQ(l.window, (PixelRect{476, 287, 476 + 300 + 13, 287 + 90 + 24 + 10}));
    EXPECT_EQ(l.window.left + l.tip.x, 500);
    EXPECT_EQ(l.window.top + l.tip.y, 400);
    EXPECT_EQ(l.ShapeHeight(), 90 + 24);
}

// Pixels of a shape mask, for checking one at a time.
struct Mask {
    BalloonLayout layout;
    std::vector<uint8_t> bits;
    explicit Mask(const BalloonLayout& l) : layout(l), bits(ShapeMask(l)) {}
    bool operator()(int32_t x, int32_t y) const {
        return bits[static_cast<std::size_t>(y * layout.window.Width() + x)] != 0;
    }
    // The columns set in row y, as [first, last]; {-1, -1} when none.
    std::pair<int32_t, int32_t> Row(int32_t y) const {
        int32_t first = -1, last = -1;
        for (int32_t x = 0; x < layout.window.Width(); ++x)
            if ((*this)(x, y)) {
                if (first < 0) first = x;
                last = x;
            }
        return {first, last};
    }
};

struct ShapeCase {
    const char* name;
    Point point;
};

// Each orientation at the design's DPI and scaled.
class Shape : public ::testing::TestWithParam<std::tuple<ShapeCase, int32_t>> {
protected:
    // A small screen puts the four orientations within reach of one body size.
    static BalloonLayout Layout() {
        const auto& [shape, dpi] = GetParam();
        return PlaceBalloon(shape.point, 100, 40, {0, 0, 300, 200}, BalloonMetricsAt(dpi));
    }
};

TEST_P(Shape, PointerNarrowsFromItsBaseToTheTipAlongAStraightSide) {
    const BalloonLayout l = Layout();
    const BalloonMetrics& metrics = l.metrics;
    const Mask m(l);
    int32_t previous = 0;
    for (int32_t i = 0; i < metrics.pointerHeight; ++i) {
        const int32_t y = l.pointerOnTop ? l.tip.y + i : l.tip.y - i;
        const auto [first, last] = m.Row(y);
        const int32_t width = last - first + 1;
        EXPECT_EQ(l.mirrored ? last : first, l.tip.x) << "row " << i << ": the straight side leaves the tip's column";
        EXPECT_GE(width, previous) << "row " << i;
        previous = width;
        if (i == 0) {
            EXPECT_EQ(width, 1) << "the tip is one pixel";
        }
    }
    EXPECT_EQ(previous, metrics.pointerWidth) << "the base";
    // The base touches the body: the body's row next to it is set along the base,
    // wherever the base lies under the body's straight edge.
    const int32_t baseRow =
        l.pointerOnTop ? l.tip.y + metrics.pointerHeight - 1 : l.tip.y - metrics.pointerHeight + 1;
    const int32_t bodyRow = l.pointerOnTop ? baseRow + 1 : baseRow - 1;
    const auto [baseFirst, baseLast] = m.Row(baseRow);
    for (int32_t x = std::max(baseFirst, metrics.cornerRadius);
         x <= std::min(baseLast, l.body.right - 1 - metrics.cornerRadius); ++x)
        EXPECT_TRUE(m(x, bodyRow)) << x;
}

TEST_P(Shape, BodyHasRoundedCornersAndTheShadowsRoomStaysEmpty) {
    const BalloonLayout l = Layout();
    const int32_t r = l.metrics.cornerRadius;
    // The first pixel inside the corner's circle along the diagonal: for radii 8, 12
    // and 16 (96, 144 and 192 DPI) the centre of pixel k is inside from k = 2, 4, 5.
    const int32_t in = r == 8 ? 2 : r == 12 ? 4 : 5;
    const Mask m(l);
    const PixelRect b = l.body;
    // The corner pixels themselves are cut away; the straight edges start a radius in.
    for (const Point p : {Point{b.left, b.top}, Point{b.right - 1, b.top}, Point{b.left, b.bottom - 1},
                          Point{b.right - 1, b.bottom - 1}, Point{b.left + in - 1, b.top + in - 1}})
        EXPECT_FALSE(m(p.x, p.y)) << p.x << "," << p.y;
    for (const Point p : {Point{b.left + r, b.top}, Point{b.left, b.top + r}, Point{b.right - r - 1, b.top},
                          Point{b.right - 1, b.bottom - r - 1}, Point{b.left + in, b.top + in}, Point{50, b.top + 20}})
        EXPECT_TRUE(m(p.x, p.y)) << p.x << "," << p.y;
    for (int32_t y = 0; y < l.window.Height(); ++y)
        for (int32_t x = l.ShapeWidth(); x < l.window.Width(); ++x) ASSERT_FALSE(m(x, y)) << x << "," << y;
    for (int32_t y = l.ShapeHeight(); y < l.window.Height(); ++y)
        for (int32_t x = 0; x < l.window.Width(); ++x) ASSERT_FALSE(m(x, y)) << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(Orientations, Shape,
                         ::testing::Combine(::testing::Values(ShapeCase{"Preferred", {150, 150}},
                                                              ShapeCase{"Mirrored", {290, 150}},
                                                              ShapeCase{"Below", {150, 20}},
                                                              ShapeCase{"MirroredBelow", {290, 20}},
                                                              ShapeCase{"ShiftedLeft", {4, 150}}),
                                            ::testing::Values(96, 144, 192)),
                         [](const auto& p) {
                             return std::string(std::get<0>(p.param).name) + "At" +
                                    std::to_string(std::get<1>(p.param));
                         });

struct LinesCase {
    const char* name;
    std::string text;
    std::vector<std::string> lines;
};

class Lines : public ::testing::TestWithParam<LinesCase> {};

TEST_P(Lines, EachLineFeedStartsALineAndCarriageReturnsAreDropped) {
    EXPECT_EQ(SplitBalloonLines(GetParam().text), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Lines,
    ::testing::Values(LinesCase{"HelpTextsShape", "one\r\n\r\ntwo", {"one", "", "two"}},
                      LinesCase{"OneLine", "just this", {"just this"}},
                      LinesCase{"BareLineFeeds", "a\nb\n", {"a", "b", ""}},
                      LinesCase{"LoneCarriageReturnIsNoBreak", "a\rb", {"ab"}},
                      LinesCase{"OnlyABreak", "\r\n", {"", ""}},
                      LinesCase{"GbkBytesPassThrough", "\xCB\xB5\xC3\xF7\n\xB9\xD9", {"\xCB\xB5\xC3\xF7", "\xB9\xD9"}}),
    [](const auto& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace talvine
