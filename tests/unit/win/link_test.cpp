// The web link under Wine: opening an address through the shell or the ".htm"
// fallback read from a registry of the test's own, and the control's class, press,
// hover and painting.
#include <windows.h>
#include <windowsx.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "ui/link_control.h"
#include "ui/link_open.h"
#include "ui/link_target.h"
#include "ui/main_window.h"

namespace talvine {
namespace {

// The window under test; the program's own instance belongs to the application.
MainWindow g_window;

// What the fake shell and WinExec were asked to do, and what they answer.
struct Calls {
    std::vector<std::string> shellFiles;
    std::vector<std::string> shellVerbs;
    std::vector<int> shellShows;
    bool shellHadExtras = false;
    std::vector<std::string> lines;
    std::vector<UINT> lineShows;
    INT_PTR shellResult = 2;  // "file not found"
    UINT execResult = 33;
};
Calls g_calls;

HINSTANCE WINAPI FakeShell(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR params, LPCSTR dir, INT show) {
    g_calls.shellVerbs.push_back(verb ? verb : "<null>");
    g_calls.shellFiles.push_back(file ? file : "<null>");
    g_calls.shellShows.push_back(show);
    g_calls.shellHadExtras = g_calls.shellHadExtras || owner || params || dir;
    return reinterpret_cast<HINSTANCE>(g_calls.shellResult);
}

UINT WINAPI FakeExec(LPCSTR line, UINT show) {
    g_calls.lines.push_back(line);
    g_calls.lineShows.push_back(show);
    return g_calls.execResult;
}

constexpr char kTestClasses[] = "Software\\TalvineTests\\Classes";

// A registry of file types of the test's own, standing in for HKEY_CLASSES_ROOT.
class TestClasses {
public:
    TestClasses() {
        RegDeleteTreeA(HKEY_CURRENT_USER, kTestClasses);
        RegCreateKeyExA(HKEY_CURRENT_USER, kTestClasses, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &root_, nullptr);
    }
    ~TestClasses() {
        RegCloseKey(root_);
        RegDeleteTreeA(HKEY_CURRENT_USER, kTestClasses);
    }
    HKEY root() const { return root_; }
    // Creates `subkey`, with `value` as its default value when given.
    void Key(const std::string& subkey, const std::optional<std::string>& value) const {
        HKEY k = nullptr;
        RegCreateKeyExA(root_, subkey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr);
        if (value)
            RegSetValueExA(k, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value->c_str()),
                           static_cast<DWORD>(value->size() + 1));
        RegCloseKey(k);
    }

private:
    HKEY root_ = nullptr;
};

const std::string kTarget = "https://talvine.example/page";
const std::string kCommand = R"("C:\Browser\b.exe" -url "%1")";

struct OpenCase {
    const char* name;
    std::string target;
    INT_PTR shellResult;
    // ".htm"'s default value and its shell\open\command's: nullopt for no key at all,
    // "" for a key without a value.
    std::optional<std::string> htm;
    std::optional<std::string> command;
    UINT execResult;
    bool opened;
    std::vector<std::string> lines;  // what WinExec ran
};

class OpenAddressTest : public ::testing::TestWithParam<OpenCase> {};

TEST_P(OpenAddressTest, OpensThroughTheShellElseTheHtmBrowserElseNothing) {
    const OpenCase& c = GetParam();
    g_calls = {};
    g_calls.shellResult = c.shellResult;
    g_calls.execResult = c.execResult;
    const TestClasses classes;
    if (c.htm) {
        classes.Key(".htm", c.htm->empty() ? std::nullopt : c.htm);
        if (c.command) classes.Key(*c.htm + "\\shell\\open\\command", c.command->empty() ? std::nullopt : c.command);
    }

    const bool opened = OpenAddress(c.target.c_str(), SW_SHOWMAXIMIZED, {&FakeShell, &FakeExec, classes.root()});

    EXPECT_EQ(opened, c.opened);
    EXPECT_EQ(g_calls.lines, c.lines);
    for (UINT show : g_calls.lineShows) EXPECT_EQ(show, static_cast<UINT>(SW_SHOWMAXIMIZED));
    if (c.target.empty()) {
        EXPECT_TRUE(g_calls.shellFiles.empty()) << "an empty target reached the shell";
    } else {
        EXPECT_EQ(g_calls.shellFiles, std::vector<std::string>{c.target});
        EXPECT_EQ(g_calls.shellVerbs, std::vector<std::string>{"open"});
        EXPECT_EQ(g_calls.shellShows, std::vector<int>{SW_SHOWMAXIMIZED});
        EXPECT_FALSE(g_calls.shellHadExtras) << "the shell got an owner, parameters or a directory";
    }
}

const std::string kLong(300, 'x');  // longer than the 260 bytes a value is read into

INSTANTIATE_TEST_SUITE_P(
    Cases, OpenAddressTest,
    ::testing::Values(
        OpenCase{"ShellOpensIt", kTarget, 42, "talvine.html", kCommand, 33, true, {}},
        OpenCase{"ShellAtExactly32HasFailed", kTarget, 32, "talvine.html", kCommand, 33, true,
                 {R"("C:\Browser\b.exe" -url  )" + kTarget}},
        OpenCase{"FallbackRunsTheRegisteredBrowser", kTarget, 2, "talvine.html", kCommand, 33, true,
                 {R"("C:\Browser\b.exe" -url  )" + kTarget}},
        OpenCase{"FallbackBrowserFailsToStart", kTarget, 2, "talvine.html", kCommand, 2, false,
                 {R"("C:\Browser\b.exe" -url  )" + kTarget}},
        OpenCase{"NoHtmType", kTarget, 2, std::nullopt, std::nullopt, 33, false, {}},
        OpenCase{"HtmKeyWithoutAValue", kTarget, 2, "", std::nullopt, 33, false, {}},
        OpenCase{"HtmValueTooLongToRead", kTarget, 2, kLong, kCommand, 33, false, {}},
        OpenCase{"NoCommandKey", kTarget, 2, "talvine.html", std::nullopt, 33, false, {}},
        OpenCase{"CommandKeyWithoutAValue", kTarget, 2, "talvine.html", "", 33, false, {}},
        OpenCase{"CommandTooLongToRead", kTarget, 2, "talvine.html", "b.exe " + kLong, 33, false, {}},
        // 24 bytes of the cut command, a space and 495 of address: 520 bytes, one too many.
        OpenCase{"LineTooLongForItsBuffer", "https://talvine.example/" + std::string(471, 'x'), 2, "talvine.html",
                 kCommand, 33, false, {}},
        OpenCase{"LineThatJustFits", "https://talvine.example/" + std::string(470, 'x'), 2, "talvine.html",
                 kCommand, 33, true, {R"("C:\Browser\b.exe" -url  https://talvine.example/)" + std::string(470, 'x')}},
        OpenCase{"EmptyTargetOpensNothing", "", 42, "talvine.html", kCommand, 33, false, {}}),
    [](const auto& p) { return std::string(p.param.name); });

class LinkControlTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_calls = {};
        ASSERT_TRUE(g_window.Create(GetModuleHandleA(nullptr), Bindings{}));
        g_window.Open();
        SetForegroundWindow(g_window.hwnd);
        link().launchers = {&FakeShell, &FakeExec, HKEY_CURRENT_USER};
        Pump();
    }
    void TearDown() override {
        ReleaseCapture();
        link().launchers = {};
        if (g_window.Exists()) DestroyWindow(g_window.hwnd);
        Pump();
    }
    static LinkControl& link() { return g_window.超级链接框1; }
    static void Pump() {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    }
    static void Send(UINT msg, int x, int y) {
        SendMessageA(link().hwnd, msg, 0, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
    }
    // Pixels of the painted client area with exactly this colour.
    static int Count(COLORREF colour) {
        RedrawWindow(link().hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        RECT r{};
        GetClientRect(link().hwnd, &r);
        const HDC dc = GetDC(link().hwnd);
        int n = 0;
        for (int y = 0; y < r.bottom; ++y)
            for (int x = 0; x < r.right; ++x) n += GetPixel(dc, x, y) == colour;
        ReleaseDC(link().hwnd, dc);
        return n;
    }
};

TEST_F(LinkControlTest, ClassHasTheHandCursorNoBackgroundAndDoubleClicks) {
    const HWND w = link().hwnd;
    EXPECT_EQ(GetClassLongPtrA(w, GCL_STYLE), static_cast<ULONG_PTR>(CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS));
    EXPECT_EQ(reinterpret_cast<HGDIOBJ>(GetClassLongPtrA(w, GCLP_HBRBACKGROUND)), GetStockObject(NULL_BRUSH));
    const auto cursor = reinterpret_cast<HCURSOR>(GetClassLongPtrA(w, GCLP_HCURSOR));
    ASSERT_NE(cursor, nullptr);
    EXPECT_EQ(cursor, LoadCursorA(GetModuleHandleA(nullptr), "LINK_HAND"));
    EXPECT_NE(cursor, LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND)));
}

