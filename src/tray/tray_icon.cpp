#include "tray/tray_icon.h"

#include <shellapi.h>

#include <algorithm>
#include <cstring>
#include <utility>

#include "tray/ico.h"
#include "tray/tray_record.h"

namespace talvine {

namespace {

// The version-1 record: 88 bytes in a 32-bit build, 104 in a 64-bit one.
void Tell(TrayCall call, HWND window, HICON icon, const std::string& tip) {
    DWORD message = NIM_ADD;
    switch (call) {
    case TrayCall::None: return;
    case TrayCall::Add: message = NIM_ADD; break;
    case TrayCall::Modify: message = NIM_MODIFY; break;
    case TrayCall::Delete: message = NIM_DELETE; break;
    }
    NOTIFYICONDATAA record;
    std::memset(&record, 0, sizeof record);
    record.cbSize = NOTIFYICONDATAA_V1_SIZE;
    record.hWnd = window;
    record.uID = kTrayIconId;
    std::memcpy(record.szTip, tip.data(), std::min(tip.size(), kTrayTipLimit));
    const TrayFields fields = TrayFieldsFor(call);
    record.uFlags = fields.flags;
    record.uCallbackMessage = fields.callbackMessage;
    record.hIcon = call == TrayCall::Delete ? nullptr : icon;
    Shell_NotifyIconA(message, &record);
}

}  // namespace

void TrayIcon::Add(HICON icon, std::string tip) {
    Tell(TrayCall::Add, window_, icon, tip);
    icon_.reset(icon);
    tip_ = std::move(tip);
}

void TrayIcon::Change(HICON icon, std::string tip) {
    Tell(TrayCall::Modify, window_, icon, tip);
    icon_.reset(icon);
    tip_ = std::move(tip);
}

void TrayIcon::Remove() {
    Tell(TrayCall::Delete, window_, nullptr, {});
    icon_.reset();
    tip_.clear();
}

void TrayIcon::Restore() const {
    if (icon_) Tell(TrayCall::Add, window_, icon_.get(), tip_);
}

HICON IconFromIcoBytes(std::span<const uint8_t> ico, int32_t targetWidth, int32_t size) {
    const std::optional<IcoImage> image = ChooseIcoImage(ico, targetWidth);
    if (!image) return nullptr;
    // The system reads the image, not the file; the bytes stay ours and constant.
    auto* bits = const_cast<PBYTE>(ico.data() + image->offset);
    const auto bytes = static_cast<DWORD>(image->size);
    const int32_t width = size > 0 ? size : image->width;
    const int32_t height = size > 0 ? size : image->height;
    HICON icon = CreateIconFromResourceEx(bits, bytes, TRUE, 0x30000, width, height, LR_DEFAULTCOLOR);
    if (!icon && image->bitCount != 16) icon = CreateIconFromResource(bits, bytes, TRUE, 0x30000);
    return icon;
}

int32_t TrayIconSize(const DpiFunctions& f) { return SystemMetricForDpi(SM_CXSMICON, SystemDpi(), f); }

void SetTrayIcon(TrayIcon& tray, std::span<const uint8_t> iconData, const char* tooltip) {
    HICON newIcon = nullptr;
    if (!iconData.empty()) {
        // The 16 x 16 images are the data; a larger notification area gets them
        // stretched by the system.
        const int32_t size = TrayIconSize();
        newIcon = IconFromIcoBytes(iconData, 16, size);
        if (!newIcon) newIcon = IconFromIcoBytes(iconData, 32, size);
    }
    std::string tip = tooltip ? CutTooltip(tooltip) : std::string();
    switch (TrayCallFor(tray.Handle() != nullptr, newIcon != nullptr)) {
    case TrayCall::Add: tray.Add(newIcon, std::move(tip)); break;
    case TrayCall::Modify: tray.Change(newIcon, std::move(tip)); break;
    case TrayCall::Delete: tray.Remove(); break;
    case TrayCall::None: break;  // no icon shown and none to show
    }
}

}  // namespace talvine
