#include "app/single_instance.h"

#include "ui/main_window.h"
#include "ui/texts.h"
#include "ui/window_events.h"

namespace talvine {

namespace {

constexpr char kMutexName[] = "Local\\TalvineCopyPaste.Running";
constexpr DWORD kWaitForWindowMs = 10000;

}  // namespace

SingleInstance::SingleInstance() : mutex_(CreateMutexA(nullptr, TRUE, kMutexName)) {
    if (!mutex_ || GetLastError() != ERROR_ALREADY_EXISTS) return;
    // Another handle to the mutex exists. Its owner may have ended without closing
    // it (then the wait takes it over at once); otherwise a copy is running.
    const DWORD taken = WaitForSingleObject(mutex_, 0);
    first_ = taken == WAIT_OBJECT_0 || taken == WAIT_ABANDONED;
}

SingleInstance::~SingleInstance() {
    if (!mutex_) return;
    if (first_) ReleaseMutex(mutex_);
    CloseHandle(mutex_);
}

void BringRunningCopyForward() {
    const DWORD start = GetTickCount();
    HWND window = nullptr;
    while (!(window = FindWindowA(kMainWindowClass, texts::kProductName)) && GetTickCount() - start < kWaitForWindowMs)
        Sleep(50);
    if (!window) return;
    // This start came from the user, so it may hand the foreground on.
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    AllowSetForegroundWindow(pid);
    PostMessageA(window, kTrayCallbackMessage, 0, WM_LBUTTONUP);
}

}  // namespace talvine
