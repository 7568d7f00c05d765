// What SetTrayIcon tells the notification area, as plain values.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "ui/window_events.h"

namespace talvine {

inline constexpr uint32_t kTrayIconId = 100;
inline constexpr uint32_t kTrayFlagsShown = 7;            // NIF_MESSAGE | NIF_ICON | NIF_TIP
inline constexpr std::size_t kTrayTipLimit = 62;          // bytes of tooltip text kept

enum class TrayCall { None, Add, Modify, Delete };

// Which Shell_NotifyIcon call a change needs: with an icon shown, a new image changes
// it and no image removes it; with none shown, a new image adds one.
constexpr TrayCall TrayCallFor(bool iconShown, bool newIcon) {
    if (iconShown) return newIcon ? TrayCall::Modify : TrayCall::Delete;
    return newIcon ? TrayCall::Add : TrayCall::None;
}

struct TrayFields {
    uint32_t flags;
    uint32_t callbackMessage;
};

// Adding and changing name the callback message and set icon and tooltip; deleting
// names nothing but the icon's owner and identifier.
constexpr TrayFields TrayFieldsFor(TrayCall call) {
    if (call == TrayCall::Add || call == TrayCall::Modify) return {kTrayFlagsShown, kTrayCallbackMessage};
    return {0, 0};
}

// The tooltip's first 62 bytes, cut after the last whole GBK character that fits so
// that no double-byte character is split in two.
inline std::string CutTooltip(std::string_view text) {
    std::size_t kept = 0;
    while (kept < text.size()) {
        const auto lead = static_cast<unsigned char>(text[kept]);
        const std::size_t width = lead >= 0x81 && lead <= 0xFE ? 2 : 1;
        if (kept + width > text.size() || kept + width > kTrayTipLimit) break;
        kept += width;
    }
    return std::string(text.substr(0, kept));
}

}  // namespace talvine
