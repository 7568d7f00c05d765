// The help balloon's geometry: where its window goes for a given tip point, which
// of its pixels belong to the body and the pointer, and how its text breaks into
// lines. Plain integer arithmetic, so that every case is tested natively.
//
// Coordinates are pixels. A rectangle's right and bottom are exclusive. The tip is
// a pixel: the pointer's last pixel lies exactly on the point the caller gives.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/dpi_scale.h"
#include "base/geometry.h"

namespace talvine {

namespace balloon {
// The design at 96 DPI.
inline constexpr int32_t kMargin = 12;         // between the body's edge and the text
inline constexpr int32_t kCornerRadius = 8;    // the corners are a 16 x 16 ellipse
inline constexpr int32_t kPointerWidth = 12;   // at its base
inline constexpr int32_t kPointerHeight = 16;
inline constexpr int32_t kPointerInset = 16;   // pixels between the window's end and the tip
// The pointer's base always sits on the straight part of the body's edge.
inline constexpr int32_t kMinBodyWidth = kPointerInset + kPointerWidth + kCornerRadius;
inline constexpr int32_t kShadowDx = 5;
inline constexpr int32_t kShadowDy = 3;
inline constexpr int32_t kShadowBlur = 7;      // box width and height
inline constexpr int32_t kShadowReach = kShadowBlur / 2;
// Room the window keeps right of and below the shape for the shadow. The offset is
// larger than the blur's reach, so the shadow never shows left of or above the shape.
inline constexpr int32_t kShadowRight = kShadowDx + kShadowReach;
inline constexpr int32_t kShadowBelow = kShadowDy + kShadowReach;
inline constexpr int32_t kFontHeight = 12;     // pixels: 9 points
}  // namespace balloon

// The balloon's measures at one DPI: the design's, scaled.
struct BalloonMetrics {
    int32_t margin = balloon::kMargin;
    int32_t cornerRadius = balloon::kCornerRadius;
    int32_t pointerWidth = balloon::kPointerWidth;
    int32_t pointerHeight = balloon::kPointerHeight;
    int32_t pointerInset = balloon::kPointerInset;
    int32_t shadowDx = balloon::kShadowDx;
    int32_t shadowDy = balloon::kShadowDy;
    // The blur averages a square box centred on each pixel, so its side is odd:
    // reach pixels to either side.
    int32_t shadowReach = balloon::kShadowReach;
    int32_t fontHeight = balloon::kFontHeight;

