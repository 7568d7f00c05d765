// Where Tab and Shift+Tab move the focus among the window's tab stops.
#pragma once

#include <cstddef>
#include <span>

namespace talvine {

// `eligible[i]` tells whether tab stop i is visible and enabled; `current` is the
// index of the tab stop that has the focus, or -1 when none has it. Returns the
// index to focus next, wrapping around at either end, or -1 when no stop is eligible.
// From outside the tab stops, Tab enters at the first and Shift+Tab at the last.
inline int NextTabStop(std::span<const bool> eligible, int current, bool forward) {
    const int n = static_cast<int>(eligible.size());
    if (n == 0) return -1;
    const int step = forward ? 1 : n - 1;
    int i = (current < 0 || current >= n) ? (forward ? n - 1 : 0) : current;
    for (int k = 0; k < n; ++k) {
        i = (i + step) % n;
        if (eligible[static_cast<std::size_t>(i)]) return i;
    }
    return -1;
}

}  // namespace talvine
