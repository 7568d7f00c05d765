#include "ui/main_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include <array>

#include "base/dpi.h"
#include "base/window_class.h"
#include "ui/gui_font.h"
#include "ui/tab_order.h"
#include "ui/texts.h"
#include "ui/window_keys.h"

namespace talvine {

namespace {

constexpr char kLabelClass[] = "TalvineLabel";

constexpr DWORD kMainStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kButtonStyle =
    WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE;
constexpr DWORD kEditStyle = WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD kLabelStyle = WS_CHILD | WS_CLIPSIBLINGS;

// Sent from Windows 10 1703 on, so the headers for Windows 7 do not name it.
constexpr UINT kGetDpiScaledSize = 0x02E4;  // WM_GETDPISCALEDSIZE

// Control identifiers, so that notifications can name their sender.
enum ControlId : int { kIdEdit1 = 1, kIdButton5, kIdButton6, kIdLink1, kIdLabel1 };

int32_t KeyStateBits() {
    int32_t state = 0;
    if (GetKeyState(VK_CONTROL) < 0) state |= 1;
    if (GetKeyState(VK_SHIFT) < 0) state |= 2;
    if (GetKeyState(VK_MENU) < 0) state |= 4;
    return state;
}

POINT OuterTopLeftInParent(HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    POINT p{r.left, r.top};
    ScreenToClient(GetParent(control), &p);
    return p;
}

}  // namespace

int32_t EditBox::Left() const { return OuterTopLeftInParent(hwnd).x; }
int32_t EditBox::Top() const { return OuterTopLeftInParent(hwnd).y; }

void EditBox::SetText(const char* text) const { SetWindowTextA(hwnd, text ? text : ""); }

void Button::SetCaption(const char* text) {
    caption = text ? text : "";
    SetWindowTextA(hwnd, caption.c_str());
}

bool MainWindow::RegisterClasses(HINSTANCE instance) {
    // The buttons and the edit box are version 6 of the common controls, which the
    // program's manifest asks for; that version registers them only when asked.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    constexpr UINT kStyle = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    const HCURSOR arrow = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    return RegisterWindowClass<MainWindow>(instance, kMainWindowClass, kStyle, arrow) &&
           RegisterWindowClass<Label>(instance, kLabelClass, kStyle, arrow) &&
           LinkControl::RegisterWindowClass(instance);
}

Extent MainWindow::OuterSize(int32_t dpi) const {
    return OuterSizeAt(dpi, FrameForDpi(kMainStyle, 0, kDesignDpi, *dpiFunctions_),
                       FrameForDpi(kMainStyle, 0, dpi, *dpiFunctions_));
}

bool MainWindow::Create(HINSTANCE instance, const Bindings& bindings, CreateWindowFn createWindow,
                        const DpiFunctions& dpi) {
    bindings_ = bindings;
    dpiFunctions_ = &dpi;
    eventsOn_ = false;
    opened_ = false;
    if (!RegisterClasses(instance)) return false;
    taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");

    // Centred on the primary screen, laid out for the system's DPI; a window that
    // finds itself on a screen of another DPI is laid out again before it shows.
    dpi_ = SystemDpi();
    Extent size = OuterSize(dpi_);
    Point at = CentredOn(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), size);
    hwnd = createWindow(0, kMainWindowClass, texts::kProductName, kMainStyle, at.x, at.y, size.width, size.height,
                        nullptr, nullptr, instance, this);
    if (!hwnd) return false;
    if (const int32_t shownAt = WindowDpi(hwnd, dpi); shownAt != dpi_) {
        dpi_ = shownAt;
        size = OuterSize(dpi_);
        at = CentredOn(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), size);
        SetWindowPos(hwnd, nullptr, at.x, at.y, size.width, size.height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);

    if (!CreateMembers(instance, createWindow)) {
        DestroyWindow(hwnd);  // takes the members created so far with it
        hwnd = nullptr;
        return false;
    }
    ApplyDpi(dpi_);
    return true;
}

