// The main window's pre-translation, events and properties, under Wine.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/dpi.h"
#include "ui/gui_font.h"
#include "ui/main_window.h"
#include "ui/texts.h"

namespace talvine {
namespace {

// The window under test; the program's own instance belongs to the application.
MainWindow g_window;

struct Recorded {
    std::vector<std::string> events;
    std::vector<int32_t> args;
    Answer answer = Answer::None;
};
Recorded g_rec;

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_rec = {};
        Bindings b;
        b.mayClose = [] {
            g_rec.events.push_back("may-close");
            return g_rec.answer;
        };
        b.copySwitchClicked = [] { g_rec.events.push_back("click5"); };
        b.helpPressed = [](int32_t x, int32_t y, int32_t keys) {
            g_rec.events.push_back("pressed6");
            g_rec.args = {x, y, keys};
            return g_rec.answer;
        };
        b.hotkeyFeedback = [](int32_t first, int32_t second) {
            g_rec.events.push_back("feedback");
            g_rec.args = {first, second};
        };
        ASSERT_TRUE(g_window.Create(GetModuleHandleA(nullptr), b));
        g_window.Open();
        SetForegroundWindow(g_window.hwnd);
        SetKeys({});
    }
    void TearDown() override {
        SetKeys({});
        if (g_window.Exists()) DestroyWindow(g_window.hwnd);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
    // Sets the thread's view of which keys are down, as GetKeyState reports it.
    static void SetKeys(std::initializer_list<int> down) {
        BYTE state[256] = {};
        for (int vk : down) state[vk] = 0x80;
        SetKeyboardState(state);
    }
    static MSG Msg(HWND w, UINT message, WPARAM wp, LPARAM lp = 0) {
        MSG m{};
        m.hwnd = w;
        m.message = message;
        m.wParam = wp;
        m.lParam = lp;
        return m;
    }
};

TEST_F(MainWindowTest, TabAndShiftTabCycleThroughTheTabStops) {
    SetFocus(g_window.hwnd);
    const std::vector<HWND> forward{g_window.编辑框1.hwnd, g_window.按钮5.hwnd, g_window.按钮6.hwnd, g_window.编辑框1.hwnd};
    for (HWND expected : forward) {
        EXPECT_TRUE(g_window.PreTranslate(Msg(GetFocus(), WM_KEYDOWN, VK_TAB)));
        EXPECT_EQ(GetFocus(), expected);
    }
    SetKeys({VK_SHIFT});
    const std::vector<HWND> backward{g_window.按钮6.hwnd, g_window.按钮5.hwnd, g_window.编辑框1.hwnd};
    for (HWND expected : backward) {
        EXPECT_TRUE(g_window.PreTranslate(Msg(GetFocus(), WM_KEYDOWN, VK_TAB)));
        EXPECT_EQ(GetFocus(), expected);
    }
}

TEST_F(MainWindowTest, TabSkipsAHiddenStop) {
    ShowWindow(g_window.按钮5.hwnd, SW_HIDE);
    SetFocus(g_window.编辑框1.hwnd);
    EXPECT_TRUE(g_window.PreTranslate(Msg(GetFocus(), WM_KEYDOWN, VK_TAB)));
    EXPECT_EQ(GetFocus(), g_window.按钮6.hwnd);
}

TEST_F(MainWindowTest, EscWithoutModifierClosesThroughMayClose) {
    EXPECT_TRUE(g_window.PreTranslate(Msg(g_window.编辑框1.hwnd, WM_KEYDOWN, VK_ESCAPE)));
    EXPECT_EQ(g_rec.events, std::vector<std::string>{"may-close"});
    EXPECT_FALSE(g_window.Exists());
}

TEST_F(MainWindowTest, KeysThatAreLeftAlone) {
    struct Case {
        std::initializer_list<int> held;
        WPARAM key;
    };
    for (const Case& c : {Case{{VK_SHIFT}, VK_ESCAPE}, Case{{VK_CONTROL}, VK_ESCAPE}, Case{{VK_CONTROL}, VK_TAB},
                          Case{{}, 'A'}, Case{{}, VK_F2}}) {
        SetKeys(c.held);
        EXPECT_FALSE(g_window.PreTranslate(Msg(g_window.按钮5.hwnd, WM_KEYDOWN, c.key))) << c.key;
    }
    EXPECT_TRUE(g_rec.events.empty());
    EXPECT_TRUE(g_window.Exists());
}

TEST_F(MainWindowTest, EnterAndF1AreConsumedWithAnyModifierAndDoNothing) {
    for (std::initializer_list<int> held : {std::initializer_list<int>{}, {VK_CONTROL}, {VK_SHIFT}, {VK_MENU}}) {
        SetKeys(held);
        for (WPARAM key : {VK_RETURN, VK_F1}) {
            EXPECT_TRUE(g_window.PreTranslate(Msg(g_window.编辑框1.hwnd, WM_KEYDOWN, key))) << key;
            EXPECT_TRUE(g_window.PreTranslate(Msg(g_window.按钮5.hwnd, WM_SYSKEYDOWN, key))) << key;
        }
    }
    EXPECT_TRUE(g_rec.events.empty());
    EXPECT_TRUE(g_window.Exists());
}

// What reaches the edit box while keys are typed into it.
struct BoxInput {
    std::vector<WPARAM> keysDown;
    std::vector<WPARAM> characters;
};
BoxInput g_box;
WNDPROC g_editProc = nullptr;

LRESULT CALLBACK RecordBoxInput(HWND w, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_KEYDOWN) g_box.keysDown.push_back(wParam);
    if (msg == WM_CHAR) g_box.characters.push_back(wParam);
    return CallWindowProcA(g_editProc, w, msg, wParam, lParam);
}

