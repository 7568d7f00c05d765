// The mouse hooks kept in place: chords that never make a hook procedure wait, and
// the owner of the hooks putting back a hook that was removed behind its back, as
// Windows does when a hook procedure is slow. Under Wine hooks are never removed, so
// the tests remove them themselves with UnhookWindowsHookEx.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/watchers.h"
#include "base/app_state.h"
#include "copy/copy_worker.h"
#include "copy/press_key_chord.h"
#include "ui/main_window.h"
#include "test_support.h"

namespace talvine {
namespace {

using test::Chord;
using test::KeyRecorder;
using test::Mouse;
using test::PumpFor;
using test::PumpUntil;
using test::Typed;
using test::User;

std::mutex g_typedLock;
std::vector<Typed> g_typed;
std::atomic<DWORD> g_stallThread{0};
std::atomic<bool> g_stalled{false};
HANDLE g_release = nullptr;

std::vector<Typed> TypedSoFar() {
    std::lock_guard<std::mutex> lock(g_typedLock);
    return g_typed;
}

// Records each key event; the thread named in g_stallThread stops inside its first
// one until g_release is set, as a worker would whose injection the system holds up.
void WINAPI StallingInjector(BYTE vk, BYTE, DWORD flags, ULONG_PTR) {
    {
        std::lock_guard<std::mutex> lock(g_typedLock);
        g_typed.push_back({vk, (flags & KEYEVENTF_KEYUP) != 0});
    }
    if (GetCurrentThreadId() == g_stallThread.load() && !g_stalled.exchange(true))
        WaitForSingleObject(g_release, 10000);
}

// Records each key event; the first one calls the paste chord again from within, as
// a hook procedure called on the same thread during the injection would.
void WINAPI ReenteringInjector(BYTE vk, BYTE, DWORD flags, ULONG_PTR) {
    bool first = false;
    {
        std::lock_guard<std::mutex> lock(g_typedLock);
        first = g_typed.empty();
        g_typed.push_back({vk, (flags & KEYEVENTF_KEYUP) != 0});
    }
    if (first) PressKeyChordWithoutWaiting(VK_CONTROL, 'V');
}

class ChordGate : public ::testing::Test {
protected:
    void SetUp() override {
        g_typed.clear();
        g_stalled = false;
        g_stallThread = 0;
        g_release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    }
    void TearDown() override {
        SetEvent(g_release);
        SetKeyInjector(nullptr);
        CloseHandle(g_release);
    }
    // Runs f on a thread of its own; whether it returned within the time. A call
    // that waits on the stalled worker would never return on its own.
    template <typename F>
    static bool ReturnsBy(F f, DWORD timeoutMs) {
        HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        std::thread t([&] {
            f();
            SetEvent(done);
        });
        const bool returned = WaitForSingleObject(done, timeoutMs) == WAIT_OBJECT_0;
        if (!returned) SetEvent(g_release);  // let it finish, so that the thread can be joined
        t.join();
        CloseHandle(done);
        return returned;
    }
};

TEST_F(ChordGate, APasteNeverWaitsForAWorkerStalledInsideItsChord) {
    SetKeyInjector(&StallingInjector);
    std::thread worker([] {
        g_stallThread = GetCurrentThreadId();
        PressKeyChord(VK_CONTROL, 'C');
    });
    while (!g_stalled) Sleep(1);

    EXPECT_TRUE(ReturnsBy([] { PressKeyChordWithoutWaiting(VK_CONTROL, 'V'); }, 5000))
        << "the paste waited for the worker";
    EXPECT_EQ(TypedSoFar(), (std::vector<Typed>{{VK_CONTROL, false}})) << "the paste broke into the worker's chord";

    SetEvent(g_release);
    worker.join();
    std::vector<Typed> expected = Chord(VK_CONTROL, 'C');
    const std::vector<Typed> paste = Chord(VK_CONTROL, 'V');
    expected.insert(expected.end(), paste.begin(), paste.end());
    EXPECT_EQ(TypedSoFar(), expected) << "the queued paste must follow the worker's chord, whole";
}

TEST_F(ChordGate, APasteWithNothingBeingTypedIsTypedBeforeItReturns) {
    SetKeyInjector(&StallingInjector);  // no thread stalls: g_stallThread is 0
    PressKeyChordWithoutWaiting(VK_CONTROL, 'V');
    EXPECT_EQ(TypedSoFar(), Chord(VK_CONTROL, 'V'));
}

TEST_F(ChordGate, APasteFromWithinTheThreadsOwnChordDoesNotWaitOnItself) {
    SetKeyInjector(&ReenteringInjector);
    EXPECT_TRUE(ReturnsBy([] { PressKeyChordWithoutWaiting(VK_CONTROL, 'C'); }, 5000)) << "deadlocked on itself";
    std::vector<Typed> expected = Chord(VK_CONTROL, 'C');
    const std::vector<Typed> paste = Chord(VK_CONTROL, 'V');
    expected.insert(expected.end(), paste.begin(), paste.end());
    EXPECT_EQ(TypedSoFar(), expected);
}

// ----- hooks removed behind the owner's back -------------------------------------

MainWindow g_window;
std::unique_ptr<Watchers> g_watchers;
class RemovedHooks : public ::testing::Test {
protected:
    void SetUp() override {
        appState = {};
        appState.pressPoint = std::make_unique<Point>();
        g_watchers = std::make_unique<Watchers>(appState);
        Bindings b;
        b.watchNotice = [](WatchNotice notice) { g_watchers->Heed(notice); };
        ASSERT_TRUE(g_window.Create(GetModuleHandleA(nullptr), b));
        g_window.Open();
        SetCopyTarget(g_window.编辑框1.hwnd);
        // As start-up does it: the witness first, then the copy hook and the paste hook.
        g_watchers->WatchInputOf(g_window.hwnd);
        g_watchers->InstallCopyHook();
        g_watchers->InstallPasteHook();
        keys_ = std::make_unique<KeyRecorder>();
        SetCursorPos(700, 600);  // empty desktop, away from every window
        // The first injections of a process can pass a fresh keyboard hook by.
        PressKeyChord(VK_SHIFT, 0);
        PumpFor(300);
        KeyRecorder::Clear();
    }
    void TearDown() override {
        keys_.reset();
        g_watchers->RemoveCopyHook();
        g_watchers->RemovePasteHook();
        g_watchers->StopWatchingInput();
        if (g_window.Exists()) DestroyWindow(g_window.hwnd);
        PumpFor(50);
        g_watchers.reset();
        appState.pressPoint.reset();
    }

