// The bench's eyes and hands inside Wine: reads windows' state and works the
// clipboard on behalf of the end-to-end tests. Prints one JSON object per line.
// Texts travel as hex, since they are GBK bytes.
//
// Run it with no arguments for its commands: the table kCommands below lists them,
// and the usage text is printed from it.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "hex.h"
#include "json_writer.h"

namespace {

using probe::Json;
using probe::Print;

// A command's arguments, after its name.
using Args = std::span<char* const>;

unsigned long long Number(const char* s) { return std::strtoull(s, nullptr, 0); }

HWND WindowArg(const char* s) { return reinterpret_cast<HWND>(static_cast<UINT_PTR>(Number(s))); }

unsigned long long Handle(HWND w) { return static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(w)); }

std::vector<long long> Corners(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// Text of a window of any process; WM_GETTEXT is marshalled across processes.
std::string WindowText(HWND w) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(w, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length)) return {};
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(w, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, 2000, &copied);
    text.resize(copied);
    return text;
}

std::string ClassOf(HWND w) {
    char name[256] = {};
    GetClassNameA(w, name, sizeof name);
    return name;
}

// The state the tests read of a window; styles are their 32 bits.
void AddWindow(Json& json, HWND w) {
    RECT outer{}, client{};
    GetWindowRect(w, &outer);
    GetClientRect(w, &client);
    POINT origin{0, 0};
    ClientToScreen(w, &origin);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    json.Num("hwnd", Handle(w))
        .Num("pid", pid)
        .Str("class", ClassOf(w))
        .Num("id", static_cast<long>(GetWindowLongPtrA(w, GWLP_ID)))
        .Nums("rect", Corners(outer))
        .Nums("client", Corners(client))
        .Nums("client_origin", {origin.x, origin.y})
        .Num("style", static_cast<unsigned long>(GetWindowLongPtrA(w, GWL_STYLE)))
        .Num("exstyle", static_cast<unsigned long>(GetWindowLongPtrA(w, GWL_EXSTYLE)))
        .Bool("visible", IsWindowVisible(w))
        .Bool("iconic", IsIconic(w))
        .Bool("enabled", IsWindowEnabled(w))
        .Str("text", Hex(WindowText(w)));
}

struct Search {
    std::string title;
    HWND found = nullptr;
    bool byClass = false;
    bool visibleOnly = false;
};

BOOL CALLBACK MatchTitle(HWND w, LPARAM lp) {
    auto* s = reinterpret_cast<Search*>(lp);
    if (s->visibleOnly && !IsWindowVisible(w)) return TRUE;
    char title[512] = {};
    const int n = s->byClass ? GetClassNameA(w, title, sizeof title) : GetWindowTextA(w, title, sizeof title);
    if (std::string(title, static_cast<std::size_t>(n)) == s->title) {
        s->found = w;
        return FALSE;
    }
    return TRUE;
}

