// Shared by the Win32 tests: a keyboard recorder on a thread of its own, the user's
// input from another thread, a pump for the test's thread (on which the program's
// hooks run), and a look into the notification area.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

#include "tray/tray_record.h"

namespace talvine::test {

struct Typed {
    BYTE vk;
    bool up;
    BYTE scan = 0;
    bool extended = false;
    bool operator==(const Typed&) const = default;
};

// The four events of a two-key chord; an extended key carries its scan code.
inline std::vector<Typed> Chord(BYTE modifier, BYTE key, BYTE keyScan = 0, bool keyExtended = false) {
    return {{modifier, false}, {key, false, keyScan, keyExtended}, {modifier, true}, {key, true, keyScan, keyExtended}};
}

// Delivers the thread's messages (the hooks run here meanwhile) until done() holds or
// the time runs out; tells which.
template <typename F>
bool PumpUntil(F done, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs) return false;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    return true;
}

inline void PumpFor(DWORD ms) {
    PumpUntil([] { return false; }, ms);
}

// Every key event that reaches the system, swallowed so that no window gets it. The
// hook runs on a thread of its own: a keyboard hook on the thread that types would
// be called back into that very thread.
class KeyRecorder {
public:
    KeyRecorder() {
        HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        thread_ = std::thread([this, ready] {
            threadId_ = GetCurrentThreadId();
            const HHOOK hook = SetWindowsHookExA(WH_KEYBOARD_LL, &Record, GetModuleHandleA(nullptr), 0);
            MSG msg;
            PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the thread's queue exists from here
            SetEvent(ready);
            while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
            UnhookWindowsHookEx(hook);
        });
        WaitForSingleObject(ready, 5000);
        CloseHandle(ready);
    }
    KeyRecorder(const KeyRecorder&) = delete;
    KeyRecorder& operator=(const KeyRecorder&) = delete;
    ~KeyRecorder() {
        PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
        thread_.join();
    }
    static void Clear() {
        std::lock_guard<std::mutex> lock(Lock());
        Keys().clear();
    }
    static std::vector<Typed> Seen() {
        std::lock_guard<std::mutex> lock(Lock());
        return Keys();
    }

private:
    static std::mutex& Lock() {
        static std::mutex lock;
        return lock;
    }
    static std::vector<Typed>& Keys() {
        static std::vector<Typed> keys;
        return keys;
    }
    static LRESULT CALLBACK Record(int code, WPARAM wp, LPARAM lp) {
        if (code != HC_ACTION) return CallNextHookEx(nullptr, code, wp, lp);
        const auto* k = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lp);
        std::lock_guard<std::mutex> lock(Lock());
        Keys().push_back({static_cast<BYTE>(k->vkCode), (k->flags & LLKHF_UP) != 0, static_cast<BYTE>(k->scanCode),
                          (k->flags & LLKHF_EXTENDED) != 0});
        return 1;
    }

    std::thread thread_;
    DWORD threadId_ = 0;
};

// Input from a thread of its own. Under Wine the injecting thread waits for the
// hooks, which run on the test's thread, so that thread pumps until the input is done.
class User {
public:
    template <typename F>
    explicit User(F input)
        : thread_([this, input] {
              input();
              done_ = true;
          }) {}
    User(const User&) = delete;
    User& operator=(const User&) = delete;
    ~User() { Finish(); }
    void Finish() {
        if (!thread_.joinable()) return;
        PumpUntil([this] { return done_.load(); }, 30000);
        thread_.join();
    }

private:
    std::atomic<bool> done_{false};
    std::thread thread_;
};

inline void Mouse(DWORD flags, LONG dx = 0) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = dx;
    in.mi.dwFlags = flags;
    SendInput(1, &in, sizeof in);
}

// Whether the notification area knows the program's icon of this window: changing
// it succeeds only if it exists.
inline bool TrayIconShown(HWND window) {
    NOTIFYICONDATAA probe{};
    probe.cbSize = NOTIFYICONDATAA_V1_SIZE;
    probe.hWnd = window;
    probe.uID = kTrayIconId;
    return Shell_NotifyIconA(NIM_MODIFY, &probe) != FALSE;
}

}  // namespace talvine::test