TEST_F(LinkControlTest, LeftPressOpensTheMakersPageOnceAndKeepsTheFocusWhereItWas) {
    SetFocus(g_window.编辑框1.hwnd);
    g_calls.shellResult = 42;
    Send(WM_LBUTTONDOWN, 5, 5);
    EXPECT_EQ(g_calls.shellFiles, std::vector<std::string>{kMakerUrl});
    EXPECT_EQ(g_calls.shellShows, std::vector<int>{SW_SHOW});
    EXPECT_TRUE(link().visited);
    EXPECT_EQ(GetFocus(), g_window.编辑框1.hwnd);
    Send(WM_LBUTTONUP, 5, 5);
    EXPECT_EQ(g_calls.shellFiles.size(), 1u) << "the release opened it again";

    // A failed open leaves the link unvisited.
    g_calls.shellResult = 2;
    g_calls.execResult = 2;
    Send(WM_LBUTTONDOWN, 5, 5);
    EXPECT_FALSE(link().visited);
}

TEST_F(LinkControlTest, OtherButtonsAndDoubleClicksOpenNothing) {
    g_calls.shellResult = 42;
    for (UINT msg : {WM_RBUTTONDOWN, WM_RBUTTONUP, WM_MBUTTONDOWN, WM_MBUTTONUP, WM_LBUTTONDBLCLK,
                     WM_RBUTTONDBLCLK, WM_MBUTTONDBLCLK})
        Send(msg, 5, 5);
    EXPECT_TRUE(g_calls.shellFiles.empty());
    EXPECT_FALSE(link().visited);
}

