#include "ui/link_control.h"

#include <windowsx.h>

#include "base/handles.h"
#include "base/window_class.h"
#include "ui/link_target.h"

namespace talvine {

namespace {

constexpr char kLinkClass[] = "TalvineLink";
constexpr COLORREF kBackground = RGB(128, 224, 0);
constexpr COLORREF kNormalColour = RGB(0, 0, 0);
constexpr COLORREF kVisitedColour = RGB(0, 0, 0);
constexpr COLORREF kHoverColour = RGB(255, 0, 255);

}  // namespace

bool LinkControl::RegisterWindowClass(HINSTANCE instance) {
    // The class cursor is the program's own pointing hand.
    return talvine::RegisterWindowClass<LinkControl>(instance, kLinkClass, CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS,
                                                     LoadCursorA(instance, "LINK_HAND"));
}

bool LinkControl::Create(HINSTANCE instance, HWND parent, CreateWindowFn createWindow, int x, int y,
                         int width, int height, const char* caption, int id) {
    hover = false;
    visited = false;
    hwnd = createWindow(0, kLinkClass, caption, WS_CHILD | WS_CLIPSIBLINGS, x, y, width, height, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, this);
    if (!hwnd) return false;
    SetWindowLongPtrA(hwnd, GWL_EXSTYLE, GetWindowLongPtrA(hwnd, GWL_EXSTYLE) | WS_EX_DLGMODALFRAME);
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

bool LinkControl::OpenLink(int showCommand) const { return OpenAddress(kMakerUrl, showCommand, launchers); }

void LinkControl::SetCursorSize(int32_t size) {
    const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hwnd, GWLP_HINSTANCE));
    // A cursor of the asked size, stretched by the system from the 32 x 32 image.
    cursor_.reset(static_cast<HCURSOR>(LoadImageA(instance, "LINK_HAND", IMAGE_CURSOR, size, size, 0)));
}

// The pointer coming over the control lights it up; the control then holds the
// mouse, so that it also sees the move that takes the pointer away again.
void LinkControl::OnMouseMove(POINT at) {
    if (!hover) {
        hover = true;
        InvalidateRect(hwnd, nullptr, FALSE);
        SetCapture(hwnd);
        // Holding the mouse is not enough: a window that is not in the foreground only
        // sees moves over itself, and neither does any window under Wine when the
        // pointer goes straight to another program's window. The system's leave
        // notice covers those cases.
        TRACKMOUSEEVENT leave{sizeof leave, TME_LEAVE, hwnd, 0};
        TrackMouseEvent(&leave);
        return;
    }
    RECT client{};
    GetClientRect(hwnd, &client);
    if (!PtInRect(&client, at)) {
        OnMouseLeft();
        return;
    }
    if (GetCapture() != hwnd) SetCapture(hwnd);
}

void LinkControl::OnMouseLeft() {
    hover = false;
    if (GetCapture() == hwnd) ReleaseCapture();
    InvalidateRect(hwnd, nullptr, FALSE);
}

void LinkControl::Paint(HDC dc, const RECT& area) const {
    SetBkColor(dc, kBackground);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &area, nullptr, 0, nullptr);
    char text[256];
    int n = GetWindowTextA(hwnd, text, sizeof text);
    const char* shown = text;
    if (n == 0) {  // a link without a caption shows its address
        shown = kMakerUrl;
        n = static_cast<int>(sizeof kMakerUrl - 1);
    }
    RECT client{};
    GetClientRect(hwnd, &client);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, hover ? kHoverColour : visited ? kVisitedColour : kNormalColour);
    const ScopedSelect font(dc, font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
    DrawTextA(dc, shown, n, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX);
}

LRESULT LinkControl::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT:
        return PaintNow(hwnd, [this](HDC dc, const RECT& area) { Paint(dc, area); });
    case WM_LBUTTONDOWN:
        // The press opens the page, not the release; the focus stays where it was.
        visited = OpenLink(SW_SHOW);
        if (visited) InvalidateRect(hwnd, nullptr, FALSE);
        if (afterOpen) afterOpen();
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_MOUSELEAVE:
        if (hover) OnMouseLeft();
        return 0;
    case WM_SETFONT:
        font_ = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam)) InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(font_);
    case WM_SETCURSOR:
        // The class's hand is sized for the system's DPI; over the control the hand
        // of the control's own DPI shows.
        if (LOWORD(lParam) == HTCLIENT && cursor_) {
            SetCursor(cursor_.get());
            return TRUE;
        }
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    case WM_NCDESTROY:
        // The hand goes with the control; the font is its owner's.
        cursor_.reset();
        font_ = nullptr;
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

}  // namespace talvine