HWND FindTopLevel(Search s) {
    EnumWindows(&MatchTitle, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

BOOL CALLBACK CollectChild(HWND w, LPARAM lp) {
    auto* children = reinterpret_cast<std::vector<HWND>*>(lp);
    children->push_back(w);
    return TRUE;
}

int ShowWindowState(const Search& search) {
    const HWND found = FindTopLevel(search);
    if (!found) {
        Print(Json().Bool("found", false));
        return 0;
    }
    std::vector<HWND> all;
    EnumChildWindows(found, &CollectChild, reinterpret_cast<LPARAM>(&all));
    std::vector<Json> children;
    for (HWND c : all) {
        if (GetParent(c) != found) continue;
        RECT r{};
        GetWindowRect(c, &r);
        MapWindowPoints(nullptr, found, reinterpret_cast<POINT*>(&r), 2);
        Json child;
        AddWindow(child, c);
        children.push_back(child.Nums("place", Corners(r)));
    }
    Json json;
    json.Bool("found", true);
    AddWindow(json, found);
    Print(json.Objects("children", children));
    return 0;
}

int CmdWindow(Args a) { return ShowWindowState(Search{FromHex(a[0])}); }
int CmdWindowClass(Args a) { return ShowWindowState(Search{a[0], nullptr, true}); }
int CmdVisibleClass(Args a) { return ShowWindowState(Search{a[0], nullptr, true, true}); }

int CmdFocus(Args) {
    HWND fg = GetForegroundWindow();
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(fg ? GetWindowThreadProcessId(fg, nullptr) : 0, &info);
    Print(Json()
              .Num("foreground", Handle(fg))
              .Str("foreground_title", Hex(WindowText(fg)))
              .Num("focus", Handle(info.hwndFocus))
              .Num("capture", Handle(info.hwndCapture)));
    return 0;
}

bool OpenClipboardPatiently(HWND owner) {
    for (int i = 0; i < 100; ++i) {
        if (OpenClipboard(owner)) return true;
        Sleep(20);
    }
    return false;
}

HWND OwnerWindow() {
    return CreateWindowExA(0, "STATIC", "talvine-probe", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

int CmdClipGet(Args) {
    if (!OpenClipboardPatiently(nullptr)) {
        Print(Json().Bool("opened", false));
        return 1;
    }
    std::vector<long long> formats;
    for (UINT f = EnumClipboardFormats(0); f; f = EnumClipboardFormats(f)) formats.push_back(f);
    std::string text;
    bool hasText = false;
    if (HANDLE h = GetClipboardData(CF_TEXT)) {
        if (const char* p = static_cast<const char*>(GlobalLock(h))) {
            text.assign(p, strnlen(p, GlobalSize(h)));
            hasText = true;
            GlobalUnlock(h);
        }
    }
    CloseClipboard();
    Print(Json().Bool("opened", true).Nums("formats", formats).Bool("has_text", hasText).Str("text", Hex(text)));
    return 0;
}

int SetClipboard(UINT format, HANDLE data) {
    HWND owner = OwnerWindow();
    if (!OpenClipboardPatiently(owner)) return 1;
    EmptyClipboard();
    if (data) SetClipboardData(format, data);
    CloseClipboard();
    DestroyWindow(owner);
    Print(Json().Bool("done", true));
    return 0;
}

// A clipboard block holding the bytes, with a zero after them when asked.
HGLOBAL Block(const std::string& bytes, bool terminated) {
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes.size() + (terminated ? 1 : 0) + (bytes.empty() ? 1 : 0));
    char* p = static_cast<char*>(GlobalLock(mem));
    memcpy(p, bytes.data(), bytes.size());
    if (terminated) p[bytes.size()] = '\0';
    GlobalUnlock(mem);
    return mem;
}

int CmdClipSetText(Args a) { return SetClipboard(CF_TEXT, Block(FromHex(a[0]), true)); }

// Text the way a password manager puts a secret there: with a marker format beside it.
int CmdClipSetMarked(Args a) {
    HWND owner = OwnerWindow();
    if (!OpenClipboardPatiently(owner)) return 1;
    EmptyClipboard();
    SetClipboardData(CF_TEXT, Block(FromHex(a[0]), true));
    SetClipboardData(RegisterClipboardFormatA(a[1]), Block(FromHex(a[2]), false));
    CloseClipboard();
    DestroyWindow(owner);
    Print(Json().Bool("done", true));
    return 0;
}

int CmdClipSetBitmap(Args) {
    HDC screen = GetDC(nullptr);
    HBITMAP bmp = CreateCompatibleBitmap(screen, 8, 8);
    ReleaseDC(nullptr, screen);
    return SetClipboard(CF_BITMAP, bmp);
}

int CmdClipEmpty(Args) { return SetClipboard(0, nullptr); }

void PumpFor(DWORD ms) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

int CmdClipHold(Args a) {
    HWND owner = OwnerWindow();
    if (!OpenClipboardPatiently(owner)) return 1;
    Print(Json().Bool("held", true));
    PumpFor(static_cast<DWORD>(Number(a[0])));
    CloseClipboard();
    DestroyWindow(owner);
    return 0;
}

int CmdHotkeyHold(Args a) {
    const char* titleHex = a.size() > 2 ? a[2] : nullptr;
    HWND owner = OwnerWindow();
    const BOOL ok = RegisterHotKey(owner, 1, 0, static_cast<UINT>(Number(a[0])));
    Print(Json().Bool("held", ok));
    const DWORD start = GetTickCount();
    const DWORD limit = static_cast<DWORD>(Number(a[1]));
    while (ok && GetTickCount() - start < limit) {
        PumpFor(20);
        if (titleHex) {
            const HWND shown = FindTopLevel(Search{FromHex(titleHex)});
            // A shown window has made its start-up registrations: let go.
            if (shown && IsWindowVisible(shown)) break;
        }
    }
    DestroyWindow(owner);
    return ok ? 0 : 1;
}

// Spins instead of sleeping, so that the moment the window shows is seen within a
// fraction of a millisecond: the start-up benchmark times it.
int CmdWaitWindow(Args a) {
    const std::string title = FromHex(a[0]);
    Print(Json().Bool("watching", true));
    const DWORD start = GetTickCount();
    const DWORD limit = static_cast<DWORD>(Number(a[1]));
    while (GetTickCount() - start < limit) {
        const HWND shown = FindTopLevel(Search{title});
        if (shown && IsWindowVisible(shown)) {
            Print(Json().Bool("seen", true));
            return 0;
        }
    }
    Print(Json().Bool("seen", false));
    return 1;
}

int CmdSetText(Args a) {
    const std::string text = FromHex(a[1]);
    DWORD_PTR result = 0;
    const LRESULT ok = SendMessageTimeoutA(WindowArg(a[0]), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                                           SMTO_ABORTIFHUNG, 5000, &result);
    Print(Json().Bool("ok", ok && result));
    return ok ? 0 : 1;
}

int CmdMove(Args a) {
    const BOOL ok = SetWindowPos(WindowArg(a[0]), nullptr, static_cast<int>(std::strtol(a[1], nullptr, 0)),
                                 static_cast<int>(std::strtol(a[2], nullptr, 0)), static_cast<int>(Number(a[3])),
                                 static_cast<int>(Number(a[4])), SWP_NOZORDER | SWP_NOACTIVATE);
    Print(Json().Bool("ok", ok));
    return ok ? 0 : 1;
}

// A stand-in for "the application that has the focus": a focused window that lists
// every key press it receives.
std::vector<long long> g_keys;
LRESULT CALLBACK KeylogProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN) g_keys.push_back(static_cast<long long>(wp));
    return DefWindowProcA(w, msg, wp, lp);
}

int CmdKeylog(Args a) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &KeylogProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = "TalvineProbeKeylog";
    RegisterClassA(&wc);
    HWND w = CreateWindowExA(0, wc.lpszClassName, "talvine-probe keylog", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                             400, 300, 200, nullptr, nullptr, wc.hInstance, nullptr);
    SetForegroundWindow(w);
    SetFocus(w);
    Print(Json().Bool("held", true).Num("hwnd", Handle(w)));
    PumpFor(static_cast<DWORD>(Number(a[0])));
    Print(Json().Nums("keys", g_keys));
    DestroyWindow(w);
    return 0;
}