bool MainWindow::CreateMembers(HINSTANCE instance, CreateWindowFn createWindow) {
    const MainWindowLayout layout = LayoutAt(dpi_);
    auto child = [&](DWORD exStyle, const char* cls, const char* text, DWORD style, const Box& box, int id) {
        return createWindow(exStyle, cls, text, style, box.x, box.y, box.width, box.height, hwnd,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    };

    // Created left to right, which is also the order Tab moves the focus in.
    编辑框1.hwnd = child(WS_EX_CLIENTEDGE, "EDIT", "", kEditStyle, layout.edit, kIdEdit1);
    if (!编辑框1.hwnd) return false;
    SendMessageA(编辑框1.hwnd, EM_LIMITTEXT, 0, 0);

    按钮5.caption = texts::kCaptionCopyOn;
    按钮5.hwnd = child(0, "BUTTON", 按钮5.caption.c_str(), kButtonStyle, layout.copySwitch, kIdButton5);
    if (!按钮5.hwnd) return false;

    按钮6.caption = texts::kCaptionHelp;
    按钮6.hwnd = child(0, "BUTTON", 按钮6.caption.c_str(), kButtonStyle, layout.help, kIdButton6);
    if (!按钮6.hwnd) return false;

    const Box& link = layout.link;
    if (!超级链接框1.Create(instance, hwnd, createWindow, link.x, link.y, link.width, link.height,
                            texts::kCaptionLink, kIdLink1))
        return false;
    // Opening the page blocks this thread until the shell has started the browser.
    超级链接框1.afterOpen = [this] {
        if (eventsOn_ && bindings_.watchNotice) bindings_.watchNotice(WatchNotice::LongCallEnded);
    };

    标签1.owner_ = this;
    const Box& label = layout.label;
    标签1.hwnd = createWindow(0, kLabelClass, "", kLabelStyle, label.x, label.y, label.width, label.height, hwnd,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(kIdLabel1)), instance, &标签1);
    if (!标签1.hwnd) return false;

    // The balloon's hidden pop-up, owned by the window so that it goes with it.
    return 气球提示框1.Create(instance, hwnd, createWindow, dpi_);
}

HFONT MainWindow::Font() const {
    return static_cast<HFONT>(font_ ? font_.get() : GetStockObject(DEFAULT_GUI_FONT));
}

