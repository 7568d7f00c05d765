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

// What the main window passes on to the application for keeping its mouse hooks in
// place: the witness's mouse input, the check's timer, and the moments when Windows
// is known to drop hooks.
enum class WatchNotice {
    MouseInput,        // WM_INPUT from the raw-input sink
    CheckDue,          // WM_TIMER of the check timer
    ResumedFromSleep,  // WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC
    SessionUnlocked,   // WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK
    LongCallEnded,     // the main thread is back from a call that may have kept it long
};

// The main window's timer that the hook check runs on.
inline constexpr uint64_t kHookCheckTimer = 1;

constexpr std::optional<WatchNotice> WatchNoticeFor(uint32_t message, uint64_t wParam) {
    switch (message) {
    case 0x00FF: return WatchNotice::MouseInput;  // WM_INPUT
    case 0x0113:                                  // WM_TIMER
        if (wParam == kHookCheckTimer) return WatchNotice::CheckDue;
        return std::nullopt;
    case 0x0218:                                  // WM_POWERBROADCAST
        if (wParam == 0x0012) return WatchNotice::ResumedFromSleep;  // PBT_APMRESUMEAUTOMATIC
        return std::nullopt;
    case 0x02B1:                                  // WM_WTSSESSION_CHANGE
        if (wParam == 0x0008) return WatchNotice::SessionUnlocked;   // WTS_SESSION_UNLOCK
        return std::nullopt;
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
