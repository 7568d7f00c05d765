#include "app/watchers.h"

#include <wtsapi32.h>

#include "app/hook_check.h"
#include "copy/copy_hook.h"
#include "paste/paste_hook.h"

namespace talvine {

namespace {

// A global low-level mouse hook: the system calls it on this thread, while the thread
// waits for messages, for every mouse event on the desktop.
HHOOK InstallMouseHook(HOOKPROC proc) { return SetWindowsHookExA(WH_MOUSE_LL, proc, GetModuleHandleA(nullptr), 0); }

constexpr USHORT kGenericDesktop = 1;
constexpr USHORT kMouse = 2;

}  // namespace

// The old hook goes before the new one comes, so that the two never run side by side.
void Watchers::InstallCopyHook() {
    copyHook_.reset();
    copyHook_.reset(InstallMouseHook(&CopyHookProc));
    state_.copyHook = copyHook_.get();
    copyInstalledAt_ = GetTickCount();
}

void Watchers::RemoveCopyHook() { copyHook_.reset(); }

void Watchers::InstallPasteHook() {
    pasteHook_.reset();
    pasteHook_.reset(InstallMouseHook(&PasteHookProc));
    state_.pasteHook = pasteHook_.get();
    pasteInstalledAt_ = GetTickCount();
}

void Watchers::RemovePasteHook() { pasteHook_.reset(); }

void Watchers::WatchInputOf(HWND window) {
    window_ = window;
    const RAWINPUTDEVICE mouse{kGenericDesktop, kMouse, RIDEV_INPUTSINK, window};
    RegisterRawInputDevices(&mouse, 1, sizeof mouse);
    WTSRegisterSessionNotification(window, NOTIFY_FOR_THIS_SESSION);
}

void Watchers::StopWatchingInput() {
    if (!window_) return;
    const RAWINPUTDEVICE mouse{kGenericDesktop, kMouse, RIDEV_REMOVE, nullptr};
    RegisterRawInputDevices(&mouse, 1, sizeof mouse);
    WTSUnRegisterSessionNotification(window_);
    KillTimer(window_, kHookCheckTimer);
    RemovePropA(window_, kReinstallsProperty);
    checkPending_ = false;
    window_ = nullptr;
}

// Called for every mouse event the witness sees: a stamp, and a timer when none runs.
void Watchers::MouseInputSeen(uint32_t now) {
    witness_ = now;
    witnessed_ = true;
    if (checkPending_ || !window_) return;
    checkPending_ = SetTimer(window_, kHookCheckTimer, hook_check::kDelayMs, nullptr) != 0;
}

void Watchers::CheckNow(uint32_t now) {
    if (window_) KillTimer(window_, kHookCheckTimer);
    checkPending_ = false;
    if (!witnessed_) return;
    int found = 0;
    if (copyHook_ &&
        hook_check::HookLost(now, witness_, hook_check::LastSign(now, copyInstalledAt_, CopyHookLastCall()))) {
        InstallCopyHook();
        ++found;
    }
    if (pasteHook_ &&
        hook_check::HookLost(now, witness_, hook_check::LastSign(now, pasteInstalledAt_, PasteHookLastCall()))) {
        InstallPasteHook();
        ++found;
    }
    if (found == 0) return;
    reinstalls_ += found;
    if (window_) SetPropA(window_, kReinstallsProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(reinstalls_)));
}

void Watchers::Heed(WatchNotice notice) {
    switch (notice) {
    case WatchNotice::MouseInput: MouseInputSeen(GetTickCount()); break;
    case WatchNotice::CheckDue: CheckNow(GetTickCount()); break;
    case WatchNotice::ResumedFromSleep:
    case WatchNotice::SessionUnlocked:
    case WatchNotice::LongCallEnded: Rearm(); break;
    }
}

void Watchers::Rearm() {
    if (copyHook_) InstallCopyHook();
    if (pasteHook_) InstallPasteHook();
}

}  // namespace talvine