TEST_F(LinkControlTest, HoverHoldsTheMouseUntilThePointerIsSeenOutside) {
    Send(WM_MOUSEMOVE, 5, 5);
    EXPECT_TRUE(link().hover);
    EXPECT_EQ(GetCapture(), link().hwnd);

    ReleaseCapture();  // someone else took the mouse for a while
    Send(WM_MOUSEMOVE, 6, 5);
    EXPECT_TRUE(link().hover);
    EXPECT_EQ(GetCapture(), link().hwnd) << "a move inside takes the mouse back";

    // Seen from the capture, a move off the left edge has a negative x.
    Send(WM_MOUSEMOVE, -3, 5);
    EXPECT_FALSE(link().hover);
    EXPECT_EQ(GetCapture(), nullptr);

    Send(WM_MOUSEMOVE, 5, 5);
    Send(WM_MOUSEMOVE, 5, 400);
    EXPECT_FALSE(link().hover);

    // The system's notice that the pointer left, for when the moves outside never come.
    Send(WM_MOUSEMOVE, 5, 5);
    ASSERT_TRUE(link().hover);
    Send(WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(link().hover);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(LinkControlTest, PaintsMagentaWhileHoveredAndBlackOtherwiseOnGreen) {
    const COLORREF green = RGB(128, 224, 0), black = RGB(0, 0, 0), magenta = RGB(255, 0, 255);
    EXPECT_GT(Count(green), 100);
    EXPECT_GT(Count(black), 0);
    EXPECT_EQ(Count(magenta), 0);

    Send(WM_MOUSEMOVE, 5, 5);
    EXPECT_GT(Count(magenta), 0);
    EXPECT_EQ(Count(black), 0);

    g_calls.shellResult = 42;
    Send(WM_LBUTTONDOWN, 5, 5);  // visited, still under the pointer
    EXPECT_GT(Count(magenta), 0);

    Send(WM_MOUSEMOVE, -3, 5);
    EXPECT_EQ(Count(magenta), 0);
    EXPECT_GT(Count(black), 0) << "the visited colour is black";
}

}  // namespace
}  // namespace talvine
