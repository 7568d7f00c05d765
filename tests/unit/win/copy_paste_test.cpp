// The copy path's system contact under Wine: the key events PressKeyChord injects, as
// a low-level keyboard hook sees them, and ReadClipboardText on real clipboard states.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "copy/copy_worker.h"
#include "copy/press_key_chord.h"

namespace talvine {
namespace {

struct Seen {
    DWORD vk;
    bool up;
    DWORD scan;
    ULONG_PTR extra;
    bool injected;
    bool operator==(const Seen&) const = default;
};

std::vector<Seen> g_seen;

// Records every key event and swallows it, so nothing reaches any window.
LRESULT CALLBACK RecordKeys(int code, WPARAM wp, LPARAM lp) {
    if (code == HC_ACTION) {
        const auto* k = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lp);
        g_seen.push_back({k->vkCode, (k->flags & LLKHF_UP) != 0, k->scanCode, k->dwExtraInfo,
                          (k->flags & LLKHF_INJECTED) != 0});
        return 1;
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

class KeyInjection : public ::testing::Test {
protected:
    void SetUp() override {
        g_seen.clear();
        hook_ = SetWindowsHookExA(WH_KEYBOARD_LL, &RecordKeys, GetModuleHandleA(nullptr), 0);
        ASSERT_NE(hook_, nullptr);
        // Under Wine the very first injections of a process can pass a fresh hook by
        // when several threads inject at once; one chord first makes the hook's view reliable.
        std::thread warmUp([] { PressKeyChord(VK_SHIFT, 0); });
        PumpUntil(2, 2000);
        warmUp.join();
        g_seen.clear();
    }
    void TearDown() override { UnhookWindowsHookEx(hook_); }

    // The hook runs on this thread while it pumps messages.
    static void PumpUntil(std::size_t count, DWORD timeoutMs = 5000) {
        const DWORD start = GetTickCount();
        while (g_seen.size() < count && GetTickCount() - start < timeoutMs) {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        }
    }

    HHOOK hook_ = nullptr;
};

TEST_F(KeyInjection, CtrlCIsFourEventsWithNoScanCodeAndNoExtraInformation) {
    std::thread typist([] { PressKeyChord(17, 67); });
    PumpUntil(4);
    typist.join();
    PumpUntil(5, 200);  // nothing more may come
    const std::vector<Seen> expected{{VK_CONTROL, false, 0, 0, true},
                                     {'C', false, 0, 0, true},
                                     {VK_CONTROL, true, 0, 0, true},
                                     {'C', true, 0, 0, true}};
    EXPECT_EQ(g_seen, expected);
}

// Chords typed at the same moment from many threads must each enter the input
// stream whole: four events, in chord order, with nothing of another chord between.
TEST_F(KeyInjection, ChordsFromManyThreadsComeOutWhole) {
    constexpr int kRounds = 40;
    constexpr int kThreads = 4;
    for (int round = 0; round < kRounds; ++round) {
        HANDLE go = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        std::vector<std::thread> typists;
        for (int t = 0; t < kThreads; ++t) {
            typists.emplace_back([go, t] {
                WaitForSingleObject(go, INFINITE);
                PressKeyChord(17, t % 2 ? 'V' : 'C');
            });
        }
        Sleep(2);
        SetEvent(go);
        const auto expected = static_cast<std::size_t>((round + 1) * kThreads * 4);
        PumpUntil(expected);
        for (auto& t : typists) t.join();
        CloseHandle(go);
        ASSERT_EQ(g_seen.size(), expected) << "round " << round;
    }
    for (std::size_t i = 0; i < g_seen.size(); i += 4) {
        const DWORD key = g_seen[i + 1].vk;
        ASSERT_TRUE(key == 'C' || key == 'V') << "event " << i + 1;
        const std::vector<Seen> chord(g_seen.begin() + static_cast<std::ptrdiff_t>(i),
                                      g_seen.begin() + static_cast<std::ptrdiff_t>(i) + 4);
        const std::vector<Seen> whole{{VK_CONTROL, false, 0, 0, true},
                                      {key, false, 0, 0, true},
                                      {VK_CONTROL, true, 0, 0, true},
                                      {key, true, 0, 0, true}};
        ASSERT_EQ(chord, whole) << "chord starting at event " << i << " was interleaved";
    }
}

// ----- the clipboard -------------------------------------------------------------------

class Clipboard : public ::testing::Test {
protected:
    void SetUp() override {
        owner_ = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    }
    void TearDown() override { DestroyWindow(owner_); }

    void Put(UINT format, HANDLE data) {
        ASSERT_TRUE(OpenClipboard(owner_));
        EmptyClipboard();
        if (data) SetClipboardData(format, data);
        CloseClipboard();
    }
    static HGLOBAL Block(const std::string& bytes) {
        HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
        memcpy(GlobalLock(mem), bytes.data(), bytes.size());
        GlobalUnlock(mem);
        return mem;
    }
    // The program reads the clipboard on a worker thread; so does this.
    static std::optional<std::string> ReadOnAnotherThread() {
        std::optional<std::string> text;
        std::thread([&] { text = ReadClipboardText(); }).join();
        return text;
    }

    HWND owner_ = nullptr;
};

TEST_F(Clipboard, TextIsReadUpToItsZeroWithLineEndsAndGbkBytesKept) {
    const std::string text = "\xB5\xDA\xD2\xBB\xD0\xD0\r\nline two";
    Put(CF_TEXT, Block(text + '\0'));
    EXPECT_EQ(ReadOnAnotherThread(), text);
}

TEST_F(Clipboard, EmptyClipboardGivesNoText) {
    Put(0, nullptr);
    EXPECT_EQ(ReadOnAnotherThread(), std::nullopt);
}

TEST_F(Clipboard, EmptyTextGivesNoText) {
    Put(CF_TEXT, Block(std::string("\0", 1)));
    EXPECT_EQ(ReadOnAnotherThread(), std::nullopt);
}

TEST_F(Clipboard, PictureOnlyGivesNoText) {
    HDC screen = GetDC(nullptr);
    HBITMAP picture = CreateCompatibleBitmap(screen, 4, 4);
    ReleaseDC(nullptr, screen);
    Put(CF_BITMAP, picture);
    EXPECT_EQ(ReadOnAnotherThread(), std::nullopt);
}

TEST_F(Clipboard, HeldOpenByAnotherWindowGivesNoText) {
    Put(CF_TEXT, Block(std::string("held\0", 5)));
    ASSERT_TRUE(OpenClipboard(owner_));
    EXPECT_EQ(ReadOnAnotherThread(), std::nullopt);
    CloseClipboard();
    EXPECT_EQ(ReadOnAnotherThread(), "held");
}

int g_delivered = 0;
LRESULT CALLBACK CountAppMessages(HWND h, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_APP) ++g_delivered;
    return DefWindowProcA(h, m, wp, lp);
}

TEST(DelayWithEvents, WaitsItsCountAndDispatchesTheThreadsMessages) {
    HWND w = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountAppMessages));
    PostMessageA(w, WM_APP, 0, 0);
    const DWORD start = GetTickCount();
    DelayWithEvents(50);
    const DWORD elapsed = GetTickCount() - start;
    EXPECT_GE(elapsed, 50u);
    EXPECT_EQ(g_delivered, 1);

    PostQuitMessage(7);
    DelayWithEvents(5);
    MSG msg;
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "WM_QUIT must stay queued";
    DestroyWindow(w);
}

}  // namespace
}  // namespace talvine
