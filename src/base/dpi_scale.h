// Pixels at one DPI turned into pixels at another: the one rounding rule for every
// size and place the program lays out. The program's design is drawn at 96 DPI
// (100 %); at other DPIs each number is scaled from it.
#pragma once

#include <cstdint>

namespace talvine {

inline constexpr int32_t kDesignDpi = 96;

// value * toDpi / fromDpi, rounded to the nearest integer with halves away from
// zero, as MulDiv rounds. A value that is not zero never scales to zero, so nothing
// of the design vanishes at a low DPI. A DPI of zero or less (a failed query) counts
// as the design's.
constexpr int32_t Scale(int32_t value, int32_t toDpi, int32_t fromDpi = kDesignDpi) {
    if (toDpi <= 0) toDpi = kDesignDpi;
    if (fromDpi <= 0) fromDpi = kDesignDpi;
    if (value == 0) return 0;
    const int64_t magnitude = value < 0 ? -static_cast<int64_t>(value) : value;
    int64_t scaled = (2 * magnitude * toDpi + fromDpi) / (2 * static_cast<int64_t>(fromDpi));
    if (scaled == 0) scaled = 1;
    return static_cast<int32_t>(value < 0 ? -scaled : scaled);
}

}  // namespace talvine
