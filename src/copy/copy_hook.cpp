#include "copy/copy_hook.h"

#include <string>

#include "base/app_state.h"
#include "copy/copy_worker.h"
#include "copy/drag.h"

namespace talvine {

namespace {

uint32_t g_lastCall = 0;

// What the latest press noted, and the window it measured; main thread only.
PressContext g_press;
HWND g_pressWindow = nullptr;

Point CursorPoint(Point fallback) {
    POINT p;
    if (!GetCursorPos(&p)) return fallback;
    return {p.x, p.y};
}

std::string ClassOf(HWND window) {
    char name[256] = {};
    const int n = window ? GetClassNameA(window, name, sizeof name) : 0;
    return std::string(name, n > 0 ? static_cast<std::size_t>(n) : 0);
}

// None of these calls sends a message to another program, so the hook stays quick.
void NotePress(Point at) {
    const HWND under = WindowFromPoint(POINT{at.x, at.y});
    g_pressWindow = under ? GetAncestor(under, GA_ROOT) : nullptr;
    g_press.windowRect = WindowRectOf(g_pressWindow);
    GUITHREADINFO focus{};
    focus.cbSize = sizeof focus;
    const HWND foreground = GetForegroundWindow();
    g_press.amongFiles = foreground && GetGUIThreadInfo(GetWindowThreadProcessId(foreground, nullptr), &focus) &&
                         focus.hwndFocus &&
                         IsAmongFiles(ClassOf(focus.hwndFocus), ClassOf(GetAncestor(focus.hwndFocus, GA_ROOT)));
}

}  // namespace

// Runs on the main thread for every mouse event on the desktop: one comparison, then
// the event goes on. Positions come from the cursor, not from the event's record.
// Every call is stamped, so that the hook's owner can tell a hook the system removed.
LRESULT CALLBACK CopyHookProc(int nCode, WPARAM wParam, LPARAM lParam) {
    g_lastCall = GetTickCount();
    if (wParam == WM_LBUTTONDOWN) {
        *appState.pressPoint = CursorPoint(*appState.pressPoint);
        NotePress(*appState.pressPoint);
    } else if (wParam == WM_LBUTTONUP) {
        const bool drag = IsDrag(*appState.pressPoint, CursorPoint(Point{}));
        if (StartsCopy(drag, g_press, drag ? WindowRectOf(g_pressWindow) : std::nullopt)) {
            auto* request = new CopyRequest{g_pressWindow, g_press.windowRect};
            if (HANDLE worker = CreateThread(nullptr, 0, &CopyWorker, request, 0, nullptr))
                CloseHandle(worker);
            else
                delete request;  // that drag is silently not copied
        }
    }
    // Releases are handed on like every other event: other programs' hooks must see them.
    return CallNextHookEx(appState.copyHook, nCode, wParam, lParam);
}

uint32_t CopyHookLastCall() { return g_lastCall; }

}  // namespace talvine