// A stand-in for another program: a focused top-level window of a given class (a
// terminal's, say), optionally with a focused child of another class (an item
// view). It lists every key event the system sees meanwhile, through a keyboard hook
// that swallows nothing, and, given a text, puts it on the clipboard when Ctrl+Insert
// arrives, as a terminal copies its selection.
struct StandIn {
    std::vector<Json> keys;
    std::string copyText;
    HWND window = nullptr;
    bool ctrl = false;
} g_standIn;
constexpr UINT kStandInCopy = WM_APP + 1;

LRESULT CALLBACK StandInKeys(int code, WPARAM wp, LPARAM lp) {
    if (code == HC_ACTION) {
        const auto* k = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lp);
        const bool up = (k->flags & LLKHF_UP) != 0;
        g_standIn.keys.push_back(Json()
                                     .Num("vk", static_cast<long long>(k->vkCode))
                                     .Bool("up", up)
                                     .Bool("extended", (k->flags & LLKHF_EXTENDED) != 0)
                                     .Bool("injected", (k->flags & LLKHF_INJECTED) != 0));
        if (k->vkCode == VK_CONTROL || k->vkCode == VK_LCONTROL || k->vkCode == VK_RCONTROL) g_standIn.ctrl = !up;
        // At once, as a terminal copies: the copy worker reads the clipboard 50 ms later.
        if (k->vkCode == VK_INSERT && !up && g_standIn.ctrl) SendMessageA(g_standIn.window, kStandInCopy, 0, 0);
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

LRESULT CALLBACK StandInProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kStandInCopy && !g_standIn.copyText.empty()) {
        if (OpenClipboardPatiently(w)) {
            EmptyClipboard();
            SetClipboardData(CF_TEXT, Block(g_standIn.copyText, true));
            CloseClipboard();
        }
        return 0;
    }
    return DefWindowProcA(w, msg, wp, lp);
}

