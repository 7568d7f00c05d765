// The help balloon's contact with GDI: its font, its text's size, its face with the
// text drawn on it, the picture of the screen behind it and its window region.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "ui/balloon_layout.h"
#include "ui/balloon_shading.h"

namespace talvine {

// `preferred` when a font family of that name is installed, else `fallback`.
const char* InstalledFace(const char* preferred, const char* fallback);

// The balloon's 9-point font, `fontHeight` pixels tall at the DPI it is for: "宋体", or Verdana
// where it is missing.
HFONT CreateBalloonFont(int32_t fontHeight);

struct TextSize {
    int32_t width = 0;       // of the widest line
    int32_t lineHeight = 0;
};
TextSize MeasureLines(HFONT font, const std::vector<std::string>& lines);

// The balloon as it looks on its own: the tooltip background inside the shape, the
// border in the tooltip text colour, and the lines in black inside the layout's margins.
std::vector<uint32_t> DrawBalloonFace(HFONT font, const BalloonLayout& layout, std::span<const uint8_t> shape,
                                      std::span<const uint8_t> border, const std::vector<std::string>& lines,
                                      int32_t lineHeight);

// What the screen shows in `r`; black where it cannot be read.
std::vector<uint32_t> CaptureScreen(const PixelRect& r);

// A region made of the runs, in window coordinates. The caller owns it.
HRGN RegionFromRuns(const std::vector<PixelRun>& runs);

// Draws a picture of the given size at the DC's origin.
void PaintPicture(HDC dc, const std::vector<uint32_t>& picture, int32_t width, int32_t height);

}  // namespace talvine
