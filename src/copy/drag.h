// Telling, at a left-button release, whether a copy starts.
#pragma once

#include <optional>
#include <string_view>

#include "base/geometry.h"

namespace talvine {

// A release anywhere but the very press point ends a drag: one pixel in either
// direction counts, and there is no tolerance.
constexpr bool IsDrag(Point press, Point release) { return release.x != press.x || release.y != press.y; }

// Whether the keyboard focus at a press is in an item view of a File Explorer window
// or of the desktop, where a drag moves files and selects no text. The address bar,
// a rename box or the search box are edit controls, and keep copying.
constexpr bool IsAmongFiles(std::string_view focusClass, std::string_view focusRootClass) {
    constexpr std::string_view kItemViews[] = {"DirectUIHWND", "SysListView32", "SysTreeView32"};
    constexpr std::string_view kFileWindows[] = {"CabinetWClass", "ExploreWClass", "Progman", "WorkerW"};
    bool itemView = false, fileWindow = false;
    for (const std::string_view c : kItemViews) itemView = itemView || focusClass == c;
    for (const std::string_view c : kFileWindows) fileWindow = fileWindow || focusRootClass == c;
    return itemView && fileWindow;
}

// What the copy hook notes at a press: the top-level window under the cursor, and
// whether the press falls among files.
struct PressContext {
    std::optional<PixelRect> windowRect;  // none when there was no window to measure
    bool amongFiles = false;
};

// A drag starts a copy unless it was among files, or the window under the press has
// another rectangle at the release: it was moved or resized, which selects nothing.
// A window that cannot be measured at the release (it closed) changes nothing.
constexpr bool StartsCopy(bool drag, const PressContext& press, std::optional<PixelRect> windowRectAtRelease) {
    if (!drag || press.amongFiles) return false;
    return !(press.windowRect && windowRectAtRelease && *press.windowRect != *windowRectAtRelease);
}

}  // namespace talvine
