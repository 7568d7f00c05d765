// Start-up under Wine: the order of the window's creation events, and the failure
// path when the window or one of its controls cannot be created.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/app_state.h"
#include "app/application.h"
#include "ui/main_window.h"
#include "ui/texts.h"

namespace talvine {
namespace {

// A window of the test's own, for the order of the creation events.
MainWindow g_window;

// Fails the n-th window creation (1-based); 0 fails none.
int g_failAt = 0;
int g_calls = 0;
HWND WINAPI CreateFailingAt(DWORD ex, LPCSTR cls, LPCSTR text, DWORD style, int x, int y, int w, int h,
                            HWND parent, HMENU menu, HINSTANCE inst, LPVOID param) {
    if (++g_calls == g_failAt) return nullptr;
    return CreateWindowExA(ex, cls, text, style, x, y, w, h, parent, menu, inst, param);
}

struct Box {
    HWND owner;
    std::string text;
    UINT flags;
};
std::vector<Box> g_boxes;
int WINAPI RecordBox(HWND owner, LPCSTR text, LPCSTR, UINT flags) {
    g_boxes.push_back({owner, text, flags});
    return IDOK;
}

// Creates windows normally, and queues a close request for the main window that
// waits until the message loop runs.
HWND WINAPI CreateAndQueueClose(DWORD ex, LPCSTR cls, LPCSTR text, DWORD style, int x, int y, int w, int h,
                                HWND parent, HMENU menu, HINSTANCE inst, LPVOID param) {
    HWND made = CreateWindowExA(ex, cls, text, style, x, y, w, h, parent, menu, inst, param);
    if (!parent) PostMessageA(made, WM_CLOSE, 0, 0);
    return made;
}

class StartupFailure : public ::testing::TestWithParam<int> {};

TEST_P(StartupFailure, ShowsTheErrorBoxAndExitsWithMinusOne) {
    g_failAt = GetParam();
    g_calls = 0;
    g_boxes.clear();

    const int code = RunApplication({&CreateFailingAt, &RecordBox});

    EXPECT_EQ(code, -1);
    ASSERT_EQ(g_boxes.size(), 1u);
    EXPECT_EQ(g_boxes[0].owner, nullptr);
    EXPECT_EQ(g_boxes[0].text, texts::kStartupFailed);
    EXPECT_EQ(g_boxes[0].flags, static_cast<UINT>(MB_ICONERROR));
    EXPECT_EQ(FindWindowA(nullptr, texts::kProductName), nullptr) << "a half-made window was left behind";
    EXPECT_FALSE(appState.pressPoint) << "the exit step did not run";
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "a stray WM_QUIT is queued";
}

// 1 is the main window; 2 to 6 its controls in creation order; 7 the balloon's pop-up.
INSTANTIATE_TEST_SUITE_P(EachWindow, StartupFailure, ::testing::Range(1, 8));

std::vector<std::string> g_events;
void RecordEvent(const char* name) {
    g_events.push_back(std::string(name) + (IsWindowVisible(g_window.hwnd) ? "+shown" : "+hidden"));
}

TEST(Startup, RaisesCreatedThenPositionThenSizeBeforeShowing) {
    g_events.clear();
    Bindings b;
    b.created = [] { RecordEvent("created"); };
    b.positionChanged = [] { RecordEvent("position"); };
    b.sizeChanged = [] { RecordEvent("size"); };
    ASSERT_TRUE(g_window.Create(GetModuleHandleA(nullptr), b));
    EXPECT_TRUE(g_events.empty()) << "an event was raised during creation";

    g_window.Open();
    // The first showing may send WM_SIZE and WM_MOVE of its own; those come after.
    ASSERT_GE(g_events.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(g_events.begin(), g_events.begin() + 3),
              (std::vector<std::string>{"created+hidden", "position+hidden", "size+hidden"}));
    EXPECT_TRUE(IsWindowVisible(g_window.hwnd));

    DestroyWindow(g_window.hwnd);
    MSG msg;
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "closing must end the loop";
    EXPECT_EQ(msg.wParam, 0u);
}

TEST(Startup, ClosingTheWindowEndsTheRunWithExitCodeZero) {
    g_failAt = 0;
    g_calls = 0;
    g_boxes.clear();
    EXPECT_EQ(RunApplication({&CreateAndQueueClose, &RecordBox}), 0);
    EXPECT_TRUE(g_boxes.empty());
    EXPECT_EQ(FindWindowA(nullptr, texts::kProductName), nullptr) << "the main window outlived the run";
}

}  // namespace
}  // namespace talvine
