// The help balloon under Wine: its window, where the help press puts it, what
// dismisses it and what does not, and the GDI side of its drawing.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/balloon.h"
#include "ui/balloon_paint.h"
#include "ui/help.h"
#include "ui/main_window.h"
#include "ui/texts.h"

namespace talvine {
namespace {

// The window under test; the program's own instance belongs to the application.
MainWindow g_window;

// Runs the main thread's loop, pre-translation included, until `done` holds or the
// time runs out; tells which.
template <typename F>
bool PumpUntil(F done, DWORD timeoutMs = 5000) {
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) g_window.Deliver(msg);
        if (done()) return true;
        if (GetTickCount() - start > timeoutMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

void PumpFor(DWORD ms) {
    PumpUntil([] { return false; }, ms);
}

RECT RectOf(HWND w) {
    RECT r{};
    GetWindowRect(w, &r);
    return r;
}

class BalloonTest : public ::testing::Test {
protected:
    static constexpr int kLeft = 300, kTop = 300;

    void SetUp() override {
        Bindings b;
        b.helpPressed = [](int32_t x, int32_t y, int32_t keys) {
            OnHelpPressed(g_window, x, y, keys);
            return Answer::None;
        };
        ASSERT_TRUE(g_window.Create(GetModuleHandleA(nullptr), b));
        g_window.Open();
        SetWindowPos(g_window.hwnd, nullptr, kLeft, kTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        SetForegroundWindow(g_window.hwnd);
        PumpFor(50);
    }
    void TearDown() override {
        if (g_window.Exists()) DestroyWindow(g_window.hwnd);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
    static Balloon& balloon() { return g_window.气球提示框1; }

    // Pops up the help text as the help button's press does, and waits for it.
    static void ShowHelp() {
        OnHelpPressed(g_window, 0, 0, 0);
        ASSERT_TRUE(PumpUntil([] { return balloon().Showing(); })) << "the balloon did not show";
    }
};

TEST_F(BalloonTest, IsAHiddenToolPopUpOwnedByTheMainWindowUntilItPopsUp) {
    const HWND w = balloon().hwnd;
    ASSERT_TRUE(IsWindow(w));
    EXPECT_FALSE(IsWindowVisible(w));
    EXPECT_EQ(GetWindow(w, GW_OWNER), g_window.hwnd);
    EXPECT_EQ(GetWindowLongPtrA(w, GWL_STYLE) & (WS_POPUP | WS_CHILD | WS_CAPTION), WS_POPUP);
    const auto ex = static_cast<DWORD>(GetWindowLongPtrA(w, GWL_EXSTYLE));
    EXPECT_EQ(ex & (WS_EX_TOOLWINDOW | WS_EX_TOPMOST), static_cast<DWORD>(WS_EX_TOOLWINDOW | WS_EX_TOPMOST));
    EXPECT_FALSE(ex & WS_EX_APPWINDOW);
}

TEST_F(BalloonTest, HelpPressPutsTheTipAt36And7FromTheWindowsCornerWithoutActivatingIt) {
    const HWND active = GetActiveWindow();
    ShowHelp();
    const RECT r = RectOf(balloon().hwnd);
    // Room for the main window's corner above: the preferred placement, the tip 16
    // pixels from the left end on the bottom edge of the shape.
    const int tipX = kLeft + 36, tipY = kTop + 7;
    EXPECT_EQ(r.left, tipX - balloon::kPointerInset);
    EXPECT_EQ(r.bottom - balloon::kShadowBelow - 1, tipY);
    EXPECT_EQ(GetActiveWindow(), active) << "showing the balloon activated it";
    EXPECT_NE(GetForegroundWindow(), balloon().hwnd);
    EXPECT_EQ(GetTopWindow(nullptr), balloon().hwnd) << "the balloon is not above the main window";

    // The region is the shape and its shadow: the tip's pixel is in, its left
    // neighbour and the rounded corner are out, the shadow right of the body is in.
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(balloon().hwnd, region), ERROR);
    const int tipRow = tipY - r.top;
    EXPECT_TRUE(PtInRegion(region, tipX - r.left, tipRow));
    EXPECT_FALSE(PtInRegion(region, tipX - r.left - 1, tipRow));
    EXPECT_FALSE(PtInRegion(region, 0, 0));
    EXPECT_TRUE(PtInRegion(region, (r.right - r.left) / 2, 20));
    EXPECT_TRUE(PtInRegion(region, r.right - r.left - 5, 30));
    DeleteObject(region);
}

// On a monitor of another DPI the balloon laid out for the old one goes, and the
// next pop-up is laid out for the new one: its tip at the scaled point, its inset,
// pointer, shadow room and font scaled.
TEST_F(BalloonTest, ADpiChangeHidesItAndTheNextOneIsLaidOutForTheNewDpi) {
    ShowHelp();
    const RECT at96 = RectOf(balloon().hwnd);
    const Extent size = g_window.OuterSize(144);
    RECT suggested{kLeft, kTop, kLeft + size.width, kTop + size.height};
    SendMessageA(g_window.hwnd, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_FALSE(balloon().Showing()) << "the balloon of the old DPI stayed";

    ShowHelp();
    const RECT r = RectOf(balloon().hwnd);
    EXPECT_EQ(g_window.编辑框1.Left(), 9);
    EXPECT_EQ(g_window.编辑框1.Top(), 9);
    const int tipX = kLeft + 9 + 45, tipY = kTop + 9 + 2;  // 30 and 1 pixels at 96 DPI, scaled
    const BalloonMetrics m = BalloonMetricsAt(144);
    EXPECT_EQ(r.left, tipX - m.pointerInset);
    EXPECT_EQ(r.bottom - m.ShadowBelow() - 1, tipY);
    // The same text in the 18-pixel font with 18-pixel margins: half as wide again,
    // give or take the glyphs' rounding.
    const int width96 = at96.right - at96.left - balloon::kShadowRight;
    const int width144 = r.right - r.left - m.ShadowRight();
    EXPECT_NEAR(width144, width96 * 3 / 2, 6);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(balloon().hwnd, region), ERROR);
    EXPECT_TRUE(PtInRegion(region, tipX - r.left, tipY - r.top)) << "the tip's pixel is not in the shape";
    EXPECT_FALSE(PtInRegion(region, tipX - r.left - 1, tipY - r.top));
    DeleteObject(region);
}

TEST_F(BalloonTest, GoesWithTheMainWindow) {
    ShowHelp();
    const HWND w = balloon().hwnd;
    DestroyWindow(g_window.hwnd);
    EXPECT_FALSE(IsWindow(w));
    EXPECT_EQ(balloon().hwnd, nullptr);
}

struct InputCase {
    const char* name;
    UINT message;
    WPARAM wParam;
    int target;  // 0 main window, 1 edit box, 2 help button, 3 balloon, 4 label
    bool dismisses;
};

class BalloonInput : public BalloonTest, public ::testing::WithParamInterface<InputCase> {};

HWND Target(int which) {
    switch (which) {
    case 1: return g_window.编辑框1.hwnd;
    case 2: return g_window.按钮6.hwnd;
    case 3: return g_window.气球提示框1.hwnd;
    case 4: return g_window.标签1.hwnd;
    default: return g_window.hwnd;
    }
}

// The message is taken from the queue as the loop takes it, and not delivered.
TEST_P(BalloonInput, HidesTheBalloonExactlyForInputThatDismissesIt) {
    const InputCase& c = GetParam();
    ShowHelp();
    ASSERT_TRUE(PostMessageA(Target(c.target), c.message, c.wParam, MAKELPARAM(4, 4)));
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, c.message, c.message, PM_REMOVE));
    EXPECT_EQ(balloon().Showing(), !c.dismisses);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, BalloonInput,
    ::testing::Values(InputCase{"LeftDownOnTheEditBox", WM_LBUTTONDOWN, MK_LBUTTON, 1, true},
                      InputCase{"LeftDoubleClick", WM_LBUTTONDBLCLK, MK_LBUTTON, 0, true},
                      InputCase{"RightDown", WM_RBUTTONDOWN, MK_RBUTTON, 0, true},
                      InputCase{"RightDoubleClick", WM_RBUTTONDBLCLK, MK_RBUTTON, 0, true},
                      InputCase{"MiddleDown", WM_MBUTTONDOWN, MK_MBUTTON, 1, true},
                      InputCase{"MiddleDoubleClick", WM_MBUTTONDBLCLK, MK_MBUTTON, 0, true},
                      InputCase{"Wheel", WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 1, true},
                      InputCase{"FrameLeftDown", WM_NCLBUTTONDOWN, HTCAPTION, 0, true},
                      InputCase{"FrameLeftDoubleClick", WM_NCLBUTTONDBLCLK, HTCAPTION, 0, true},
                      InputCase{"FrameRightDown", WM_NCRBUTTONDOWN, HTCAPTION, 0, true},
                      InputCase{"FrameRightDoubleClick", WM_NCRBUTTONDBLCLK, HTCAPTION, 0, true},
                      InputCase{"FrameMiddleDown", WM_NCMBUTTONDOWN, HTCAPTION, 0, true},
                      InputCase{"FrameMiddleDoubleClick", WM_NCMBUTTONDBLCLK, HTCAPTION, 0, true},
                      InputCase{"KeyDown", WM_KEYDOWN, 'A', 1, true},
                      InputCase{"SystemKeyDown", WM_SYSKEYDOWN, VK_MENU, 0, true},
                      InputCase{"ClickOnTheBalloonItself", WM_LBUTTONDOWN, MK_LBUTTON, 3, true},
                      InputCase{"MouseMove", WM_MOUSEMOVE, 0, 0, false},
                      InputCase{"MouseMoveOverTheBalloon", WM_MOUSEMOVE, 0, 3, false},
                      InputCase{"FrameMouseMove", WM_NCMOUSEMOVE, HTCAPTION, 0, false},
                      InputCase{"LeftUp", WM_LBUTTONUP, 0, 1, false},
                      InputCase{"RightUp", WM_RBUTTONUP, 0, 0, false},
                      InputCase{"MiddleUp", WM_MBUTTONUP, 0, 0, false},
                      InputCase{"KeyUp", WM_KEYUP, 'A', 1, false},
                      InputCase{"SystemKeyUp", WM_SYSKEYUP, VK_MENU, 0, false},
                      InputCase{"Character", WM_CHAR, 'a', 1, false},
                      InputCase{"Hotkey", WM_HOTKEY, 33001, 4, false}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(BalloonTest, AQueuedKeyThatIsOnlyPeekedAtDoesNotDismiss) {
    ShowHelp();
    PostMessageA(g_window.编辑框1.hwnd, WM_KEYDOWN, 'A', 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE));
    EXPECT_TRUE(balloon().Showing());
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE));
    EXPECT_FALSE(balloon().Showing());
}

TEST_F(BalloonTest, LosingActivationHidesItGainingItDoesNot) {
    ShowHelp();
    SendMessageA(balloon().hwnd, WM_ACTIVATEAPP, TRUE, 0);
    EXPECT_TRUE(balloon().Showing());
    SendMessageA(balloon().hwnd, WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_FALSE(balloon().Showing());
}

TEST_F(BalloonTest, DismissedBalloonStaysHiddenAndTheNextOneIsDismissedToo) {
    for (int round = 0; round < 2; ++round) {
        ShowHelp();
        PostMessageA(g_window.hwnd, WM_RBUTTONDOWN, 0, 0);
        MSG msg;
        PeekMessageA(&msg, nullptr, WM_RBUTTONDOWN, WM_RBUTTONDOWN, PM_REMOVE);
        ASSERT_FALSE(balloon().Showing()) << "round " << round;
        PumpFor(100);
        EXPECT_FALSE(balloon().Showing()) << "a dismissed balloon came back, round " << round;
    }
}

TEST_F(BalloonTest, HelpPressWhileShowingHidesThenShowsItAgainAtTheSamePlace) {
    ShowHelp();
    const RECT before = RectOf(balloon().hwnd);
    PostMessageA(g_window.按钮6.hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_REMOVE));
    EXPECT_FALSE(balloon().Showing()) << "the press itself dismisses it first";
    EXPECT_FALSE(g_window.PreTranslate(msg));  // raises the help press, which pops it up again
    ASSERT_TRUE(PumpUntil([] { return balloon().Showing(); }));
    const RECT after = RectOf(balloon().hwnd);
    EXPECT_TRUE(EqualRect(&before, &after));
}

TEST_F(BalloonTest, AnEmptyTextShowsNothingAndHidesWhatShowed) {
    for (const char* empty : {"", static_cast<const char*>(nullptr)}) {
        ShowHelp();
        PopUpBalloon(balloon(), kLeft + 36, kTop + 7, empty, -1);
        EXPECT_FALSE(balloon().Showing());
        PumpFor(100);
        EXPECT_FALSE(balloon().Showing());
    }
}

BOOL CALLBACK FindOtherBalloon(HWND w, LPARAM found) {
    char cls[64] = {};
    GetClassNameA(w, cls, sizeof cls);
    if (std::string(cls) == "TalvineBalloon" && w != g_window.气球提示框1.hwnd) *reinterpret_cast<HWND*>(found) = w;
    return TRUE;
}

TEST_F(BalloonTest, ANewPopUpReplacesTheOldOne) {
    ShowHelp();
    // Two pop-ups in one go: the second one shows.
    PopUpBalloon(balloon(), 500, 500, "first", -1);
    PopUpBalloon(balloon(), 600, 400, "second\nline", -1);
    ASSERT_TRUE(PumpUntil([] { return balloon().Showing(); }));
    PumpFor(100);
    const RECT r = RectOf(balloon().hwnd);
    EXPECT_EQ(r.left, 600 - balloon::kPointerInset);
    EXPECT_EQ(r.bottom - balloon::kShadowBelow - 1, 400);
    HWND other = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &FindOtherBalloon, reinterpret_cast<LPARAM>(&other));
    EXPECT_EQ(other, nullptr) << "a second balloon window";
}