// Types a, Enter, F1, b into the focused edit box as real key presses and delivers
// the thread's messages with `deliver` until the b arrives.
template <typename Deliver>
BoxInput TypeIntoTheBox(Deliver deliver) {
    g_box = {};
    SetFocus(g_window.编辑框1.hwnd);
    std::vector<INPUT> keys;
    for (WORD vk : {WORD{'A'}, WORD{VK_RETURN}, WORD{VK_F1}, WORD{'B'}})
        for (DWORD flags : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
            INPUT in{};
            in.type = INPUT_KEYBOARD;
            in.ki.wVk = vk;
            in.ki.dwFlags = flags;
            keys.push_back(in);
        }
    SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 3000 &&
           (g_box.characters.empty() || (g_box.characters.back() != 'b' && g_box.characters.back() != 'B'))) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) deliver(msg);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return g_box;
}

// A single-line edit box does not take Enter: on Windows it rejects the character
// with the system's beep. The loop's step must never let the character be made.
TEST_F(MainWindowTest, NoCharacterOfEnterReachesTheEditBox) {
    g_editProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(g_window.编辑框1.hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordBoxInput)));
    // Without the pre-translation, the Enter press becomes a carriage return there.
    const BoxInput plain = TypeIntoTheBox([](MSG& msg) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    });
    ASSERT_EQ(plain.characters.size(), 3u) << "the typed keys did not all arrive";
    EXPECT_EQ(plain.characters[1], WPARAM{'\r'});

    const BoxInput delivered = TypeIntoTheBox([](MSG& msg) { g_window.Deliver(msg); });
    ASSERT_EQ(delivered.characters.size(), 2u);
    EXPECT_EQ(delivered.characters[0] | 0x20, WPARAM{'a'});
    EXPECT_EQ(delivered.characters[1] | 0x20, WPARAM{'b'});
    for (WPARAM key : delivered.keysDown) EXPECT_TRUE(key != VK_RETURN && key != VK_F1) << key;
    SetWindowLongPtrA(g_window.编辑框1.hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_editProc));
}

TEST_F(MainWindowTest, MessagesForOtherWindowsAreNotLookedAt) {
    HWND other = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    EXPECT_FALSE(g_window.PreTranslate(Msg(other, WM_KEYDOWN, VK_ESCAPE)));
    EXPECT_TRUE(g_window.Exists());
    DestroyWindow(other);
}

