// The DPI queries: the per-monitor functions where the system has them, and the
// older functions where it does not (Windows 7 and 8), shown by handing the queries
// a table without them or with stand-ins.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "base/dpi.h"
#include "tray/tray_icon.h"

namespace talvine {
namespace {

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

struct Asked {
    std::vector<HWND> windows;
    std::vector<std::pair<int, UINT>> metrics;
    std::vector<std::pair<DWORD, UINT>> frames;
    UINT windowDpi = 144;
};
Asked g_asked;

UINT WINAPI FakeDpiForWindow(HWND w) {
    g_asked.windows.push_back(w);
    return g_asked.windowDpi;
}
int WINAPI FakeMetricsForDpi(int index, UINT dpi) {
    g_asked.metrics.emplace_back(index, dpi);
    return static_cast<int>(dpi) / 4;
}
BOOL WINAPI FakeAdjustForDpi(RECT* r, DWORD style, BOOL, DWORD, UINT dpi) {
    g_asked.frames.emplace_back(style, dpi);
    r->left -= 4;
    r->right += 4;
    r->top -= static_cast<LONG>(dpi) / 4;
    r->bottom += 4;
    return TRUE;
}

constexpr DpiFunctions kWindows7{};  // none of the per-monitor functions
constexpr DpiFunctions kStandIns{&FakeDpiForWindow, &FakeAdjustForDpi, &FakeMetricsForDpi};

class DpiQueries : public ::testing::Test {
protected:
    void SetUp() override {
        g_asked = {};
        window_ = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    }
    void TearDown() override { DestroyWindow(window_); }
    HWND window_ = nullptr;
};

TEST_F(DpiQueries, WithoutThePerMonitorFunctionsTheSystemsOneDpiAnswers) {
    const HDC screen = GetDC(nullptr);
    const int logPixels = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(SystemDpi(), logPixels);
    EXPECT_EQ(WindowDpi(window_, kWindows7), logPixels);
    EXPECT_EQ(SystemMetricForDpi(SM_CXSMICON, 144, kWindows7), GetSystemMetrics(SM_CXSMICON));
    EXPECT_EQ(FrameForDpi(kStyle, 0, 144, kWindows7), std::nullopt);
    EXPECT_EQ(TrayIconSize(kWindows7), GetSystemMetrics(SM_CXSMICON));
}

TEST_F(DpiQueries, WithThemEachQueryAsksForItsWindowAndDpi) {
    EXPECT_EQ(WindowDpi(window_, kStandIns), 144);
    EXPECT_EQ(g_asked.windows, std::vector<HWND>{window_});

    EXPECT_EQ(SystemMetricForDpi(SM_CXSMICON, 120, kStandIns), 30);
    EXPECT_EQ(TrayIconSize(kStandIns), SystemDpi() / 4) << "the tray's size is that of the system's DPI";
    EXPECT_EQ(g_asked.metrics, (std::vector<std::pair<int, UINT>>{
                                   {SM_CXSMICON, 120u}, {SM_CXSMICON, static_cast<UINT>(SystemDpi())}}));

    EXPECT_EQ(FrameForDpi(kStyle, 0, 192, kStandIns), (Extent{8, 48 + 4}));
    EXPECT_EQ(g_asked.frames, (std::vector<std::pair<DWORD, UINT>>{{kStyle, 192u}}));
}

TEST_F(DpiQueries, AWindowThatIsNoneGetsTheSystemsDpi) {
    g_asked.windowDpi = 0;  // what GetDpiForWindow answers for a handle that is no window
    EXPECT_EQ(WindowDpi(nullptr, kStandIns), SystemDpi());
}

// The names looked up are the system's: Wine has all three, as Windows 10 1607 does,
// and what they answer at the system's DPI is what the older functions answer.
TEST_F(DpiQueries, TheSystemsOwnAreFoundByNameAndAgreeAtItsDpi) {
    const DpiFunctions& system = SystemDpiFunctions();
    ASSERT_NE(system.getDpiForWindow, nullptr);
    ASSERT_NE(system.adjustWindowRectExForDpi, nullptr);
    ASSERT_NE(system.getSystemMetricsForDpi, nullptr);
    EXPECT_EQ(WindowDpi(window_), SystemDpi());
    EXPECT_EQ(SystemMetricForDpi(SM_CYCAPTION, SystemDpi()), GetSystemMetrics(SM_CYCAPTION));
    RECT plain{0, 0, 0, 0};
    AdjustWindowRectEx(&plain, kStyle, FALSE, 0);
    EXPECT_EQ(FrameForDpi(kStyle, 0, SystemDpi()), (Extent{plain.right - plain.left, plain.bottom - plain.top}));
    // A larger DPI gives a taller title bar.
    EXPECT_GT(FrameForDpi(kStyle, 0, 2 * SystemDpi())->height, plain.bottom - plain.top);
}

}  // namespace
}  // namespace talvine
