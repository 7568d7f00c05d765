// How long copying stays lost after the system removes the copy hook: the program's
// main window, its hooks' owner and its witness of mouse input, in this process, with
// the user moving the mouse all the while. Each round removes the copy hook behind
// the owner's back, as Windows does with a slow hook, and times until the hook
// procedure is called again. Prints {"recovery_ms": [...]}.
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <thread>

#include "app/watchers.h"
#include "base/app_state.h"
#include "copy/copy_hook.h"
#include "ui/main_window.h"
#include "test_support.h"

namespace talvine {

using test::PumpUntil;

namespace {

Watchers* g_watchers = nullptr;

}  // namespace

int Run(int rounds) {
    appState.pressPoint = std::make_unique<Point>();
    Watchers watchers(appState);
    g_watchers = &watchers;
    MainWindow window;
    Bindings b;
    b.watchNotice = [](WatchNotice notice) { g_watchers->Heed(notice); };
    if (!window.Create(GetModuleHandleA(nullptr), b)) return 1;
    window.Open();
    watchers.WatchInputOf(window.hwnd);
    watchers.InstallCopyHook();
    watchers.InstallPasteHook();
    SetCursorPos(700, 600);

    std::atomic<bool> moving{true};
    std::thread user([&] {
        for (int i = 0; moving; ++i) {
            INPUT in{};
            in.type = INPUT_MOUSE;
            in.mi.dx = i % 2 ? 2 : -2;
            in.mi.dwFlags = MOUSEEVENTF_MOVE;
            SendInput(1, &in, sizeof in);
            Sleep(10);
        }
    });

    std::string times;
    for (int round = 0; round < rounds; ++round) {
        PumpUntil([] { return false; }, 700 + 97 * static_cast<DWORD>(round));  // rounds fall anywhere in the check's cycle
        const HHOOK removed = appState.copyHook;
        LARGE_INTEGER freq, t0, t1;
        QueryPerformanceFrequency(&freq);
        QueryPerformanceCounter(&t0);
        const DWORD removedAt = GetTickCount();
        UnhookWindowsHookEx(removed);
        const bool back = PumpUntil(
            [&] {
                return appState.copyHook != removed && static_cast<int32_t>(CopyHookLastCall() - removedAt) > 0;
            },
            10000);
        QueryPerformanceCounter(&t1);
        const double ms = 1000.0 * static_cast<double>(t1.QuadPart - t0.QuadPart) / static_cast<double>(freq.QuadPart);
        char buf[32];
        std::snprintf(buf, sizeof buf, "%s%.1f", times.empty() ? "" : ", ", back ? ms : -1.0);
        times += buf;
    }
    moving = false;
    PumpUntil([] { return false; }, 50);
    user.join();
    std::printf("{\"recovery_ms\": [%s], \"reinstalls\": %d}\n", times.c_str(), watchers.Reinstalls());
    watchers.StopWatchingInput();
    DestroyWindow(window.hwnd);
    return 0;
}

}  // namespace talvine

int main(int argc, char** argv) { return talvine::Run(argc > 1 ? std::atoi(argv[1]) : 10); }
