// Screen geometry in pixels: a point, a rectangle and a size, as plain integers.
#pragma once

#include <cstdint>

namespace talvine {

// A screen point in pixels.
struct Point {
    int32_t x = 0;
    int32_t y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// A rectangle whose right and bottom are exclusive.
struct PixelRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// A width and a height in pixels.
struct Extent {
    int32_t width = 0;
    int32_t height = 0;
    friend bool operator==(const Extent&, const Extent&) = default;
};

}  // namespace talvine
