// The middle-button paste: a middle press anywhere types Ctrl+V into the focused window.
#pragma once

#include <windows.h>

namespace talvine {

// Installed as a low-level mouse hook (WH_MOUSE_LL) under AppState::pasteHook.
LRESULT CALLBACK PasteHookProc(int nCode, WPARAM wParam, LPARAM lParam);
void PasteNow();

}  // namespace talvine
