#include "copy/copy_hook.h"

#include "base/app_state.h"
#include "copy/copy_worker.h"
#include "copy/drag.h"

namespace talvine {

namespace {

uint32_t g_lastCall = 0;

Point CursorPoint(Point fallback) {
    POINT p;
    if (!GetCursorPos(&p)) return fallback;
    return {p.x, p.y};
}

}  // namespace

// Runs on the main thread for every mouse event on the desktop: one comparison, then
// the event goes on. Positions come from the cursor, not from the event's record.
// Every call is stamped, so that the hook's owner can tell a hook the system removed.
LRESULT CALLBACK CopyHookProc(int nCode, WPARAM wParam, LPARAM lParam) {
    g_lastCall = GetTickCount();
    if (wParam == WM_LBUTTONDOWN) {
        *appState.pressPoint = CursorPoint(*appState.pressPoint);
    } else if (wParam == WM_LBUTTONUP) {
        if (IsDrag(*appState.pressPoint, CursorPoint(Point{}))) {
            if (HANDLE worker = CreateThread(nullptr, 0, &CopyWorker, nullptr, 0, nullptr)) CloseHandle(worker);
        }
    }
    // Releases are handed on like every other event: other programs' hooks must see them.
    return CallNextHookEx(appState.copyHook, nCode, wParam, lParam);
}

uint32_t CopyHookLastCall() { return g_lastCall; }

}  // namespace talvine