TEST_F(MainWindowTest, LeftPressOnHelpButtonRaisesItsEventWithUnsignedWordsAndKeyState) {
    SetKeys({VK_CONTROL, VK_MENU});
    const MSG m = Msg(g_window.按钮6.hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(7, 0xFFFF));
    EXPECT_FALSE(g_window.PreTranslate(m)) << "a press with no answer is delivered";
    EXPECT_EQ(g_rec.events, std::vector<std::string>{"pressed6"});
    EXPECT_EQ(g_rec.args, (std::vector<int32_t>{7, 65535, 1 + 4}));

    g_rec.answer = Answer::No;
    EXPECT_TRUE(g_window.PreTranslate(m)) << "a No answer consumes the press";
}

TEST_F(MainWindowTest, MayCloseRunsBeforeTheWindowCloses) {
    g_rec.answer = Answer::No;
    SendMessageA(g_window.hwnd, WM_CLOSE, 0, 0);
    EXPECT_TRUE(g_window.Exists()) << "a No answer keeps the window open";
    g_rec.answer = Answer::None;
    SendMessageA(g_window.hwnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(g_rec.events, (std::vector<std::string>{"may-close", "may-close"}));
    EXPECT_FALSE(g_window.Exists());
}

TEST_F(MainWindowTest, QueryEndSessionAgreesAfterMayCloseAndKeepsTheWindow) {
    EXPECT_EQ(SendMessageA(g_window.hwnd, WM_QUERYENDSESSION, 0, 0), TRUE);
    EXPECT_EQ(g_rec.events, std::vector<std::string>{"may-close"});
    EXPECT_TRUE(g_window.Exists());
    g_rec.answer = Answer::No;
    EXPECT_EQ(SendMessageA(g_window.hwnd, WM_QUERYENDSESSION, 0, 0), FALSE);
}

TEST_F(MainWindowTest, ButtonClickAndLabelFeedbackReachTheirHandlers) {
    SendMessageA(g_window.按钮5.hwnd, BM_CLICK, 0, 0);
    SendMessageA(g_window.标签1.hwnd, WM_HOTKEY, 33001, 0);
    EXPECT_EQ(g_rec.events, (std::vector<std::string>{"click5", "feedback"}));
    EXPECT_EQ(g_rec.args, (std::vector<int32_t>{33001, 0}));
}

TEST_F(MainWindowTest, CaptionReadsBackExactlyWhatWasWritten) {
    EXPECT_EQ(g_window.按钮5.Caption(), texts::kCaptionCopyOn);
    for (const char* caption : {texts::kCaptionCopyOff, "", texts::kCaptionCopyOn}) {
        g_window.按钮5.SetCaption(caption);
        EXPECT_EQ(g_window.按钮5.Caption(), caption);
        char shown[64] = {};
        GetWindowTextA(g_window.按钮5.hwnd, shown, sizeof shown);
        EXPECT_STREQ(shown, caption);
    }
}

TEST_F(MainWindowTest, EditBoxPlaceIsReadInClientCoordinates) {
    EXPECT_EQ(g_window.编辑框1.Left(), 6);
    EXPECT_EQ(g_window.编辑框1.Top(), 6);
    RECT r{};
    GetWindowRect(g_window.hwnd, &r);
    EXPECT_EQ(g_window.Left(), r.left);
    EXPECT_EQ(g_window.Top(), r.top);
}

TEST_F(MainWindowTest, DestroyingTheWindowLeavesNoMemberWithAStaleHandle) {
    DestroyWindow(g_window.hwnd);
    for (HWND member : {g_window.hwnd, g_window.编辑框1.hwnd, g_window.按钮5.hwnd, g_window.按钮6.hwnd,
                        g_window.超级链接框1.hwnd, g_window.标签1.hwnd, g_window.气球提示框1.hwnd})
        EXPECT_EQ(member, nullptr);
}

// A member's place in the main window's client area and its outer size.
Box PlaceOf(HWND member) {
    RECT r{};
    GetWindowRect(member, &r);
    MapWindowPoints(nullptr, GetParent(member), reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

LOGFONTA FontOf(HWND member) {
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HGDIOBJ>(SendMessageA(member, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font;
}

int IconWidth(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return 0;
    BITMAP bm{};
    GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return bm.bmWidth;
}

// Everything the window lays out, as it is laid out now.
struct Laid {
    std::vector<Box> places;
    LOGFONTA font{};
    int bigIcon = 0, smallIcon = 0, cursor = 0;
};

Laid LaidOut() {
    Laid l;
    for (HWND m : {g_window.编辑框1.hwnd, g_window.按钮5.hwnd, g_window.按钮6.hwnd, g_window.超级链接框1.hwnd,
                   g_window.标签1.hwnd})
        l.places.push_back(PlaceOf(m));
    l.font = FontOf(g_window.按钮5.hwnd);
    l.bigIcon = IconWidth(reinterpret_cast<HICON>(SendMessageA(g_window.hwnd, WM_GETICON, ICON_BIG, 0)));
    l.smallIcon = IconWidth(reinterpret_cast<HICON>(SendMessageA(g_window.hwnd, WM_GETICON, ICON_SMALL, 0)));
    // The cursor the link shows when the system asks it over its client area.
    SendMessageA(g_window.超级链接框1.hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(g_window.超级链接框1.hwnd),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    l.cursor = IconWidth(GetCursor());
    return l;
}

std::vector<Box> DesignPlacesAt(int32_t dpi) {
    const MainWindowLayout l = LayoutAt(dpi);
    return {l.edit, l.copySwitch, l.help, l.link, l.label};
}

bool SameFont(const LOGFONTA& a, const LOGFONTA& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Moving to a monitor of another DPI: the system suggests a rectangle and the window
// takes it; its members, their font, its icons and the link's cursor follow. Wine
// shows every window at the system's DPI, so the message is sent as Windows sends it.
TEST_F(MainWindowTest, DpiChangeTakesTheSuggestedRectangleAndLaysEverythingOutAgain) {
    ASSERT_EQ(SystemDpi(), 96) << "the bench runs the Win32 tests at 96 DPI";
    const Laid before = LaidOut();
    EXPECT_EQ(before.places, DesignPlacesAt(96));
    const LOGFONTA stock = GuiFontAt(96);
    EXPECT_TRUE(SameFont(before.font, stock)) << "at the system's DPI the font is the GUI font's copy";
    EXPECT_EQ(before.bigIcon, 32);
    EXPECT_EQ(before.smallIcon, 16);
    EXPECT_EQ(before.cursor, 32);
    const auto oldFont = reinterpret_cast<HGDIOBJ>(SendMessageA(g_window.按钮5.hwnd, WM_GETFONT, 0, 0));

    RECT suggested{100, 120, 100 + 600, 120 + 110};
    SendMessageA(g_window.hwnd, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    RECT now{};
    GetWindowRect(g_window.hwnd, &now);
    EXPECT_TRUE(EqualRect(&now, &suggested)) << now.left << "," << now.top << "," << now.right << "," << now.bottom;
    EXPECT_EQ(g_window.Dpi(), 144);
    const Laid after = LaidOut();
    EXPECT_EQ(after.places, DesignPlacesAt(144));
    EXPECT_EQ(after.font.lfHeight, Scale(stock.lfHeight, 144));
    EXPECT_STREQ(after.font.lfFaceName, stock.lfFaceName);
    EXPECT_EQ(after.font.lfCharSet, stock.lfCharSet);
    EXPECT_TRUE(SameFont(FontOf(g_window.超级链接框1.hwnd), after.font)) << "the link draws in the same font";
    EXPECT_EQ(GetObjectType(oldFont), 0u) << "the font of the old DPI was not deleted";
    EXPECT_EQ(after.bigIcon, 48);
    EXPECT_EQ(after.smallIcon, 24);
    EXPECT_EQ(after.cursor, 48);

    // And back: exactly the design again.
    RECT design{200, 200, 200 + 340, 200 + 62};
    SendMessageA(g_window.hwnd, WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&design));
    const Laid again = LaidOut();
    EXPECT_EQ(again.places, DesignPlacesAt(96));
    EXPECT_TRUE(SameFont(again.font, stock));
    EXPECT_EQ(again.smallIcon, 16);
    EXPECT_EQ(again.cursor, 32);
}

// The hand the link shows for its DPI is its own, and goes with it.
TEST_F(MainWindowTest, TheLinksHandGoesWithTheWindow) {
    SendMessageA(g_window.超级链接框1.hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(g_window.超级链接框1.hwnd),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    const HCURSOR hand = GetCursor();
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(hand, &info));
    DeleteObject(info.hbmMask);
    EXPECT_NE(hand, LoadCursorA(GetModuleHandleA(nullptr), "LINK_HAND")) << "the shared class cursor";
    SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
    DestroyWindow(g_window.hwnd);
    EXPECT_FALSE(GetIconInfo(hand, &info)) << "the link's hand outlived it";
}

UINT WINAPI OnAMonitorAt144(HWND) { return 144; }

// The system's DPI is that of the primary monitor when the user signed in; changed
// since, the monitor the window starts on has another. The window then starts laid
// out for that monitor, centred by the formula on its size there.
TEST_F(MainWindowTest, StartsLaidOutForTheDpiOfTheMonitorItIsOn) {
    DpiFunctions monitor = SystemDpiFunctions();
    monitor.getDpiForWindow = &OnAMonitorAt144;
    MainWindow other;
    ASSERT_TRUE(other.Create(GetModuleHandleA(nullptr), {}, &CreateWindowExA, monitor));
    EXPECT_EQ(other.Dpi(), 144);
    const Extent size = other.OuterSize(144);
    EXPECT_NE(size, (Extent{340, 62}));
    RECT r{};
    GetWindowRect(other.hwnd, &r);
    EXPECT_EQ(r.right - r.left, size.width);
    EXPECT_EQ(r.bottom - r.top, size.height);
    EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - size.width) / 2);
    EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - size.height) / 2);
    std::vector<Box> places;
    for (HWND m : {other.编辑框1.hwnd, other.按钮5.hwnd, other.按钮6.hwnd, other.超级链接框1.hwnd, other.标签1.hwnd})
        places.push_back(PlaceOf(m));
    EXPECT_EQ(places, DesignPlacesAt(144));
    EXPECT_EQ(FontOf(other.按钮5.hwnd).lfHeight, Scale(GuiFontAt(96).lfHeight, 144));
    DestroyWindow(other.hwnd);
}

// Before WM_DPICHANGED, Windows 10 1703 and later ask a per-monitor window what size
// it wants at the new DPI: the size it would start with there, whose client area is
// the one it has at 96 DPI, scaled.
TEST_F(MainWindowTest, AsksForTheSizeWhoseClientAreaIsTheDesignsScaled) {
    RECT outer{}, client{};
    GetWindowRect(g_window.hwnd, &outer);
    GetClientRect(g_window.hwnd, &client);
    EXPECT_EQ(outer.right - outer.left, 340);
    EXPECT_EQ(outer.bottom - outer.top, 62);
    constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    for (const int32_t dpi : {96, 120, 144, 192}) {
        SIZE pending{1, 1};
        EXPECT_EQ(SendMessageA(g_window.hwnd, 0x02E4 /* WM_GETDPISCALEDSIZE */, static_cast<WPARAM>(dpi),
                               reinterpret_cast<LPARAM>(&pending)),
                  TRUE);
        EXPECT_EQ((Extent{pending.cx, pending.cy}), g_window.OuterSize(dpi)) << "not the size it starts with";
        const Extent frame = FrameForDpi(kStyle, 0, dpi).value();
        EXPECT_EQ(pending.cx - frame.width, Scale(client.right, dpi)) << dpi;
        EXPECT_EQ(pending.cy - frame.height, Scale(client.bottom, dpi)) << dpi;
    }
}

TEST_F(MainWindowTest, PositionReadsMinimisedAndNormal) {
    EXPECT_EQ(g_window.Position(), WindowPosition::Normal);
    ShowWindow(g_window.hwnd, SW_MINIMIZE);
    EXPECT_EQ(g_window.Position(), WindowPosition::Minimised);
    g_window.SetPosition(WindowPosition::Normal);
    EXPECT_EQ(g_window.Position(), WindowPosition::Normal);
}

}  // namespace
}  // namespace talvine
