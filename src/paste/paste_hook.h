// The middle-button paste: a middle press anywhere types Ctrl+V into the focused window.
#pragma once

#include <windows.h>

#include <cstdint>

namespace talvine {

// Installed as a low-level mouse hook (WH_MOUSE_LL) under AppState::pasteHook.
LRESULT CALLBACK PasteHookProc(int nCode, WPARAM wParam, LPARAM lParam);
void PasteNow();

// The tick count of the procedure's latest call: when it last saw a mouse event.
uint32_t PasteHookLastCall();

}  // namespace talvine
