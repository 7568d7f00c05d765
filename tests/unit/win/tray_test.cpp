// The tray icons as the system builds them, and SetTrayIcon against Wine's real
// notification area.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include "tray/tray_icon.h"
#include "tray/tray_icons.h"
#include "tray/tray_record.h"
#include "ui/main_window.h"

namespace talvine {
namespace {

struct IconFacts {
    int width = 0, height = 0;
    bool colour = false;
};

IconFacts FactsOf(HICON icon) {
    IconFacts f;
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return f;
    BITMAP bm{};
    if (info.hbmColor) {
        GetObjectA(info.hbmColor, sizeof bm, &bm);
        f = {bm.bmWidth, bm.bmHeight, true};
        DeleteObject(info.hbmColor);
    }
    DeleteObject(info.hbmMask);
    return f;
}

TEST(TrayIcons, BothBecomeReal16PixelColourIcons) {
    for (std::span<const uint8_t> ico : {std::span<const uint8_t>(IconCopyOn), std::span<const uint8_t>(IconCopyOff)}) {
        HICON icon = IconFromIcoBytes(ico, 16);
        ASSERT_NE(icon, nullptr);
        const IconFacts f = FactsOf(icon);
        EXPECT_EQ(f.width, 16);
        EXPECT_EQ(f.height, 16);
        EXPECT_TRUE(f.colour);
        DestroyIcon(icon);
    }
}

TEST(TrayIcons, BytesThatDoNotConvertGiveNoIcon) {
    const uint8_t junk[] = {0, 0, 1, 0, 1, 0, 16, 16, 0, 0, 1, 0, 32, 0, 8, 0, 0, 0, 22, 0, 0, 0,
                            1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_EQ(IconFromIcoBytes(junk, 16), nullptr);
}

// Whether the notification area knows an icon of this window: changing it succeeds
// only if it exists.
bool Shown(HWND window) {
    NOTIFYICONDATAA probe{};
    probe.cbSize = NOTIFYICONDATAA_V1_SIZE;
    probe.hWnd = window;
    probe.uID = kTrayIconId;
    return Shell_NotifyIconA(NIM_MODIFY, &probe) != FALSE;
}

class TrayArea : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(窗口.Create(GetModuleHandleA(nullptr), {})); }
    void TearDown() override {
        if (窗口.Exists()) DestroyWindow(窗口.hwnd);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
};

TEST_F(TrayArea, SetTrayIconAddsChangesAndRemovesTheIcon) {
    EXPECT_FALSE(Shown(窗口.hwnd));
    SetTrayIcon(窗口, IconCopyOn, "tip");
    ASSERT_NE(窗口.trayIcon.get(), nullptr);
    EXPECT_TRUE(Shown(窗口.hwnd)) << "added";

    const HICON first = 窗口.trayIcon.get();
    SetTrayIcon(窗口, IconCopyOff);
    EXPECT_NE(窗口.trayIcon.get(), first);
    EXPECT_EQ(GetIconInfo(first, nullptr), FALSE) << "the replaced handle must be destroyed";
    EXPECT_TRUE(Shown(窗口.hwnd)) << "changed, still shown";
    EXPECT_EQ(窗口.trayTip, "") << "a change without tooltip leaves none";

    SetTrayIcon(窗口);
    EXPECT_EQ(窗口.trayIcon.get(), nullptr);
    EXPECT_FALSE(Shown(窗口.hwnd)) << "removed";
}

TEST_F(TrayArea, UnconvertibleBytesRemoveAShownIcon) {
    SetTrayIcon(窗口, IconCopyOn, "tip");
    ASSERT_TRUE(Shown(窗口.hwnd));
    const uint8_t junk[] = {0, 0, 7, 0};
    SetTrayIcon(窗口, junk, "tip");
    EXPECT_EQ(窗口.trayIcon.get(), nullptr);
    EXPECT_FALSE(Shown(窗口.hwnd));
}

TEST_F(TrayArea, DestroyingTheWindowRemovesItsIcon) {
    SetTrayIcon(窗口, IconCopyOn, "tip");
    const HWND window = 窗口.hwnd;
    ASSERT_TRUE(Shown(window));
    DestroyWindow(window);
    EXPECT_FALSE(Shown(window));
}

TEST_F(TrayArea, TheIconComesBackWhenTheNotificationAreaIsRecreated) {
    SetTrayIcon(窗口, IconCopyOff, "tip");
    // What a restarting shell does: forget the icons, then broadcast TaskbarCreated.
    NOTIFYICONDATAA forget{};
    forget.cbSize = NOTIFYICONDATAA_V1_SIZE;
    forget.hWnd = 窗口.hwnd;
    forget.uID = kTrayIconId;
    ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &forget));
    ASSERT_FALSE(Shown(窗口.hwnd));
    SendMessageA(窗口.hwnd, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(Shown(窗口.hwnd));
    EXPECT_EQ(窗口.trayTip, "tip");
}

}  // namespace
}  // namespace talvine
