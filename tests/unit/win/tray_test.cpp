// The tray icons as the system builds them, and SetTrayIcon against Wine's real
// notification area.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include "tray/tray_icon.h"
#include "tray/tray_icons.h"
#include "tray/tray_record.h"
#include "ui/main_window.h"
#include "test_support.h"

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

// How many pixels of the icon are drawn over a white ground: the emblem's, however
// large the icon is asked for.
int DrawnPixels(HICON icon, int size) {
    const HDC screen = GetDC(nullptr);
    const HDC dc = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, size, size);
    const HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all{0, 0, size, size};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    int drawn = 0;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) drawn += GetPixel(dc, x, y) != RGB(255, 255, 255);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return drawn;
}

// 0 asks for the image's own size; the notification area asks for the small-icon
// size of the system's DPI: 16, 20, 24 or 32 at 100, 125, 150 and 200 %.
class TrayIconSizes : public ::testing::TestWithParam<int> {};

TEST_P(TrayIconSizes, BothBecomeColourIconsOfTheAskedSizeShowingTheEmblem) {
    const int asked = GetParam();
    const int size = asked ? asked : 16;
    for (std::span<const uint8_t> ico : {std::span<const uint8_t>(IconCopyOn), std::span<const uint8_t>(IconCopyOff)}) {
        HICON icon = IconFromIcoBytes(ico, 16, asked);
        ASSERT_NE(icon, nullptr);
        const IconFacts f = FactsOf(icon);
        EXPECT_EQ(f.width, size);
        EXPECT_EQ(f.height, size);
        EXPECT_TRUE(f.colour);
        EXPECT_GT(DrawnPixels(icon, size), size * size / 4) << "the emblem is stretched over the icon";
        DestroyIcon(icon);
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, TrayIconSizes, ::testing::Values(0, 16, 20, 24, 32));

TEST(TrayIcons, BytesThatDoNotConvertGiveNoIcon) {
    const uint8_t junk[] = {0, 0, 1, 0, 1, 0, 16, 16, 0, 0, 1, 0, 32, 0, 8, 0, 0, 0, 22, 0, 0, 0,
                            1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_EQ(IconFromIcoBytes(junk, 16), nullptr);
}

bool Shown(HWND window) { return test::TrayIconShown(window); }

// A window with the tray icon bound as the application binds it: the icon goes with
// the window, and comes back when the notification area is recreated.
MainWindow g_window;
TrayIcon g_tray;

class TrayArea : public ::testing::Test {
protected:
    void SetUp() override {
        Bindings b;
        b.destroyed = [] { SetTrayIcon(g_tray); };
        b.notificationAreaCreated = [] { g_tray.Restore(); };
        ASSERT_TRUE(g_window.Create(GetModuleHandleA(nullptr), b));
        g_window.Open();
        g_tray.SetWindow(g_window.hwnd);
    }
    void TearDown() override {
        if (g_window.Exists()) DestroyWindow(g_window.hwnd);
        SetTrayIcon(g_tray);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
};

TEST_F(TrayArea, SetTrayIconAddsChangesAndRemovesTheIcon) {
    EXPECT_FALSE(Shown(g_window.hwnd));
    SetTrayIcon(g_tray, IconCopyOn, "tip");
    ASSERT_NE(g_tray.Handle(), nullptr);
    EXPECT_EQ(FactsOf(g_tray.Handle()).width, TrayIconSize());
    EXPECT_TRUE(Shown(g_window.hwnd)) << "added";
    EXPECT_EQ(g_tray.Tip(), "tip");

    const HICON first = g_tray.Handle();
    SetTrayIcon(g_tray, IconCopyOff);
    EXPECT_NE(g_tray.Handle(), first);
    EXPECT_EQ(GetIconInfo(first, nullptr), FALSE) << "the replaced handle must be destroyed";
    EXPECT_TRUE(Shown(g_window.hwnd)) << "changed, still shown";
    EXPECT_EQ(g_tray.Tip(), "") << "a change without tooltip leaves none";

    const HICON second = g_tray.Handle();
    SetTrayIcon(g_tray);
    EXPECT_EQ(g_tray.Handle(), nullptr);
    EXPECT_EQ(GetIconInfo(second, nullptr), FALSE) << "the removed handle must be destroyed";
    EXPECT_FALSE(Shown(g_window.hwnd)) << "removed";
}

TEST_F(TrayArea, UnconvertibleBytesRemoveAShownIcon) {
    SetTrayIcon(g_tray, IconCopyOn, "tip");
    ASSERT_TRUE(Shown(g_window.hwnd));
    const uint8_t junk[] = {0, 0, 7, 0};
    SetTrayIcon(g_tray, junk, "tip");
    EXPECT_EQ(g_tray.Handle(), nullptr);
    EXPECT_FALSE(Shown(g_window.hwnd));
}

TEST_F(TrayArea, DestroyingTheWindowRemovesItsIcon) {
    SetTrayIcon(g_tray, IconCopyOn, "tip");
    const HWND window = g_window.hwnd;
    ASSERT_TRUE(Shown(window));
    DestroyWindow(window);
    EXPECT_FALSE(Shown(window));
    EXPECT_EQ(g_tray.Handle(), nullptr);
}

TEST_F(TrayArea, TheIconComesBackWhenTheNotificationAreaIsRecreated) {
    SetTrayIcon(g_tray, IconCopyOff, "tip");
    // What a restarting shell does: forget the icons, then broadcast TaskbarCreated.
    NOTIFYICONDATAA forget{};
    forget.cbSize = NOTIFYICONDATAA_V1_SIZE;
    forget.hWnd = g_window.hwnd;
    forget.uID = kTrayIconId;
    ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &forget));
    ASSERT_FALSE(Shown(g_window.hwnd));
    SendMessageA(g_window.hwnd, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(Shown(g_window.hwnd));
    EXPECT_EQ(g_tray.Tip(), "tip");
}

}  // namespace
}  // namespace talvine