TEST_F(BalloonTest, AutoHideHidesItLaterAndALaterPopUpIsNotCutShortByTheOldTimer) {
    PopUpBalloon(balloon(), 500, 500, "soon gone", -1, true);
    ASSERT_TRUE(PumpUntil([] { return balloon().Showing(); }));
    EXPECT_TRUE(PumpUntil([] { return !balloon().Showing(); }, 15000)) << "auto-hide never hid it";

    PopUpBalloon(balloon(), 500, 500, "soon gone", -1, true);
    ASSERT_TRUE(PumpUntil([] { return balloon().Showing(); }));
    PopUpBalloon(balloon(), 500, 500, "stays", -1);
    ASSERT_TRUE(PumpUntil([] { return balloon().Showing(); }));
    PumpFor(4000);  // longer than the auto-hide delay
    EXPECT_TRUE(balloon().Showing()) << "the replaced balloon's timer hid its successor";
}

TEST(BalloonFont, PrefersItsFaceAndFallsBackWhenItIsMissing) {
    EXPECT_STREQ(InstalledFace(texts::kBalloonFontFace, "Verdana"), texts::kBalloonFontFace);
    EXPECT_STREQ(InstalledFace("No Such Face Talvine", "Verdana"), "Verdana");
}

TEST(BalloonFace, IsTooltipColouredInsideABorderWithBlackTextAndEmptyOutside) {
    const BalloonLayout layout = PlaceBalloon({100, 200}, 120, 48, {0, 0, 1024, 768});
    const int32_t w = layout.window.Width(), h = layout.window.Height();
    const std::vector<uint8_t> shape = ShapeMask(layout);
    const std::vector<uint8_t> border = BorderMask(shape, w, h);
    const HFONT font = CreateBalloonFont(balloon::kFontHeight);
    const std::vector<uint32_t> face = DrawBalloonFace(font, layout, shape, border, {"Abc", "", "xyz"}, 14);
    DeleteObject(font);
    ASSERT_EQ(face.size(), shape.size());

    auto pixel = [&](int32_t x, int32_t y) { return face[static_cast<std::size_t>(y * w + x)]; };
    auto dib = [](COLORREF c) {
        return (static_cast<uint32_t>(GetRValue(c)) << 16) | (static_cast<uint32_t>(GetGValue(c)) << 8) |
               static_cast<uint32_t>(GetBValue(c));
    };
    EXPECT_EQ(pixel(10, 0), dib(GetSysColor(COLOR_INFOTEXT))) << "top border";
    EXPECT_EQ(pixel(4, 4), dib(GetSysColor(COLOR_INFOBK))) << "inside the margin";
    EXPECT_EQ(pixel(0, 0), 0u) << "cut-off corner";
    EXPECT_EQ(pixel(w - 1, h - 1), 0u) << "the shadow's room";
    auto dark = [](uint32_t p) { return ((p >> 16) & 255) < 64 && ((p >> 8) & 255) < 64 && (p & 255) < 64; };
    int ink = 0;
    for (int32_t y = 12; y < 12 + 14; ++y)
        for (int32_t x = 12; x < 60; ++x) ink += dark(pixel(x, y));
    EXPECT_GT(ink, 5) << "no text drawn on the first line";
    int inEmptyLine = 0;
    for (int32_t y = 12 + 14 + 2; y < 12 + 28 - 2; ++y)
        for (int32_t x = 12; x < 60; ++x) inEmptyLine += pixel(x, y) != dib(GetSysColor(COLOR_INFOBK));
    EXPECT_EQ(inEmptyLine, 0) << "the empty line holds ink";
}

TEST(BalloonRegion, HoldsExactlyTheRuns) {
    HRGN region = RegionFromRuns({{0, 2, 5}, {1, 0, 1}, {1, 3, 4}});
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 6; ++x) {
            const bool expected = (y == 0 && x >= 2 && x < 5) || (y == 1 && (x == 0 || x == 3));
            EXPECT_EQ(PtInRegion(region, x, y) != 0, expected) << x << "," << y;
        }
    DeleteObject(region);
    HRGN none = RegionFromRuns({});
    RECT box{};
    EXPECT_EQ(GetRgnBox(none, &box), NULLREGION);
    DeleteObject(none);
}

}  // namespace
}  // namespace talvine
