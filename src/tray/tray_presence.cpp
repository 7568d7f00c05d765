#include "tray/tray_presence.h"

#include "tray/switch_logic.h"
#include "tray/tray_icon.h"
#include "ui/main_window.h"
#include "ui/texts.h"

namespace talvine {

// Runs after every move of the main window; only minimising does anything: the window
// leaves the screen and the taskbar, and an icon for the copy switch's state stays.
void OnMainWindowStateChanged(MainWindow& window, TrayIcon& tray) {
    const MoveStep step = MoveStepFor(window.Position() == WindowPosition::Minimised, window.按钮5.Caption());
    if (step.hide) window.SetVisible(false);
    if (step.image) SetTrayIcon(tray, TrayIconData(*step.image), texts::kProductName);
}

// A left-button release over the icon brings the window back in its normal state and
// removes the icon.
void OnTrayEvent(MainWindow& window, TrayIcon& tray, TrayEvent type) {
    if (!RestoresFromTray(type)) return;
    window.SetVisible(true);
    window.SetPosition(WindowPosition::Normal);
    SetTrayIcon(tray);
}

}  // namespace talvine
