// The left-button watcher: a drag that ends anywhere on the desktop starts a copy.
#pragma once

#include <windows.h>

namespace talvine {

// Installed as a low-level mouse hook (WH_MOUSE_LL) under AppState::copyHook.
LRESULT CALLBACK CopyHookProc(int nCode, WPARAM wParam, LPARAM lParam);

}  // namespace talvine