void MainWindow::ApplyDpi(int32_t dpi) {
    dpi_ = dpi;
    const MainWindowLayout layout = LayoutAt(dpi);
    const auto place = [](HWND w, const Box& b) {
        SetWindowPos(w, nullptr, b.x, b.y, b.width, b.height, SWP_NOZORDER | SWP_NOACTIVATE);
    };
    place(编辑框1.hwnd, layout.edit);
    place(按钮5.hwnd, layout.copySwitch);
    place(按钮6.hwnd, layout.help);
    place(超级链接框1.hwnd, layout.link);
    place(标签1.hwnd, layout.label);

    // The new font reaches every member before the old one goes.
    UniqueGdiObject font(CreateGuiFont(dpi));
    const auto shown = reinterpret_cast<WPARAM>(font ? font.get() : GetStockObject(DEFAULT_GUI_FONT));
    const LPARAM redraw = IsWindowVisible(hwnd) ? TRUE : FALSE;
    SendMessageA(hwnd, WM_SETFONT, shown, redraw);
    for (HWND member : {编辑框1.hwnd, 按钮5.hwnd, 按钮6.hwnd, 超级链接框1.hwnd, 标签1.hwnd})
        SendMessageA(member, WM_SETFONT, shown, redraw);
    font_ = std::move(font);

    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hwnd, GWLP_HINSTANCE));
    UniqueIcon big(static_cast<HICON>(
        LoadImageA(instance, "DEFAULT_ICON", IMAGE_ICON, layout.bigIcon, layout.bigIcon, 0)));
    UniqueIcon small(static_cast<HICON>(
        LoadImageA(instance, "DEFAULT_ICON", IMAGE_ICON, layout.smallIcon, layout.smallIcon, 0)));
    SendMessageA(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
    SendMessageA(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
    bigIcon_ = std::move(big);
    smallIcon_ = std::move(small);

    超级链接框1.SetCursorSize(layout.linkCursor);
    气球提示框1.SetDpi(dpi);
}

void MainWindow::Open() {
    for (HWND child : {超级链接框1.hwnd, 按钮6.hwnd, 编辑框1.hwnd, 按钮5.hwnd, 标签1.hwnd})
        ShowWindow(child, SW_SHOWNA);
    eventsOn_ = true;
    opened_ = true;
    if (bindings_.created) bindings_.created();
    if (Exists() && bindings_.positionChanged) bindings_.positionChanged();
    if (Exists() && bindings_.sizeChanged) bindings_.sizeChanged();
    if (Exists()) ShowWindow(hwnd, SW_SHOW);
}

int32_t MainWindow::Left() const {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r.left;
}

int32_t MainWindow::Top() const {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r.top;
}

void MainWindow::SetVisible(bool visible) const { ShowWindow(hwnd, visible ? SW_SHOW : SW_HIDE); }

WindowPosition MainWindow::Position() const {
    if (IsIconic(hwnd)) return WindowPosition::Minimised;
    if (IsZoomed(hwnd)) return WindowPosition::Maximised;
    return WindowPosition::Normal;
}

void MainWindow::SetPosition(WindowPosition position) const {
    // The program only ever writes Normal; a hidden window keeps its state until shown.
    if (position == WindowPosition::Normal && IsWindowVisible(hwnd)) ShowWindow(hwnd, SW_SHOWNORMAL);
}

void MainWindow::MoveFocus(bool forward) const {
    const std::array<HWND, 3> stops{编辑框1.hwnd, 按钮5.hwnd, 按钮6.hwnd};
    std::array<bool, 3> eligible{};
    int current = -1;
    const HWND focus = GetFocus();
    for (std::size_t i = 0; i < stops.size(); ++i) {
        eligible[i] = IsWindowVisible(stops[i]) && IsWindowEnabled(stops[i]);
        if (stops[i] == focus) current = static_cast<int>(i);
    }
    const int next = NextTabStop(eligible, current, forward);
    if (next < 0) return;
    const HWND target = stops[static_cast<std::size_t>(next)];
    SetFocus(target);
    // Entering the edit box by keyboard selects its text, as in any dialog.
    if (target == 编辑框1.hwnd) SendMessageA(target, EM_SETSEL, 0, -1);
}

bool MainWindow::PreTranslate(const MSG& msg) {
    if (!hwnd || (msg.hwnd != hwnd && !IsChild(hwnd, msg.hwnd))) return false;

    if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
        switch (KeyActionFor(static_cast<uint32_t>(msg.wParam), KeyStateBits())) {
        case KeyAction::Close:
            SendMessageA(hwnd, WM_CLOSE, 0, 0);
            return true;
        case KeyAction::FocusNext:
            MoveFocus(true);
            return true;
        case KeyAction::FocusPrevious:
            MoveFocus(false);
            return true;
        case KeyAction::Consume:
            return true;
        case KeyAction::Deliver:
            return false;
        }
        return false;
    }

    if (msg.message == WM_LBUTTONDOWN && msg.hwnd == 按钮6.hwnd && bindings_.helpPressed) {
        // The event's coordinates are the message's words taken as unsigned.
        const auto x = static_cast<int32_t>(LOWORD(msg.lParam));
        const auto y = static_cast<int32_t>(HIWORD(msg.lParam));
        return bindings_.helpPressed(x, y, KeyStateBits()) == Answer::No;
    }
    return false;
}