    // The user moving the mouse about, for `ms`.
    static void Wiggle(DWORD ms) {
        for (DWORD t = 0; t < ms; t += 20) {
            Mouse(MOUSEEVENTF_MOVE, (t / 20) % 2 ? 2 : -2);
            Sleep(20);
        }
    }
    // A middle press, and whether Ctrl+V was typed for it.
    static bool MiddlePressPastes() {
        KeyRecorder::Clear();
        User user([] {
            Mouse(MOUSEEVENTF_MIDDLEDOWN);
            Mouse(MOUSEEVENTF_MIDDLEUP);
        });
        PumpUntil([] { return KeyRecorder::Seen().size() >= 4; }, 3000);
        user.Finish();
        return KeyRecorder::Seen() == Chord(VK_CONTROL, 'V');
    }
    // A drag of a few pixels, and whether a copy worker then filled the edit box.
    static bool DragCopies() {
        SetWindowTextA(g_window.编辑框1.hwnd, "");
        User user([] {
            Mouse(MOUSEEVENTF_LEFTDOWN);
            Mouse(MOUSEEVENTF_MOVE, 6);
            Mouse(MOUSEEVENTF_LEFTUP);
        });
        const bool copied = PumpUntil([] { return GetWindowTextLengthA(g_window.编辑框1.hwnd) > 0; }, 3000);
        user.Finish();
        return copied;
    }
    static void PutOnClipboard(const std::string& text) {
        ASSERT_TRUE(OpenClipboard(g_window.hwnd));
        EmptyClipboard();
        HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
        memcpy(GlobalLock(mem), text.c_str(), text.size() + 1);
        GlobalUnlock(mem);
        SetClipboardData(CF_TEXT, mem);
        CloseClipboard();
    }

    // The count the bench reads from the main window, absent until the first reinstall.
    static INT_PTR ReinstallsProperty() {
        return reinterpret_cast<INT_PTR>(GetPropA(g_window.hwnd, kReinstallsProperty));
    }

