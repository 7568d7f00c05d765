// The per-mouse-event cost of the program's common path: each hook procedure on a
// mouse move, beside a hook that does nothing but hand the event on, and the main
// window's handling of the raw-input witness message that comes with each event.
// Prints nanoseconds per call.
#include <windows.h>

#include <cstdio>

#include "app/watchers.h"
#include "base/app_state.h"
#include "copy/copy_hook.h"
#include "paste/paste_hook.h"
#include "ui/main_window.h"

namespace {

talvine::Watchers* g_watchers = nullptr;

LRESULT CALLBACK HandOnly(int code, WPARAM wp, LPARAM lp) { return CallNextHookEx(nullptr, code, wp, lp); }

template <typename F>
double NanosPerCall(F call, int calls) {
    LARGE_INTEGER freq, t0, t1;
    QueryPerformanceFrequency(&freq);
    QueryPerformanceCounter(&t0);
    for (int i = 0; i < calls; ++i) call(i);
    QueryPerformanceCounter(&t1);
    return 1e9 * static_cast<double>(t1.QuadPart - t0.QuadPart) / static_cast<double>(freq.QuadPart) / calls;
}

double HookNanos(HOOKPROC proc, int calls) {
    MSLLHOOKSTRUCT event{};
    return NanosPerCall(
        [&](int i) {
            event.pt.x = i & 1023;
            proc(HC_ACTION, WM_MOUSEMOVE, reinterpret_cast<LPARAM>(&event));
        },
        calls);
}

}  // namespace

int main() {
    using namespace talvine;
    appState.pressPoint = std::make_unique<Point>();
    Watchers watchers(appState);
    g_watchers = &watchers;
    MainWindow window;
    Bindings b;
    b.watchNotice = [](WatchNotice notice) { g_watchers->Heed(notice); };
    window.Create(GetModuleHandleA(nullptr), b);
    window.Open();
    watchers.WatchInputOf(window.hwnd);

    constexpr int kCalls = 20'000;
    HookNanos(&HandOnly, kCalls / 10);  // warm up
    const double handOnly = HookNanos(&HandOnly, kCalls);
    const double copy = HookNanos(&CopyHookProc, kCalls);
    const double paste = HookNanos(&PasteHookProc, kCalls);
    // What the window does with each WM_INPUT: the witness's stamp, then the default
    // handling that frees the input's data.
    const double witness = NanosPerCall(
        [&](int) { SendMessageA(window.hwnd, WM_INPUT, RIM_INPUTSINK, 0); }, kCalls);
    std::printf("{\"hand_on_only_ns\": %.1f, \"copy_hook_ns\": %.1f, \"paste_hook_ns\": %.1f, \"witness_ns\": %.1f}\n",
                handOnly, copy, paste, witness);
    watchers.StopWatchingInput();
    DestroyWindow(window.hwnd);
    return 0;
}