int CmdStandIn(Args a) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA wc{};
    wc.lpfnWndProc = &StandInProc;
    wc.hInstance = instance;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.lpszClassName = a[0];
    RegisterClassA(&wc);
    const bool withChild = a.size() > 2 && std::string_view(a[2]) != "-";
    if (withChild) {
        wc.lpfnWndProc = &DefWindowProcA;
        wc.lpszClassName = a[2];
        RegisterClassA(&wc);
    }
    g_standIn.copyText = a.size() > 3 ? FromHex(a[3]) : std::string();
    HWND w = CreateWindowExA(0, a[0], "talvine-probe stand-in", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 400, 300, 200,
                             nullptr, nullptr, instance, nullptr);
    g_standIn.window = w;
    HWND child = withChild ? CreateWindowExA(0, a[2], "", WS_CHILD | WS_VISIBLE, 0, 0, 280, 150, w, nullptr,
                                             instance, nullptr)
                           : nullptr;
    const HHOOK hook = SetWindowsHookExA(WH_KEYBOARD_LL, &StandInKeys, instance, 0);
    SetForegroundWindow(w);
    SetFocus(child ? child : w);
    Print(Json().Bool("held", true).Num("hwnd", Handle(w)).Num("child", Handle(child)));
    PumpFor(static_cast<DWORD>(Number(a[1])));
    UnhookWindowsHookEx(hook);
    Print(Json().Objects("keys", g_standIn.keys));
    DestroyWindow(w);
    return 0;
}

int CmdResources(Args a) {
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, static_cast<DWORD>(Number(a[0])));
    if (!process) {
        Print(Json().Bool("opened", false));
        return 1;
    }
    DWORD handles = 0;
    const BOOL counted = GetProcessHandleCount(process, &handles);
    Print(Json()
              .Bool("opened", true)
              .Num("gdi", GetGuiResources(process, GR_GDIOBJECTS))
              .Num("user", GetGuiResources(process, GR_USEROBJECTS))
              .Num("handles", counted ? static_cast<long>(handles) : -1L));
    CloseHandle(process);
    return 0;
}

struct OwnedCount {
    DWORD pid;
    int count = 0;
};

BOOL CALLBACK CountOwned(HWND w, LPARAM lp) {
    auto* c = reinterpret_cast<OwnedCount*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid == c->pid) ++c->count;
    return TRUE;
}

BOOL CALLBACK CountOwnedTree(HWND w, LPARAM lp) {
    CountOwned(w, lp);
    EnumChildWindows(w, &CountOwned, lp);
    return TRUE;
}

int CmdWindowsOf(Args a) {
    OwnedCount c{static_cast<DWORD>(Number(a[0]))};
    EnumWindows(&CountOwnedTree, reinterpret_cast<LPARAM>(&c));
    Print(Json().Num("windows", c.count));
    return 0;
}

int CmdWatchText(Args a) {
    HWND w = WindowArg(a[0]);
    const DWORD limit = static_cast<DWORD>(Number(a[1]));
    Print(Json().Bool("held", true));
    std::string last = WindowText(w);
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < limit) {
        const std::string now = WindowText(w);
        if (now != last) {
            Print(Json().Num("t", GetTickCount() - start).Str("text", Hex(now)));
            last = now;
        }
        Sleep(2);
    }
    Print(Json().Bool("done", true));
    return 0;
}

struct Message {
    HWND w;
    UINT msg;
    WPARAM wp;
    LPARAM lp;
};

