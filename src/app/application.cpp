#include "app/application.h"

#include <ole2.h>

#include "app/app_state.h"
#include "copy/copy_hook.h"
#include "paste/paste_hook.h"
#include "tray/hotkey.h"
#include "tray/copy_switch.h"
#include "tray/tray_presence.h"
#include "ui/help.h"
#include "ui/main_window.h"
#include "ui/texts.h"

namespace talvine {

AppState appState;

namespace {

// Whether OnMainWindowClosing has removed the hooks and the hotkey of a window that
// still exists: true after WM_QUERYENDSESSION until the session turns out to go on.
bool g_watchersRemoved = false;

// Runs a step when the scope ends, whichever way it ends.
template <typename F>
class ExitStep {
public:
    explicit ExitStep(F f) : f_(f) {}
    ExitStep(const ExitStep&) = delete;
    ExitStep& operator=(const ExitStep&) = delete;
    ~ExitStep() { f_(); }

private:
    F f_;
};

// The form's seven bindings, every handler giving no answer, and the end-of-session
// notice that brings the watchers back when a shutdown is cancelled.
Bindings FormBindings() {
    Bindings b;
    b.created = &OnMainWindowCreated;
    b.mayClose = [] {
        OnMainWindowClosing();
        return Answer::None;
    };
    b.positionChanged = &OnMainWindowStateChanged;
    b.tray = &OnTrayEvent;
    b.button5Click = &OnCopySwitchClicked;
    b.button6LeftPressed = [](int32_t x, int32_t y, int32_t keyState) {
        OnHelpPressed(x, y, keyState);
        return Answer::None;
    };
    b.label1Feedback = &OnHotkeyFeedback;
    b.sessionEnding = [](bool ending) {
        if (!ending) OnSessionResumed();
    };
    return b;
}

// The copy hook (when asked), the Esc hotkey and the paste hook, in that order.
void InstallWatchers(bool withCopyHook) {
    if (withCopyHook) appState.copyHook = InstallCopyHook();
    appState.hotkeyId = RegisterSystemHotkey(窗口.hwnd, 窗口.标签1.hwnd, 0, VK_ESCAPE);
    appState.pasteHook = InstallPasteHook();
    g_watchersRemoved = false;
}

}  // namespace

void ReleaseAppState() { appState.pressPoint.reset(); }

// Installs the watchers in this order: the copy hook, the Esc hotkey, the paste hook.
// The system calls the most recent low-level hook first. No result is checked: a
// hook that could not be installed simply never does its work.
void OnMainWindowCreated() { InstallWatchers(true); }

// Removes the watchers; while copying is off the copy hook is already gone and its
// stale handle makes the call fail without effect. Gives no answer, so the window closes.
void OnMainWindowClosing() {
    UnhookWindowsHookEx(appState.copyHook);
    UnhookWindowsHookEx(appState.pasteHook);
    UnregisterSystemHotkey(窗口.hwnd, appState.hotkeyId);
    g_watchersRemoved = true;
}

// A log-off or shutdown that another program cancelled: the program agreed to it and
// removed its watchers, but goes on running, so it puts them back in their order. The
// copy hook returns only if the caption says copying is on; a copy hook that the
// switch installed meanwhile is replaced, never doubled.
void OnSessionResumed() {
    if (!g_watchersRemoved) return;
    const bool copyingOn = 窗口.按钮5.Caption() == texts::kCaptionCopyOn;
    if (copyingOn) UnhookWindowsHookEx(appState.copyHook);
    InstallWatchers(copyingOn);
}

int RunMessageLoop() {
    MSG msg{};
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (窗口.PreTranslate(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

int RunApplication(const StartupSeams& seams) {
    OleInitialize(nullptr);
    appState.pressPoint = std::make_unique<Point>();
    int exitCode = 0;
    {
        ExitStep releaseState(&ReleaseAppState);
        if (!窗口.Create(GetModuleHandleA(nullptr), FormBindings(), seams.createWindow)) {
            seams.messageBox(nullptr, texts::kStartupFailed, texts::kProductName, MB_ICONERROR);
            exitCode = -1;
        } else {
            窗口.Open();
            if (窗口.Exists()) exitCode = RunMessageLoop();
        }
    }
    OleUninitialize();
    return exitCode;
}

}  // namespace talvine
