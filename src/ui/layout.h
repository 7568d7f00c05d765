// The main window's design at 96 DPI, as data, and its layout at any DPI: every
// place and size scaled from the design by the one rule of base/dpi_scale.h.
#pragma once

#include <cstdint>
#include <optional>

#include "base/dpi_scale.h"
#include "base/geometry.h"

namespace talvine {

// A window's place in its parent's client area and its outer size.
struct Box {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    int32_t Right() const { return x + width; }
    int32_t Bottom() const { return y + height; }
    friend bool operator==(const Box&, const Box&) = default;
};

struct MainWindowLayout {
    Extent window;      // outer size, title bar and borders included
    Box edit;           // 编辑框1
    Box copySwitch;     // 按钮5
    Box help;           // 按钮6
    Box link;           // 超级链接框1
    Box label;          // 标签1, far outside the visible client area
    int32_t bigIcon = 0;    // the window's icons, square
    int32_t smallIcon = 0;
    int32_t linkCursor = 0;  // the link's pointing hand, square
    // Where the help balloon's tip goes, from the edit box's outer top-left corner.
    Point helpTip;
    friend bool operator==(const MainWindowLayout&, const MainWindowLayout&) = default;
};

inline constexpr MainWindowLayout kMainWindowDesign{
    {340, 62},
    {6, 6, 176, 24},
    {185, 5, 69, 24},
    {256, 5, 32, 24},
    {289, 4, 39, 25},
    {720, 104, 40, 24},
    32,
    16,
    32,
    {30, 1},
};

// Place and size are scaled each on its own, so that every control keeps exactly
// its design size scaled, whatever its place rounds to.
constexpr Box ScaleBox(const Box& b, int32_t dpi) {
    return {Scale(b.x, dpi), Scale(b.y, dpi), Scale(b.width, dpi), Scale(b.height, dpi)};
}

constexpr MainWindowLayout LayoutAt(int32_t dpi) {
    const MainWindowLayout& d = kMainWindowDesign;
    return {
        {Scale(d.window.width, dpi), Scale(d.window.height, dpi)},
        ScaleBox(d.edit, dpi),
        ScaleBox(d.copySwitch, dpi),
        ScaleBox(d.help, dpi),
        ScaleBox(d.link, dpi),
        ScaleBox(d.label, dpi),
        Scale(d.bigIcon, dpi),
        Scale(d.smallIcon, dpi),
        Scale(d.linkCursor, dpi),
        {Scale(d.helpTip.x, dpi), Scale(d.helpTip.y, dpi)},
    };
}

// The window's outer size at `dpi`. The design fills the client area, so it is the
// client area that scales: the design's outer size less the title bar and borders
// the system gives the window at 96 DPI, scaled, plus those it gives at `dpi`. Where
// the system cannot tell its frame at another DPI than its own (before Windows 10
// 1607), the whole outer size scales, as the system itself scales a window that
// moves to a monitor of another DPI. At 96 DPI the size is the design's, exactly.
constexpr Extent OuterSizeAt(int32_t dpi, std::optional<Extent> frameAtDesign, std::optional<Extent> frameAtDpi) {
    const Extent& design = kMainWindowDesign.window;
    if (dpi <= 0 || dpi == kDesignDpi) return design;
    if (!frameAtDesign || !frameAtDpi) return {Scale(design.width, dpi), Scale(design.height, dpi)};
    return {Scale(design.width - frameAtDesign->width, dpi) + frameAtDpi->width,
            Scale(design.height - frameAtDesign->height, dpi) + frameAtDpi->height};
}

// Where the window starts: centred on a screen of the given size, by integer division.
constexpr Point CentredOn(int32_t screenWidth, int32_t screenHeight, const Extent& window) {
    return {(screenWidth - window.width) / 2, (screenHeight - window.height) / 2};
}

}  // namespace talvine
