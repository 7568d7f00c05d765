// The main window's pre-translation, events and properties, under Wine.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/main_window.h"
#include "ui/texts.h"

namespace talvine {
namespace {

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
        b.button5Click = [] { g_rec.events.push_back("click5"); };
        b.button6LeftPressed = [](int32_t x, int32_t y, int32_t keys) {
            g_rec.events.push_back("pressed6");
            g_rec.args = {x, y, keys};
            return g_rec.answer;
        };
        b.label1Feedback = [](int32_t first, int32_t second) {
            g_rec.events.push_back("feedback");
            g_rec.args = {first, second};
        };
        ASSERT_TRUE(窗口.Create(GetModuleHandleA(nullptr), b));
        窗口.Open();
        SetForegroundWindow(窗口.hwnd);
        SetKeys({});
    }
    void TearDown() override {
        SetKeys({});
        if (窗口.Exists()) DestroyWindow(窗口.hwnd);
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
    SetFocus(窗口.hwnd);
    const std::vector<HWND> forward{窗口.编辑框1.hwnd, 窗口.按钮5.hwnd, 窗口.按钮6.hwnd, 窗口.编辑框1.hwnd};
    for (HWND expected : forward) {
        EXPECT_TRUE(窗口.PreTranslate(Msg(GetFocus(), WM_KEYDOWN, VK_TAB)));
        EXPECT_EQ(GetFocus(), expected);
    }
    SetKeys({VK_SHIFT});
    const std::vector<HWND> backward{窗口.按钮6.hwnd, 窗口.按钮5.hwnd, 窗口.编辑框1.hwnd};
    for (HWND expected : backward) {
        EXPECT_TRUE(窗口.PreTranslate(Msg(GetFocus(), WM_KEYDOWN, VK_TAB)));
        EXPECT_EQ(GetFocus(), expected);
    }
}

TEST_F(MainWindowTest, TabSkipsAHiddenStop) {
    ShowWindow(窗口.按钮5.hwnd, SW_HIDE);
    SetFocus(窗口.编辑框1.hwnd);
    EXPECT_TRUE(窗口.PreTranslate(Msg(GetFocus(), WM_KEYDOWN, VK_TAB)));
    EXPECT_EQ(GetFocus(), 窗口.按钮6.hwnd);
}

TEST_F(MainWindowTest, EscWithoutModifierClosesThroughMayClose) {
    EXPECT_TRUE(窗口.PreTranslate(Msg(窗口.编辑框1.hwnd, WM_KEYDOWN, VK_ESCAPE)));
    EXPECT_EQ(g_rec.events, std::vector<std::string>{"may-close"});
    EXPECT_FALSE(窗口.Exists());
}

TEST_F(MainWindowTest, KeysThatAreLeftAlone) {
    struct Case {
        std::initializer_list<int> held;
        WPARAM key;
    };
    for (const Case& c : {Case{{VK_SHIFT}, VK_ESCAPE}, Case{{VK_CONTROL}, VK_ESCAPE}, Case{{}, VK_RETURN},
                          Case{{}, VK_F1}, Case{{VK_CONTROL}, VK_TAB}}) {
        SetKeys(c.held);
        EXPECT_FALSE(窗口.PreTranslate(Msg(窗口.按钮5.hwnd, WM_KEYDOWN, c.key))) << c.key;
    }
    EXPECT_TRUE(g_rec.events.empty());
    EXPECT_TRUE(窗口.Exists());
}

TEST_F(MainWindowTest, MessagesForOtherWindowsAreNotLookedAt) {
    HWND other = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    EXPECT_FALSE(窗口.PreTranslate(Msg(other, WM_KEYDOWN, VK_ESCAPE)));
    EXPECT_TRUE(窗口.Exists());
    DestroyWindow(other);
}

TEST_F(MainWindowTest, LeftPressOnHelpButtonRaisesItsEventWithUnsignedWordsAndKeyState) {
    SetKeys({VK_CONTROL, VK_MENU});
    const MSG m = Msg(窗口.按钮6.hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(7, 0xFFFF));
    EXPECT_FALSE(窗口.PreTranslate(m)) << "a press with no answer is delivered";
    EXPECT_EQ(g_rec.events, std::vector<std::string>{"pressed6"});
    EXPECT_EQ(g_rec.args, (std::vector<int32_t>{7, 65535, 1 + 4}));

    g_rec.answer = Answer::No;
    EXPECT_TRUE(窗口.PreTranslate(m)) << "a No answer consumes the press";
}

TEST_F(MainWindowTest, MayCloseRunsBeforeTheWindowCloses) {
    g_rec.answer = Answer::No;
    SendMessageA(窗口.hwnd, WM_CLOSE, 0, 0);
    EXPECT_TRUE(窗口.Exists()) << "a No answer keeps the window open";
    g_rec.answer = Answer::None;
    SendMessageA(窗口.hwnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(g_rec.events, (std::vector<std::string>{"may-close", "may-close"}));
    EXPECT_FALSE(窗口.Exists());
}

TEST_F(MainWindowTest, QueryEndSessionAgreesAfterMayCloseAndKeepsTheWindow) {
    EXPECT_EQ(SendMessageA(窗口.hwnd, WM_QUERYENDSESSION, 0, 0), TRUE);
    EXPECT_EQ(g_rec.events, std::vector<std::string>{"may-close"});
    EXPECT_TRUE(窗口.Exists());
    g_rec.answer = Answer::No;
    EXPECT_EQ(SendMessageA(窗口.hwnd, WM_QUERYENDSESSION, 0, 0), FALSE);
}

TEST_F(MainWindowTest, ButtonClickAndLabelFeedbackReachTheirHandlers) {
    SendMessageA(窗口.按钮5.hwnd, BM_CLICK, 0, 0);
    SendMessageA(窗口.标签1.hwnd, WM_HOTKEY, 33001, 0);
    EXPECT_EQ(g_rec.events, (std::vector<std::string>{"click5", "feedback"}));
    EXPECT_EQ(g_rec.args, (std::vector<int32_t>{33001, 0}));
}

TEST_F(MainWindowTest, CaptionReadsBackExactlyWhatWasWritten) {
    EXPECT_EQ(窗口.按钮5.Caption(), texts::kCaptionCopyOn);
    for (const char* caption : {texts::kCaptionCopyOff, "", texts::kCaptionCopyOn}) {
        窗口.按钮5.SetCaption(caption);
        EXPECT_EQ(窗口.按钮5.Caption(), caption);
        char shown[64] = {};
        GetWindowTextA(窗口.按钮5.hwnd, shown, sizeof shown);
        EXPECT_STREQ(shown, caption);
    }
}

TEST_F(MainWindowTest, EditBoxPlaceIsReadInClientCoordinates) {
    EXPECT_EQ(窗口.编辑框1.Left(), 6);
    EXPECT_EQ(窗口.编辑框1.Top(), 6);
    RECT r{};
    GetWindowRect(窗口.hwnd, &r);
    EXPECT_EQ(窗口.Left(), r.left);
    EXPECT_EQ(窗口.Top(), r.top);
}

TEST_F(MainWindowTest, PositionReadsMinimisedAndNormal) {
    EXPECT_EQ(窗口.Position(), 0);
    ShowWindow(窗口.hwnd, SW_MINIMIZE);
    EXPECT_EQ(窗口.Position(), 2);
    窗口.SetPosition(0);
    EXPECT_EQ(窗口.Position(), 0);
}

}  // namespace
}  // namespace talvine
