#include "app/application.h"

#include "app/session_resume.h"
#include "app/single_instance.h"
#include "app/watchers.h"
#include "base/app_state.h"
#include "base/ole_scope.h"
#include "base/scope_exit.h"
#include "copy/copy_worker.h"
#include "tray/copy_switch.h"
#include "tray/hotkey.h"
#include "tray/tray_icon.h"
#include "tray/tray_presence.h"
#include "ui/help.h"
#include "ui/main_window.h"
#include "ui/texts.h"

namespace talvine {

AppState appState;

namespace {

// The program's one main window, its notification-area icon and the owner of its
// mouse hooks. They live as long as the process; only this file names them.
MainWindow 窗口;
TrayIcon g_trayIcon;
Watchers g_watchers(appState);

// Whether OnMainWindowClosing has removed the hooks and the hotkey of a window that
// still exists: true after WM_QUERYENDSESSION until the session turns out to go on.
bool g_watchersRemoved = false;

CopySwitch SwitchParts() { return {窗口.按钮5, g_watchers, g_trayIcon}; }


// The form's seven bindings, every handler giving no answer, and the window's notices
// that keep the tray icon and the watchers whole.
Bindings FormBindings() {
    Bindings b;
    b.created = &OnMainWindowCreated;
    b.mayClose = [] {
        OnMainWindowClosing();
        return Answer::None;
    };
    b.positionChanged = [] { OnMainWindowStateChanged(窗口, g_trayIcon); };
    b.trayEvent = [](TrayEvent type) { OnTrayEvent(窗口, g_trayIcon, type); };
    b.copySwitchClicked = [] { OnCopySwitchClicked(SwitchParts()); };
    b.helpPressed = [](int32_t x, int32_t y, int32_t keyState) {
        OnHelpPressed(窗口, x, y, keyState);
        return Answer::None;
    };
    b.hotkeyFeedback = [](int32_t first, int32_t second) {
        OnHotkeyFeedback(SwitchParts(), appState.hotkeyId, first, second);
    };
    b.hotkeyReceiver = &HotkeyReceiver;
    // Keeps the mouse hooks in place: the system removes a hook without a word when
    // its procedure was slow, and is known to drop hooks over sleep and a lock.
    b.watchNotice = [](WatchNotice notice) { g_watchers.Heed(notice); };
    // An icon still shown goes with the window, and so does the hooks' witness.
    b.destroyed = [] {
        SetTrayIcon(g_trayIcon);
        g_watchers.StopWatchingInput();
    };
    b.notificationAreaCreated = [] { g_trayIcon.Restore(); };
    b.sessionEnded = [](bool ending) {
        if (!ending) OnSessionResumed();
    };
    return b;
}

// The copy hook (when asked), the Esc hotkey and the paste hook, in that order. The
// system calls the most recent low-level hook first.
void InstallWatchers(bool withCopyHook) {
    if (withCopyHook) g_watchers.InstallCopyHook();
    appState.hotkeyId = RegisterSystemHotkey(窗口.hwnd, 窗口.标签1.hwnd, 0, VK_ESCAPE);
    g_watchers.InstallPasteHook();
    g_watchersRemoved = false;
}

}  // namespace

void ReleaseAppState() { appState.pressPoint.reset(); }

// No result is checked: a hook that could not be installed simply never does its work.
void OnMainWindowCreated() { InstallWatchers(true); }

// Removes the copy hook (already gone while copying is off), the paste hook and the
// hotkey. Gives no answer, so the window closes.
void OnMainWindowClosing() {
    g_watchers.RemoveCopyHook();
    g_watchers.RemovePasteHook();
    UnregisterSystemHotkey(窗口.hwnd, appState.hotkeyId);
    g_watchersRemoved = true;
}

// A log-off or shutdown that another program cancelled: the program agreed to it and
// removed its watchers, but goes on running, so it puts them back in their order. A
// copy hook that the switch installed meanwhile is replaced, never doubled.
void OnSessionResumed() {
    const ResumeStep step = ResumeStepFor(g_watchersRemoved, 窗口.按钮5.Caption());
    if (step.reinstall) InstallWatchers(step.copyHook);
}

int RunMessageLoop() {
    MSG msg{};
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) 窗口.Deliver(msg);
    return static_cast<int>(msg.wParam);
}

int RunApplication(const StartupSeams& seams) {
    // A second start installs nothing, registers nothing and shows no icon: it brings
    // the running copy forward and ends normally.
    const SingleInstance instance;
    if (!instance.First()) {
        BringRunningCopyForward();
        return 0;
    }
    const OleScope ole;
    appState.pressPoint = std::make_unique<Point>();
    const ScopeExit releaseState(&ReleaseAppState);
    if (!窗口.Create(GetModuleHandleA(nullptr), FormBindings(), seams.createWindow)) {
        seams.messageBox(nullptr, texts::kStartupFailed, texts::kProductName, MB_ICONERROR);
        return -1;
    }
    // Each subsystem gets what it acts on before the created event installs the hooks.
    g_trayIcon.SetWindow(窗口.hwnd);
    SetCopyTarget(窗口.编辑框1.hwnd);
    g_watchers.WatchInputOf(窗口.hwnd);
    窗口.Open();
    return 窗口.Exists() ? RunMessageLoop() : 0;
}

}  // namespace talvine
