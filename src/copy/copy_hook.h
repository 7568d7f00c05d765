// The left-button watcher: a drag that ends anywhere on the desktop starts a copy.
#pragma once

#include <windows.h>

namespace talvine {

LRESULT CALLBACK CopyHookProc(int nCode, WPARAM wParam, LPARAM lParam);

// Installs CopyHookProc as a low-level mouse hook; the handle, or null on failure.
HHOOK InstallCopyHook();

}  // namespace talvine
