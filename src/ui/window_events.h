// The values that the main window's events carry: the tray event types and the
// window's positions, and the private message through which the notification area
// reports the mouse over the window's icon.
#pragma once

#include <cstdint>
#include <optional>

namespace talvine {

// Posted by the notification area to the main window; lParam is the mouse message
// that happened over the icon.
inline constexpr uint32_t kTrayCallbackMessage = 0x8064;  // WM_APP + 100

enum class TrayEvent : int32_t {
    LeftButtonUp = 1,
    LeftDoubleClick = 2,
    RightButton = 3,  // a right release, or the context-menu key
};

// The tray event for a mouse message over the icon; other messages raise none.
constexpr std::optional<TrayEvent> TrayEventFor(uint32_t mouseMessage) {
    switch (mouseMessage) {
    case 0x0202: return TrayEvent::LeftButtonUp;     // WM_LBUTTONUP
    case 0x0203: return TrayEvent::LeftDoubleClick;  // WM_LBUTTONDBLCLK
    case 0x0205: return TrayEvent::RightButton;      // WM_RBUTTONUP
    case 0x007B: return TrayEvent::RightButton;      // WM_CONTEXTMENU
    default: return std::nullopt;
    }
}

// The main window's position property.
enum class WindowPosition : int32_t {
    Normal = 0,
    Centred = 1,  // the form's stored value: the window starts centred
    Minimised = 2,
    Maximised = 3,
};

}  // namespace talvine