Message MessageArgs(Args a) {
    return {WindowArg(a[0]), static_cast<UINT>(Number(a[1])), static_cast<WPARAM>(Number(a[2])),
            static_cast<LPARAM>(Number(a[3]))};
}

int CmdPost(Args a) {
    const Message m = MessageArgs(a);
    const BOOL ok = PostMessageA(m.w, m.msg, m.wp, m.lp);
    Print(Json().Bool("ok", ok));
    return ok ? 0 : 1;
}

int CmdSend(Args a) {
    const Message m = MessageArgs(a);
    DWORD_PTR result = 0;
    const LRESULT ok = SendMessageTimeoutA(m.w, m.msg, m.wp, m.lp, SMTO_ABORTIFHUNG, 5000, &result);
    Print(Json().Bool("ok", ok).Num("result", static_cast<unsigned long long>(result)));
    return ok ? 0 : 1;
}

int CmdZOrder(Args) {
    std::vector<Json> windows;
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (!IsWindowVisible(w)) continue;
        windows.push_back(
            Json().Num("hwnd", Handle(w)).Num("owner", Handle(GetWindow(w, GW_OWNER))).Str("class", ClassOf(w)));
    }
    Print(Json().Objects("windows", windows));
    return 0;
}

int CmdSysColor(Args a) {
    const COLORREF c = GetSysColor(static_cast<int>(Number(a[0])));
    Print(Json().Nums("rgb", {GetRValue(c), GetGValue(c), GetBValue(c)}));
    return 0;
}

// A window property of any process's window: GetPropA reads across processes, and
// the program keeps counts there for the bench. An absent property is found: false.
int CmdProp(Args a) {
    const HANDLE value = GetPropA(WindowArg(a[0]), a[1]);
    Print(Json()
              .Bool("found", value != nullptr)
              .Num("value", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(value))));
    return 0;
}

// How wide and tall a window's text is in the system's GUI font (DEFAULT_GUI_FONT,
// made for the system's DPI). Another process's font handle cannot be read here, so
// this is the size the text has in the font the window should draw it in where it is
// shown at the system's DPI, as every window on the bench is.
int CmdTextExtent(Args a) {
    const std::string text = WindowText(WindowArg(a[0]));
    const HDC dc = CreateCompatibleDC(nullptr);
    const HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SIZE extent{};
    GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, old);
    DeleteDC(dc);
    Print(Json().Nums("extent", {extent.cx, extent.cy}));
    return 0;
}

// The title bar and borders that a window of these styles has at DPI, by the
// system's AdjustWindowRectExForDpi (Windows 10 1607 and later; Wine has it).
int CmdFrame(Args a) {
    using Adjust = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    const auto adjust = reinterpret_cast<Adjust>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "AdjustWindowRectExForDpi")));
    RECT r{0, 0, 0, 0};
    const BOOL ok = adjust && adjust(&r, static_cast<DWORD>(Number(a[0])), FALSE, static_cast<DWORD>(Number(a[1])),
                                     static_cast<UINT>(Number(a[2])));
    Print(Json().Bool("ok", ok).Nums("frame", {r.right - r.left, r.bottom - r.top}));
    return ok ? 0 : 1;
}

struct Command {
    const char* name;
    const char* synopsis;     // its arguments, as the usage text shows them
    const char* description;  // one line
    std::size_t minArgs, maxArgs;
    int (*run)(Args);
};

