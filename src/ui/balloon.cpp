#include "ui/balloon.h"

#include "base/window_class.h"
#include "ui/balloon_paint.h"
#include "ui/balloon_shading.h"

namespace talvine {

Balloon* Balloon::watched_ = nullptr;

namespace {

constexpr char kBalloonClass[] = "TalvineBalloon";
constexpr UINT_PTR kAutoHideTimer = 1;
constexpr UINT kShowPending = WM_APP + 1;  // to the balloon's own window
constexpr UINT kAutoHideMs = 3000;

// The input that dismisses the balloon: a press of any mouse button, in a client
// area or a frame, the wheel, and a key going down. Moves, releases and hotkeys
// leave it showing.
bool DismissesBalloon(UINT message) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_MOUSEWHEEL:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONDBLCLK:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONDBLCLK:
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        return true;
    default:
        return false;
    }
}

}  // namespace

bool Balloon::Create(HINSTANCE instance, HWND owner, CreateWindowFn createWindow, int32_t dpi) {
    if (!RegisterWindowClass<Balloon>(instance, kBalloonClass, 0, LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW))))
        return false;

    hwnd = createWindow(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kBalloonClass, "", WS_POPUP, 0, 0, 0, 0, owner, nullptr,
                        instance, this);
    if (!hwnd) return false;
    SetDpi(dpi);
    return true;
}

void Balloon::SetDpi(int32_t dpi) {
    metrics_ = BalloonMetricsAt(dpi);
    font_.reset(CreateBalloonFont(metrics_.fontHeight));
}

// The balloon shows once the message being handled is done rather than at once: a
// press on a control gives the control the focus after its handler has run, and
// under Wine that focus change raises the main window over a pop-up already on the
// screen. The watch starts now, so that input arriving meanwhile cancels the pop-up.
void Balloon::Show(int32_t x, int32_t y, const char* text, bool autoHide) {
    if (!hwnd) return;
    pending_ = Request{x, y, text ? text : "", autoHide};
    if (!watch_) watch_.reset(SetWindowsHookExA(WH_GETMESSAGE, &Balloon::WatchProc, nullptr, GetCurrentThreadId()));
    watched_ = this;
    PostMessageA(hwnd, kShowPending, 0, 0);
}

void Balloon::Present() {
    if (!pending_) return;
    const Request request = std::move(*pending_);
    pending_.reset();

    const auto font = static_cast<HFONT>(font_ ? font_.get() : GetStockObject(DEFAULT_GUI_FONT));
    const std::vector<std::string> lines = SplitBalloonLines(request.text);
    const TextSize size = MeasureLines(font, lines);
    const int32_t lineCount = static_cast<int32_t>(lines.size());
    const PixelRect screen{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                           GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                           GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    const BalloonLayout layout = PlaceBalloon({request.x, request.y}, size.width + 2 * metrics_.margin,
                                              lineCount * size.lineHeight + 2 * metrics_.margin, screen, metrics_);
    const int32_t width = layout.window.Width();
    const int32_t height = layout.window.Height();

    const std::vector<uint8_t> shape = ShapeMask(layout);
    const std::vector<uint8_t> border = BorderMask(shape, width, height);
    const std::vector<uint8_t> shadow = ShadowAlpha(shape, width, height, metrics_);
    const std::vector<uint32_t> face = DrawBalloonFace(font, layout, shape, border, lines, size.lineHeight);

    std::vector<uint32_t> picture = CaptureScreen(layout.window);
    RecoverBackground(picture, layout.window, shown_, behind_, shownAt_);
    behind_ = picture;
    ComposeBalloon(face, shape, shadow, picture);
    shown_ = std::move(picture);
    shownAt_ = layout.window;

    // On success the window owns the region.
    UniqueRegion region(RegionFromRuns(CoveredRuns(shape, shadow, width, height)));
    if (region && SetWindowRgn(hwnd, region.get(), FALSE)) region.release();
    SetWindowPos(hwnd, HWND_TOPMOST, layout.window.left, layout.window.top, width, height,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
    InvalidateRect(hwnd, nullptr, FALSE);
    UpdateWindow(hwnd);
    if (request.autoHide) SetTimer(hwnd, kAutoHideTimer, kAutoHideMs, nullptr);
}

void Balloon::Hide() {
    pending_.reset();
    if (hwnd) {
        KillTimer(hwnd, kAutoHideTimer);
        if (IsWindowVisible(hwnd)) ShowWindow(hwnd, SW_HIDE);
    }
    watch_.reset();
    if (watched_ == this) watched_ = nullptr;
}

// Sees every message the main thread takes from its queue, and hides the balloon
// on the program's input. A peek that leaves the message queued is not input yet.
LRESULT CALLBACK Balloon::WatchProc(int code, WPARAM wParam, LPARAM lParam) {
    const LRESULT next = CallNextHookEx(nullptr, code, wParam, lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && watched_ &&
        DismissesBalloon(reinterpret_cast<const MSG*>(lParam)->message))
        watched_->Hide();
    return next;
}

void Balloon::Paint(HDC dc) const { PaintPicture(dc, shown_, shownAt_.Width(), shownAt_.Height()); }

LRESULT Balloon::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT:
        return PaintNow(hwnd, [this](HDC dc, const RECT&) { Paint(dc); });
    case WM_PRINTCLIENT:
        Paint(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_ERASEBKGND:
        return 1;  // the picture covers every pixel of the region
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;  // a click on the balloon dismisses it without taking the focus
    case WM_ACTIVATEAPP:
        if (!wParam) Hide();  // the user went to another application
        return 0;
    case kShowPending:
        Present();
        return 0;
    case WM_DPICHANGED:
        // Shown on another monitor, the balloon keeps the place and size it was laid
        // out with, for its owner's DPI; the owner's own change hides it.
        return 0;
    case WM_TIMER:
        if (wParam == kAutoHideTimer) {
            Hide();
            return 0;
        }
        break;
    case WM_NCDESTROY: {
        Hide();
        font_.reset();
        shown_.clear();
        behind_.clear();
        shownAt_ = {};
        return 0;
    }
    default:
        break;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

void PopUpBalloon(Balloon& balloon, int32_t x, int32_t y, const char* text, int32_t, bool autoHide) {
    balloon.Hide();
    if (!text || !*text) return;
    balloon.Show(x, y, text, autoHide);
}

}  // namespace talvine