    int32_t MinBodyWidth() const { return pointerInset + pointerWidth + cornerRadius; }
    int32_t ShadowBlur() const { return 2 * shadowReach + 1; }
    int32_t ShadowRight() const { return shadowDx + shadowReach; }
    int32_t ShadowBelow() const { return shadowDy + shadowReach; }
    friend bool operator==(const BalloonMetrics&, const BalloonMetrics&) = default;
};

inline constexpr BalloonMetrics kBalloonDesign{};

constexpr BalloonMetrics BalloonMetricsAt(int32_t dpi) {
    using namespace balloon;
    return {Scale(kMargin, dpi),       Scale(kCornerRadius, dpi), Scale(kPointerWidth, dpi),
            Scale(kPointerHeight, dpi), Scale(kPointerInset, dpi), Scale(kShadowDx, dpi),
            Scale(kShadowDy, dpi),      Scale(kShadowBlur, dpi) / 2, Scale(kFontHeight, dpi)};
}

struct BalloonLayout {
    PixelRect window;            // screen: the shape's box plus the shadow's room
    PixelRect body;              // window coordinates
    Point tip;                   // window coordinates of the pointer's last pixel
    bool pointerOnTop = false;   // the balloon hangs below the point
    bool mirrored = false;       // pointer at the right end, body extending left
    BalloonMetrics metrics;      // the measures it was laid out with
    int32_t ShapeWidth() const { return body.Width(); }
    int32_t ShapeHeight() const { return body.Height() + metrics.pointerHeight; }
    friend bool operator==(const BalloonLayout&, const BalloonLayout&) = default;
};

// Places a balloon whose body measures bodyWidth x bodyHeight so that its pointer's
// tip is the pixel `point`: preferably above the point, extending right, the tip the
// pointer's inset from the left end; mirrored when that passes the virtual screen's right
// edge; below the point when it passes the top edge; and shifted right to the
// screen's left edge when it still starts left of it. Only when the point itself
// lies outside the virtual screen does the tip leave the point, to stay on the body.
// The distances are those of `m`, the design's at 96 DPI unless told otherwise.
inline BalloonLayout PlaceBalloon(Point point, int32_t bodyWidth, int32_t bodyHeight, PixelRect screen,
                                  const BalloonMetrics& m = kBalloonDesign) {
    const int32_t width = std::max(bodyWidth, m.MinBodyWidth());
    const int32_t height = std::max(bodyHeight, 2 * m.margin) + m.pointerHeight;

    BalloonLayout out;
    out.metrics = m;
    int32_t left = point.x - m.pointerInset;
    int32_t top = point.y - (height - 1);
    if (left + width > screen.right) {
        out.mirrored = true;
        left = point.x - (width - 1 - m.pointerInset);
    }
    if (top < screen.top) {
        out.pointerOnTop = true;
        top = point.y;
    }
    if (left < screen.left) left = screen.left;

    const int32_t lowest = out.mirrored ? m.pointerWidth - 1 : 0;
    const int32_t highest = out.mirrored ? width - 1 : width - m.pointerWidth;
    out.tip = {std::clamp(point.x - left, lowest, highest), out.pointerOnTop ? 0 : height - 1};
    const int32_t bodyTop = out.pointerOnTop ? m.pointerHeight : 0;
    out.body = {0, bodyTop, width, bodyTop + height - m.pointerHeight};
    out.window = {left, top, left + width + m.ShadowRight(), top + height + m.ShadowBelow()};
    return out;
}

namespace detail {
// Whether pixel (x, y) of `r` lies inside its rounded corners: the pixel's centre
// against a circle of the corner radius, in doubled coordinates to stay in integers.
inline bool InsideRoundedRect(int32_t x, int32_t y, const PixelRect& r, int32_t radius) {
    if (x < r.left || x >= r.right || y < r.top || y >= r.bottom) return false;
    int32_t cx = 0, cy = 0;
    if (x < r.left + radius) cx = r.left + radius;
    else if (x >= r.right - radius) cx = r.right - radius;
    else return true;
    if (y < r.top + radius) cy = r.top + radius;
    else if (y >= r.bottom - radius) cy = r.bottom - radius;
    else return true;
    const int32_t dx = 2 * x + 1 - 2 * cx;
    const int32_t dy = 2 * y + 1 - 2 * cy;
    return dx * dx + dy * dy <= 4 * radius * radius;
}
}  // namespace detail

// One byte a pixel over the layout's window, row by row: 1 for the body and the
// pointer, 0 for the rest (the shadow's room and the corners).
inline std::vector<uint8_t> ShapeMask(const BalloonLayout& l) {
    const BalloonMetrics& m = l.metrics;
    const int32_t w = l.window.Width();
    const int32_t h = l.window.Height();
    std::vector<uint8_t> mask(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), 0);
    auto at = [&](int32_t x, int32_t y) -> uint8_t& {
        return mask[static_cast<std::size_t>(y) * static_cast<std::size_t>(w) + static_cast<std::size_t>(x)];
    };
    for (int32_t y = l.body.top; y < l.body.bottom; ++y)
        for (int32_t x = l.body.left; x < l.body.right; ++x)
            if (detail::InsideRoundedRect(x, y, l.body, m.cornerRadius)) at(x, y) = 1;
    // The pointer narrows from its base on the body's edge to one pixel at the tip;
    // its straight side runs through the tip, towards the body's near end.
    for (int32_t i = 0; i < m.pointerHeight; ++i) {
        const int32_t y = l.pointerOnTop ? l.tip.y + i : l.tip.y - i;
        const int32_t span = (m.pointerWidth * (i + 1) + m.pointerHeight - 1) / m.pointerHeight;
        const int32_t first = l.mirrored ? l.tip.x - span + 1 : l.tip.x;
        for (int32_t x = std::max(first, 0); x < std::min(first + span, w); ++x) at(x, y) = 1;
    }
    return mask;
}

// The balloon's text as lines: each LF starts a new line and CR is dropped.
inline std::vector<std::string> SplitBalloonLines(std::string_view text) {
    std::vector<std::string> lines(1);
    for (char c : text) {
        if (c == '\n') lines.emplace_back();
        else if (c != '\r') lines.back() += c;
    }
    return lines;
}

}  // namespace talvine