// One row per command: main() dispatches through it and Usage() prints it.
constexpr Command kCommands[] = {
    {"window", "TITLEHEX", "the top-level window with that title, and its children", 1, 1, &CmdWindow},
    {"window-class", "CLASS", "the first top-level window of that class, and its children", 1, 1, &CmdWindowClass},
    {"visible-class", "CLASS", "the same, among the visible windows only", 1, 1, &CmdVisibleClass},
    {"resources", "PID", "GDI and USER objects and kernel handles of a process", 1, 1, &CmdResources},
    {"windows-of", "PID", "how many windows (top-level and child) a process owns", 1, 1, &CmdWindowsOf},
    {"watch-text", "HWND MS", "polls a window's text for MS ms; prints each new value", 2, 2, &CmdWatchText},
    {"keylog", "MS", "shows a focused window for MS ms, then lists the keys it got", 1, 1, &CmdKeylog},
    {"standin", "CLASS MS [CHILDCLASS|- [COPYHEX]]",
     "a focused window of CLASS (and a focused child) for MS ms; lists every key event meanwhile and, given "
     "COPYHEX, puts it on the clipboard at Ctrl+Insert",
     2, 4, &CmdStandIn},
    {"clip-set-marked", "HEX FORMAT DATAHEX", "puts the bytes on the clipboard as CF_TEXT, with FORMAT holding DATAHEX",
     3, 3, &CmdClipSetMarked},
    {"settext", "HWND HEX", "sets a window's text (WM_SETTEXT) to the bytes", 2, 2, &CmdSetText},
    {"move", "HWND X Y W H", "moves and sizes a window without activating it", 5, 5, &CmdMove},
    {"focus", "", "the foreground window and the window with the focus", 0, 0, &CmdFocus},
    {"clip-get", "", "the clipboard's formats and its CF_TEXT bytes", 0, 0, &CmdClipGet},
    {"clip-set-text", "HEX", "puts the bytes on the clipboard as CF_TEXT", 1, 1, &CmdClipSetText},
    {"clip-set-bitmap", "", "puts only a small picture on the clipboard", 0, 0, &CmdClipSetBitmap},
    {"clip-empty", "", "empties the clipboard", 0, 0, &CmdClipEmpty},
    {"clip-hold", "MS", "holds the clipboard open with an owner window", 1, 1, &CmdClipHold},
    {"hotkey-hold", "VK MS [TITLEHEX]", "holds VK (no modifier) as a hotkey for MS ms, or until TITLEHEX shows", 2,
     3, &CmdHotkeyHold},
    {"wait-window", "TITLEHEX MS", "prints {\"watching\": true}, then {\"seen\": true} once that window shows", 2, 2,
     &CmdWaitWindow},
    {"post", "HWND MSG WPARAM LPARAM", "posts a message", 4, 4, &CmdPost},
    {"send", "HWND MSG WPARAM LPARAM", "sends a message and prints the result", 4, 4, &CmdSend},
    {"zorder", "", "the visible top-level windows, topmost first, with owners", 0, 0, &CmdZOrder},
    {"prop", "HWND NAME", "a window property (GetPropA) of any process's window", 2, 2, &CmdProp},
    {"syscolor", "INDEX", "a system colour (GetSysColor) as red, green, blue", 1, 1, &CmdSysColor},
    {"text-extent", "HWND", "a window's text measured in the system's GUI font", 1, 1, &CmdTextExtent},
    {"frame", "STYLE EXSTYLE DPI", "width and height of a window's title bar and borders at DPI", 3, 3, &CmdFrame},
};

int Usage() {
    std::size_t width = 0;
    for (const Command& c : kCommands) width = std::max(width, std::strlen(c.name) + 1 + std::strlen(c.synopsis));
    std::fprintf(stderr, "usage: talvine-probe COMMAND [ARGUMENTS]\n\n");
    for (const Command& c : kCommands) {
        const std::string call = std::string(c.name) + " " + c.synopsis;
        std::fprintf(stderr, "  %-*s  %s\n", static_cast<int>(width), call.c_str(), c.description);
    }
    std::fprintf(stderr,
                 "\nNumbers are decimal or 0x hex; texts are their bytes as hex. The hold commands print\n"
                 "{\"held\": true} once the resource is taken, then keep it for MS ms while pumping messages.\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage();
    const Args args(argv + 2, static_cast<std::size_t>(argc - 2));
    for (const Command& c : kCommands) {
        if (std::string_view(argv[1]) != c.name) continue;
        if (args.size() < c.minArgs || args.size() > c.maxArgs) {
            std::fprintf(stderr, "talvine-probe: %s takes %s\n\n", c.name, *c.synopsis ? c.synopsis : "no arguments");
            return Usage();
        }
        return c.run(args);
    }
    std::fprintf(stderr, "talvine-probe: no command %s\n\n", argv[1]);
    return Usage();
}
