#include "tray/tray_presence.h"

#include <string>

#include "tray/tray_icon.h"
#include "tray/tray_icons.h"
#include "ui/main_window.h"
#include "ui/texts.h"

namespace talvine {

// Runs after every move of the main window; only minimising does anything: the window
// leaves the screen and the taskbar, and an icon for the copy switch's state stays.
void OnMainWindowStateChanged() {
    if (!IsIconic(窗口.hwnd)) return;
    窗口.SetVisible(false);
    const std::string caption = 窗口.按钮5.Caption();
    if (caption == texts::kCaptionCopyOn)
        SetTrayIcon(窗口, IconCopyOn, texts::kProductName);
    else if (caption == texts::kCaptionCopyOff)
        SetTrayIcon(窗口, IconCopyOff, texts::kProductName);
}

// A left-button release over the icon brings the window back in its normal state and
// removes the icon; double clicks and the right button do nothing.
void OnTrayEvent(int32_t type) {
    if (type != 1) return;
    窗口.SetVisible(true);
    窗口.SetPosition(0);
    SetTrayIcon(窗口);
}

}  // namespace talvine
