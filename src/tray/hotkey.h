// The hotkey facility: a system-wide hotkey whose presses reach a receiving control.
#pragma once

#include <windows.h>

#include <cstdint>

namespace talvine {

// Registers key (with modifiers) for window and names receiver as the control whose
// feedback event each press raises. Returns the identifier issued for it (33001 for
// the run's first), or 0 when the system refused the key.
int32_t RegisterSystemHotkey(HWND window, HWND receiver, int32_t modifiers, int32_t key);

// Gives the key back to the system. Returns whether that succeeded.
bool UnregisterSystemHotkey(HWND window, int32_t id);

}  // namespace talvine
