// The middle-button paste: a middle press anywhere types Ctrl+V into the focused window.
#pragma once

#include <windows.h>

namespace talvine {

LRESULT CALLBACK PasteHookProc(int nCode, WPARAM wParam, LPARAM lParam);
void PasteNow();

// Installs PasteHookProc as a low-level mouse hook; the handle, or null on failure.
HHOOK InstallPasteHook();

}  // namespace talvine
