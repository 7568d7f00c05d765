// Start-up, the message loop and shutdown: the composition root that owns the
// program's state and its main window and binds the handlers to the window's events.
#pragma once

#include <windows.h>

#include "base/create_window.h"

namespace talvine {

// Ways to replace the start-up's contact with the system, for tests.
struct StartupSeams {
    CreateWindowFn createWindow = &CreateWindowExA;
    int(WINAPI* messageBox)(HWND, LPCSTR, LPCSTR, UINT) = &MessageBoxA;
};

// The program's start routine. Returns the exit code: the wParam of WM_QUIT (0)
// after a normal close, -1 when the main window could not be created.
int RunApplication(const StartupSeams& seams = {});

void OnMainWindowCreated();
void OnMainWindowClosing();
// WM_ENDSESSION with the session going on: brings back what OnMainWindowClosing removed.
void OnSessionResumed();
void ReleaseAppState();

// Runs the main thread's loop until WM_QUIT and returns its wParam.
int RunMessageLoop();

}  // namespace talvine
