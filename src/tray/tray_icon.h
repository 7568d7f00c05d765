// The main window's notification-area icon.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>

namespace talvine {

class MainWindow;

// Builds an icon from the bytes of an ICO file, choosing the image by target width.
HICON IconFromIcoBytes(std::span<const uint8_t> ico, int32_t targetWidth);

// Adds, changes or removes the window's icon: an image (ICO bytes) shows it, none
// removes it; a tooltip of null leaves the icon without one. The replaced handle is
// destroyed.
void SetTrayIcon(MainWindow& window, std::span<const uint8_t> iconData = {}, const char* tooltip = nullptr);

// Shows the current icon again after the notification area was recreated.
void RestoreTrayIcon(MainWindow& window);

}  // namespace talvine
