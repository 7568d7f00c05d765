// The hotkey facility: a system-wide hotkey whose presses reach a receiving control.
#pragma once

#include <windows.h>

#include <cstdint>

namespace talvine {

// Registers key (with modifiers) for window and names receiver as the control whose
// feedback event each press raises. Returns the identifier issued for it (33001 for
// the run's first), or 0 when the system refused the key. From the first
// registration on, the window's WM_HOTKEY messages are watched.
int32_t RegisterSystemHotkey(HWND window, HWND receiver, int32_t modifiers, int32_t key);

// Gives the key back to the system. Returns whether that succeeded. With no
// registration left, the window is no longer watched.
bool UnregisterSystemHotkey(HWND window, int32_t id);

// Where a WM_HOTKEY that `window` received goes first: the receiving control while
// the window is watched and the identifier was issued in this run, else nowhere.
// The window asks on every WM_HOTKEY and forwards the press synchronously before its
// own handling.
HWND HotkeyReceiver(HWND window, WPARAM id);

}  // namespace talvine
