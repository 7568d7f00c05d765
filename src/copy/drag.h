#pragma once

#include "base/geometry.h"

namespace talvine {

// A release anywhere but the very press point ends a drag: one pixel in either
// direction counts, and there is no tolerance.
constexpr bool IsDrag(Point press, Point release) { return release.x != press.x || release.y != press.y; }

}  // namespace talvine
