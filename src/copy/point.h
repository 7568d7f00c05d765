#pragma once

#include <cstdint>

namespace talvine {

// A screen point in pixels.
struct Point {
    int32_t x = 0;
    int32_t y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

}  // namespace talvine