    std::unique_ptr<KeyRecorder> keys_;
};

TEST_F(RemovedHooks, AsStartUpInstallsThemBothWork) {
    PutOnClipboard("copied again");
    EXPECT_TRUE(MiddlePressPastes());
    EXPECT_TRUE(DragCopies());
}

TEST_F(RemovedHooks, BothComeBackWithinTheBoundOfTheNextMouseInput) {
    PutOnClipboard("copied again");
    const HHOOK copy = appState.copyHook;
    const HHOOK paste = appState.pasteHook;
    ASSERT_TRUE(UnhookWindowsHookEx(copy));
    ASSERT_TRUE(UnhookWindowsHookEx(paste));

    User user([] { Wiggle(2500); });
    const bool back = PumpUntil([&] { return appState.copyHook != copy && appState.pasteHook != paste; }, 2000);
    user.Finish();
    ASSERT_TRUE(back) << "not reinstalled within 2 s of mouse input";
    EXPECT_EQ(g_watchers->Reinstalls(), 2);
    EXPECT_EQ(ReinstallsProperty(), 2);
    EXPECT_TRUE(g_watchers->CopyHookInstalled());
    EXPECT_TRUE(g_watchers->PasteHookInstalled());

    EXPECT_TRUE(MiddlePressPastes()) << "the paste hook does not type its chord again";
    EXPECT_TRUE(DragCopies()) << "the copy hook does not see a drag again";
    EXPECT_EQ(g_window.编辑框1.hwnd ? GetWindowTextLengthA(g_window.编辑框1.hwnd) : 0, 12);
}

TEST_F(RemovedHooks, WhileCopyingIsOffOnlyThePasteHookComesBack) {
    g_watchers->RemoveCopyHook();  // what the switch does
    const HHOOK removedCopy = appState.copyHook;
    const HHOOK paste = appState.pasteHook;
    ASSERT_TRUE(UnhookWindowsHookEx(paste));

    User user([] { Wiggle(2500); });
    const bool back = PumpUntil([&] { return appState.pasteHook != paste; }, 2000);
    user.Finish();  // a copy hook that came back would have by now
    ASSERT_TRUE(back);
    EXPECT_FALSE(g_watchers->CopyHookInstalled());
    EXPECT_EQ(appState.copyHook, removedCopy) << "the copy hook was installed while copying is off";
    EXPECT_EQ(g_watchers->Reinstalls(), 1);
    EXPECT_EQ(ReinstallsProperty(), 1);
    EXPECT_TRUE(MiddlePressPastes());
}

TEST_F(RemovedHooks, WorkingHooksAreNeverReinstalled) {
    const HHOOK copy = appState.copyHook;
    const HHOOK paste = appState.pasteHook;
    User([] { Wiggle(2500); }).Finish();
    PumpFor(1200);  // the last check
    // Typing alone moves nothing: no witness, no check.
    User([] {
        for (int i = 0; i < 20; ++i) PressKeyChord('A', 0);
    }).Finish();
    PumpFor(1200);
    EXPECT_EQ(appState.copyHook, copy);
    EXPECT_EQ(appState.pasteHook, paste);
    EXPECT_EQ(g_watchers->Reinstalls(), 0);
    EXPECT_EQ(ReinstallsProperty(), 0);
}

// The link's open keeps the main thread for as long as the shell takes; here the
// shell is a stand-in that takes 1.5 s while the user goes on moving the mouse.
HINSTANCE WINAPI SlowShell(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT) {
    Sleep(1500);
    return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(42));
}

TEST_F(RemovedHooks, AfterTheMainThreadWasBusyBothHooksWork) {
    g_window.超级链接框1.launchers.shellExecute = &SlowShell;
    const HHOOK copy = appState.copyHook;
    const HHOOK paste = appState.pasteHook;
    PutOnClipboard("after the wait");
    User user([] { Wiggle(1500); });
    SendMessageA(g_window.超级链接框1.hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    user.Finish();
    EXPECT_NE(appState.copyHook, copy) << "not re-armed after the long call";
    EXPECT_NE(appState.pasteHook, paste);
    PumpFor(200);
    EXPECT_TRUE(MiddlePressPastes());
    EXPECT_TRUE(DragCopies());
}

}  // namespace
}  // namespace talvine
