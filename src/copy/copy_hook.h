// The left-button watcher: a drag that ends anywhere on the desktop starts a copy.
#pragma once

#include <windows.h>

#include <cstdint>

namespace talvine {

// Installed as a low-level mouse hook (WH_MOUSE_LL) under AppState::copyHook.
LRESULT CALLBACK CopyHookProc(int nCode, WPARAM wParam, LPARAM lParam);

// The tick count of the procedure's latest call: when it last saw a mouse event.
uint32_t CopyHookLastCall();

}  // namespace talvine
