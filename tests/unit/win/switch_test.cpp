// The copy switch, the tray presence, the hotkey's delivery and the mouse hooks'
// owner against real windows and Wine's notification area.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/watchers.h"
#include "base/app_state.h"
#include "tray/copy_switch.h"
#include "tray/hotkey.h"
#include "tray/tray_icon.h"
#include "tray/tray_presence.h"
#include "tray/tray_record.h"
#include "ui/main_window.h"
#include "test_support.h"
#include "ui/texts.h"

namespace talvine {
namespace {

MainWindow g_window;
TrayIcon g_tray;
std::vector<int32_t> g_feedback;

// Records what the switch asks of the copy hook.
class RecordingWatch : public CopyWatch {
public:
    void InstallCopyHook() override { calls.push_back("install"); }
    void RemoveCopyHook() override { calls.push_back("remove"); }
    std::vector<std::string> calls;
};

bool Shown(HWND window) { return test::TrayIconShown(window); }

class SwitchAndTray : public ::testing::Test {
protected:
    void SetUp() override {
        g_feedback.clear();
        Bindings b;
        b.hotkeyReceiver = &HotkeyReceiver;
        b.hotkeyFeedback = [](int32_t first, int32_t second) {
            g_feedback.push_back(first);
            g_feedback.push_back(second);
        };
        b.destroyed = [] { SetTrayIcon(g_tray); };
        ASSERT_TRUE(g_window.Create(GetModuleHandleA(nullptr), b));
        g_window.Open();
        g_tray.SetWindow(g_window.hwnd);
    }
    void TearDown() override {
        if (g_window.Exists()) DestroyWindow(g_window.hwnd);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
    CopySwitch Parts() { return {g_window.按钮5, watch_, g_tray}; }
    RecordingWatch watch_;
};

TEST_F(SwitchAndTray, ClicksTurnCopyingOffAndOnWithTheTrayFollowing) {
    ASSERT_EQ(g_window.按钮5.Caption(), texts::kCaptionCopyOn);
    OnCopySwitchClicked(Parts());
    EXPECT_EQ(g_window.按钮5.Caption(), texts::kCaptionCopyOff);
    EXPECT_EQ(watch_.calls, std::vector<std::string>{"remove"});
    EXPECT_TRUE(Shown(g_window.hwnd)) << "a switch made on screen adds an icon";
    EXPECT_EQ(g_tray.Tip(), "");
    const HICON offIcon = g_tray.Handle();

    OnCopySwitchClicked(Parts());
    EXPECT_EQ(g_window.按钮5.Caption(), texts::kCaptionCopyOn);
    EXPECT_EQ(watch_.calls, (std::vector<std::string>{"remove", "install"}));
    EXPECT_TRUE(Shown(g_window.hwnd));
    EXPECT_NE(g_tray.Handle(), offIcon) << "the image changes";
}

TEST_F(SwitchAndTray, AnotherCaptionLeavesEverythingAlone) {
    g_window.按钮5.SetCaption(texts::kCaptionHelp);
    OnCopySwitchClicked(Parts());
    EXPECT_EQ(g_window.按钮5.Caption(), texts::kCaptionHelp);
    EXPECT_TRUE(watch_.calls.empty());
    EXPECT_FALSE(Shown(g_window.hwnd));
}

TEST_F(SwitchAndTray, OnlyThisRunsHotkeySwitches) {
    OnHotkeyFeedback(Parts(), 33001, 33002, 0);
    OnHotkeyFeedback(Parts(), 0, 33001, 0);
    EXPECT_TRUE(watch_.calls.empty());
    OnHotkeyFeedback(Parts(), 33001, 33001, 0);
    EXPECT_EQ(watch_.calls, std::vector<std::string>{"remove"});
}

TEST_F(SwitchAndTray, MinimisingHidesBehindTheIconAndALeftReleaseBringsItBack) {
    OnMainWindowStateChanged(g_window, g_tray);
    EXPECT_TRUE(IsWindowVisible(g_window.hwnd)) << "an ordinary move does nothing";
    EXPECT_FALSE(Shown(g_window.hwnd));

    ShowWindow(g_window.hwnd, SW_MINIMIZE);
    OnMainWindowStateChanged(g_window, g_tray);
    EXPECT_FALSE(IsWindowVisible(g_window.hwnd));
    EXPECT_TRUE(Shown(g_window.hwnd));
    EXPECT_EQ(g_tray.Tip(), texts::kProductName);

    for (TrayEvent ignored : {TrayEvent::LeftDoubleClick, TrayEvent::RightButton}) {
        OnTrayEvent(g_window, g_tray, ignored);
        EXPECT_FALSE(IsWindowVisible(g_window.hwnd));
        EXPECT_TRUE(Shown(g_window.hwnd));
    }
    OnTrayEvent(g_window, g_tray, TrayEvent::LeftButtonUp);
    EXPECT_TRUE(IsWindowVisible(g_window.hwnd));
    EXPECT_EQ(g_window.Position(), WindowPosition::Normal);
    EXPECT_FALSE(Shown(g_window.hwnd));
    EXPECT_EQ(g_tray.Handle(), nullptr);
}

// The window asks the hotkey facility where each WM_HOTKEY goes first; nothing
// subclasses it. F24 stands in for Esc, so that no test takes the real key.
TEST_F(SwitchAndTray, HotkeyPressesReachTheLabelOnlyWhileRegistered) {
    const int32_t id = RegisterSystemHotkey(g_window.hwnd, g_window.标签1.hwnd, 0, VK_F24);
    ASSERT_NE(id, 0);
    EXPECT_EQ(GetWindowLongPtrA(g_window.hwnd, GWLP_WNDPROC),
              GetClassLongPtrA(g_window.hwnd, GCLP_WNDPROC)) << "the window's procedure was replaced";

    SendMessageA(g_window.hwnd, WM_HOTKEY, static_cast<WPARAM>(id), 0);
    EXPECT_EQ(g_feedback, (std::vector<int32_t>{id, 0}));
    SendMessageA(g_window.hwnd, WM_HOTKEY, static_cast<WPARAM>(id + 1), 0);
    SendMessageA(g_window.hwnd, WM_HOTKEY, 7, 0);
    EXPECT_EQ(g_feedback.size(), 2u) << "an identifier not issued in this run went to the label";

    UnregisterSystemHotkey(g_window.hwnd, id);
    SendMessageA(g_window.hwnd, WM_HOTKEY, static_cast<WPARAM>(id), 0);
    EXPECT_EQ(g_feedback.size(), 2u) << "a press reached the label after the hotkey was given back";
}

// ----- the mouse hooks' owner ------------------------------------------------------

TEST(Watchers, InstallsRemovesAndNeverDoublesAHook) {
    appState.pressPoint = std::make_unique<Point>();
    Watchers watchers(appState);
    watchers.InstallCopyHook();
    const HHOOK first = appState.copyHook;
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(watchers.CopyHookInstalled());

    watchers.InstallCopyHook();
    const HHOOK second = appState.copyHook;
    ASSERT_NE(second, nullptr);
    EXPECT_FALSE(UnhookWindowsHookEx(first)) << "the replaced hook was still in place";

    watchers.RemoveCopyHook();
    EXPECT_FALSE(watchers.CopyHookInstalled());
    EXPECT_EQ(appState.copyHook, second) << "a removed hook's handle stays in its field";
    EXPECT_FALSE(UnhookWindowsHookEx(second)) << "the hook was not removed";
    watchers.RemoveCopyHook();  // removing again is harmless

    watchers.InstallPasteHook();
    const HHOOK paste = appState.pasteHook;
    ASSERT_NE(paste, nullptr);
    watchers.RemovePasteHook();
    EXPECT_EQ(appState.pasteHook, paste);
    EXPECT_FALSE(UnhookWindowsHookEx(paste));
    appState.pressPoint.reset();
}

}  // namespace
}  // namespace talvine
