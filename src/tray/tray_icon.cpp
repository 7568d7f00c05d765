#include "tray/tray_icon.h"

#include <shellapi.h>

#include <cstring>
#include <string>

#include "tray/ico.h"
#include "tray/tray_record.h"
#include "ui/main_window.h"

namespace talvine {

namespace {

// The version-1 record: 88 bytes in a 32-bit build, 104 in a 64-bit one.
NOTIFYICONDATAA Record(HWND window, const std::string& tip) {
    NOTIFYICONDATAA record;
    std::memset(&record, 0, sizeof record);
    record.cbSize = NOTIFYICONDATAA_V1_SIZE;
    record.hWnd = window;
    record.uID = kTrayIconId;
    std::memcpy(record.szTip, tip.data(), tip.size());
    return record;
}

void Tell(TrayCall call, HWND window, HICON icon, const std::string& tip) {
    DWORD message = NIM_ADD;
    switch (call) {
    case TrayCall::None: return;
    case TrayCall::Add: message = NIM_ADD; break;
    case TrayCall::Modify: message = NIM_MODIFY; break;
    case TrayCall::Delete: message = NIM_DELETE; break;
    }
    NOTIFYICONDATAA record = Record(window, tip);
    const TrayFields fields = TrayFieldsFor(call);
    record.uFlags = fields.flags;
    record.uCallbackMessage = fields.callbackMessage;
    record.hIcon = call == TrayCall::Delete ? nullptr : icon;
    Shell_NotifyIconA(message, &record);
}

}  // namespace

HICON IconFromIcoBytes(std::span<const uint8_t> ico, int32_t targetWidth) {
    const std::optional<IcoImage> image = ChooseIcoImage(ico, targetWidth);
    if (!image) return nullptr;
    // The system reads the image, not the file; the bytes stay ours and constant.
    auto* bits = const_cast<PBYTE>(ico.data() + image->offset);
    const auto size = static_cast<DWORD>(image->size);
    HICON icon = CreateIconFromResourceEx(bits, size, TRUE, 0x30000, image->width, image->height, LR_DEFAULTCOLOR);
    if (!icon && image->bitCount != 16) icon = CreateIconFromResource(bits, size, TRUE, 0x30000);
    return icon;
}

void SetTrayIcon(MainWindow& window, std::span<const uint8_t> iconData, const char* tooltip) {
    HICON newIcon = nullptr;
    if (!iconData.empty()) {
        newIcon = IconFromIcoBytes(iconData, 16);
        if (!newIcon) newIcon = IconFromIcoBytes(iconData, 32);
    }
    const std::string tip = tooltip ? CutTooltip(tooltip) : std::string();

    Tell(TrayCallFor(window.trayIcon.get() != nullptr, newIcon != nullptr), window.hwnd, newIcon, tip);
    // Recorded whatever the notification area answered; the old handle is destroyed.
    window.trayIcon.reset(newIcon);
    window.trayTip = tip;
}

void RestoreTrayIcon(MainWindow& window) {
    if (window.trayIcon) Tell(TrayCall::Add, window.hwnd, window.trayIcon.get(), window.trayTip);
}

}  // namespace talvine