void MainWindow::Deliver(const MSG& msg) {
    if (PreTranslate(msg)) return;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

void MainWindow::Paint(HDC dc) const {
    RECT r{};
    GetClientRect(hwnd, &r);
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
}

LRESULT MainWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT:
        return PaintNow(hwnd, [this](HDC dc, const RECT&) { Paint(dc); });
    case WM_PRINTCLIENT:
        Paint(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_CTLCOLOREDIT:
        if (reinterpret_cast<HWND>(lParam) == 编辑框1.hwnd) {
            const auto dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, RGB(0, 0, 0));
            SetBkColor(dc, RGB(255, 255, 255));
            return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
        }
        break;
    case WM_COMMAND:
        if (reinterpret_cast<HWND>(lParam) == 按钮5.hwnd && HIWORD(wParam) == BN_CLICKED) {
            if (eventsOn_ && bindings_.copySwitchClicked) bindings_.copySwitchClicked();
            return 0;
        }
        break;
    case WM_CLOSE:
        if (eventsOn_ && bindings_.mayClose && bindings_.mayClose() == Answer::No) return 0;
        break;
    case WM_QUERYENDSESSION: {
        const LRESULT yes = DefWindowProcA(hwnd, msg, wParam, lParam);
        if (yes && eventsOn_ && bindings_.mayClose && bindings_.mayClose() == Answer::No) return FALSE;
        return yes;
    }
    case WM_MOVE: {
        const LRESULT r = DefWindowProcA(hwnd, msg, wParam, lParam);
        if (eventsOn_ && bindings_.positionChanged) bindings_.positionChanged();
        return r;
    }
    case WM_SIZE: {
        const LRESULT r = DefWindowProcA(hwnd, msg, wParam, lParam);
        if (eventsOn_ && bindings_.sizeChanged) bindings_.sizeChanged();
        return r;
    }
    case WM_ENDSESSION: {
        const LRESULT r = DefWindowProcA(hwnd, msg, wParam, lParam);
        if (eventsOn_ && bindings_.sessionEnded) bindings_.sessionEnded(wParam != FALSE);
        return r;
    }
    case WM_HOTKEY:
        // The hotkey facility's receiver hears of the press first and has handled it
        // before the window's own handling follows.
        if (bindings_.hotkeyReceiver)
            if (const HWND receiver = bindings_.hotkeyReceiver(hwnd, wParam)) SendMessageA(receiver, WM_HOTKEY, wParam, 0);
        break;
    case kTrayCallbackMessage:
        // A version-1 icon reports the mouse message over it in lParam.
        if (const auto type = TrayEventFor(static_cast<uint32_t>(lParam)); type && eventsOn_ && bindings_.trayEvent)
            bindings_.trayEvent(*type);
        return 0;
    case kGetDpiScaledSize: {
        // Moving to a monitor of another DPI, the window asks for the size it would
        // start with there, so that its client area stays the design's, scaled.
        const Extent size = OuterSize(static_cast<int32_t>(wParam));
        auto* pending = reinterpret_cast<SIZE*>(lParam);
        pending->cx = size.width;
        pending->cy = size.height;
        return TRUE;
    }
    case WM_DPICHANGED: {
        // The window moved to a monitor of another DPI (or that monitor's scale was
        // changed): a balloon laid out for the old DPI goes, the members are laid out
        // for the new one, and the window takes the rectangle the system suggests.
        气球提示框1.Hide();
        ApplyDpi(LOWORD(wParam));
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(hwnd, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    case WM_DESTROY:
        if (eventsOn_ && bindings_.destroyed) bindings_.destroyed();
        return 0;
    case WM_NCDESTROY: {
        const bool opened = opened_;
        eventsOn_ = false;
        opened_ = false;
        bigIcon_.reset();
        smallIcon_.reset();
        font_.reset();  // the members that used it are gone
        // The system's controls went before their parent; their handles go too.
        编辑框1.hwnd = 按钮5.hwnd = 按钮6.hwnd = nullptr;
        // A window that failed during creation never ran the loop, and must not leave
        // a WM_QUIT behind to end the error box's own loop.
        if (opened) PostQuitMessage(0);
        return 0;
    }
    case WM_INPUT:
    case WM_TIMER:
    case WM_POWERBROADCAST:
    case WM_WTSSESSION_CHANGE:
        if (const auto notice = WatchNoticeFor(msg, wParam); notice && eventsOn_ && bindings_.watchNotice) {
            bindings_.watchNotice(*notice);
            if (*notice == WatchNotice::CheckDue) return 0;
        }
        break;  // WM_INPUT needs the default handling, which frees the input's data
    default:
        if (msg == taskbarCreated_ && taskbarCreated_ != 0) {
            // While hidden in the tray, the icon is the only way back.
            if (eventsOn_ && bindings_.notificationAreaCreated) bindings_.notificationAreaCreated();
            return 0;
        }
        break;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

LRESULT Label::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT:
        // The label paints its caption itself; it lies outside the visible client
        // area, so this is never seen, but it behaves as a label does.
        return PaintNow(hwnd, [this](HDC dc, const RECT&) {
            char text[256];
            const int n = GetWindowTextA(hwnd, text, sizeof text);
            RECT r{};
            GetClientRect(hwnd, &r);
            FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
            SetBkMode(dc, TRANSPARENT);
            const ScopedSelect font(dc, owner_ ? owner_->Font() : GetStockObject(DEFAULT_GUI_FONT));
            DrawTextA(dc, text, n, &r, DT_LEFT | DT_TOP | DT_NOPREFIX);
        });
    case WM_HOTKEY:
        // A hotkey notification forwarded by the hotkey facility: the feedback event.
        if (owner_ && owner_->eventsOn_ && owner_->bindings_.hotkeyFeedback)
            owner_->bindings_.hotkeyFeedback(static_cast<int32_t>(wParam), 0);
        return 0;
    default:
        break;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace talvine
