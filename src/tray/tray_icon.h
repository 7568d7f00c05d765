// The main window's notification-area icon.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <string>

#include "base/dpi.h"
#include "base/handles.h"

namespace talvine {

// The one icon the program shows in the notification area, for one window: it owns
// the icon handle the notification area shows and remembers the tooltip, so that it
// can show both again when the notification area is recreated.
class TrayIcon {
public:
    // The window the icon belongs to, which the notification area calls back.
    void SetWindow(HWND window) { window_ = window; }
    HWND Window() const { return window_; }

    // Add and Change take ownership of the handle; the handle they replace is
    // destroyed. All three record the change whatever the notification area answers,
    // so that the next call is the right one for the icon the program meant to show.
    void Add(HICON icon, std::string tip);
    void Change(HICON icon, std::string tip);
    void Remove();
    // Shows the current icon again, if there is one: after the shell restarted, the
    // icon is the only way back to a window hidden in the tray.
    void Restore() const;

    HICON Handle() const { return icon_.get(); }
    const std::string& Tip() const { return tip_; }

private:
    HWND window_ = nullptr;
    UniqueIcon icon_;
    std::string tip_;
};

// Builds an icon from the bytes of an ICO file, choosing the image by target width,
// `size` pixels square (stretched by the system where it differs from the image's),
// or the image's own size when `size` is 0.
HICON IconFromIcoBytes(std::span<const uint8_t> ico, int32_t targetWidth, int32_t size = 0);

// The size the notification area shows icons at: the small-icon size of the
// system's DPI, which the notification area is laid out for.
int32_t TrayIconSize(const DpiFunctions& f = SystemDpiFunctions());

// Adds, changes or removes the icon: an image (ICO bytes) shows it, none removes it;
// a tooltip of null leaves the icon without one. Neither argument is kept: the icon
// is built afresh on every call, at TrayIconSize(), and the tooltip is copied.
void SetTrayIcon(TrayIcon& tray, std::span<const uint8_t> iconData = {}, const char* tooltip = nullptr);

}  // namespace talvine
