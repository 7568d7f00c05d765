// Hiding the main window behind a notification-area icon and bringing it back.
#pragma once

#include "ui/window_events.h"

namespace talvine {

class MainWindow;
class TrayIcon;

// Bound to the main window's position-changed event.
void OnMainWindowStateChanged(MainWindow& window, TrayIcon& tray);

// Bound to the main window's tray event.
void OnTrayEvent(MainWindow& window, TrayIcon& tray, TrayEvent type);

}  // namespace talvine
