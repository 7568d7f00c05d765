// The bench's eyes and hands inside Wine: reads windows' state and works the
// clipboard on behalf of the end-to-end tests. Prints one JSON object per command.
// Texts travel as hex, since they are GBK bytes.
//
//   talvine-probe window TITLEHEX        the top-level window with that title, and its children
//   talvine-probe window-class CLASS     the first top-level window of that class, and its children
//   talvine-probe visible-class CLASS    the same, among the visible windows only
//   talvine-probe resources PID          GDI and USER objects and kernel handles of a process
//   talvine-probe windows-of PID         how many windows (top-level and child) a process owns
//   talvine-probe watch-text HWND MS     polls a window's text for MS ms; prints each new value
//   talvine-probe keylog MS              shows a focused window for MS ms, then lists the keys it got
//   talvine-probe settext HWND HEX       sets a window's text (WM_SETTEXT) to the bytes
//   talvine-probe move HWND X Y W H      moves and sizes a window without activating it
//   talvine-probe focus                  the foreground window and the window with the focus
//   talvine-probe clip-get               the clipboard's formats and its CF_TEXT bytes
//   talvine-probe clip-set-text HEX      puts the bytes on the clipboard as CF_TEXT
//   talvine-probe clip-set-bitmap        puts only a small picture on the clipboard
//   talvine-probe clip-empty             empties the clipboard
//   talvine-probe clip-hold MS           holds the clipboard open with an owner window
//   talvine-probe hotkey-hold VK MS [TITLEHEX]
//                                        registers VK (no modifier) as a hotkey for MS ms, or
//                                        only until a window with that title has been shown
//   talvine-probe wait-window TITLEHEX MS  prints {"watching": true}, then {"seen": true} as soon as
//                                        a visible top-level window with that title exists
//   talvine-probe post HWND MSG WPARAM LPARAM    posts a message (numbers in decimal or 0x hex)
//   talvine-probe send HWND MSG WPARAM LPARAM    sends it and prints the result
//   talvine-probe zorder                 the visible top-level windows, topmost first, with owners
//   talvine-probe syscolor INDEX         a system colour (GetSysColor) as red, green, blue
//
// The hold commands print {"held": true} once the resource is taken, then keep it for
// MS milliseconds while pumping messages.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "hex.h"

namespace {

unsigned long long Number(const char* s) { return std::strtoull(s, nullptr, 0); }

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

std::string Rect(const RECT& r) {
    char buf[128];
    std::snprintf(buf, sizeof buf, "[%ld, %ld, %ld, %ld]", r.left, r.top, r.right, r.bottom);
    return buf;
}

std::string WindowJson(HWND w) {
    RECT outer{}, client{};
    GetWindowRect(w, &outer);
    GetClientRect(w, &client);
    POINT origin{0, 0};
    ClientToScreen(w, &origin);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    char buf[512];
    std::snprintf(buf, sizeof buf,
                  "\"hwnd\": %llu, \"pid\": %lu, \"class\": \"%s\", \"id\": %ld, \"rect\": %s, "
                  "\"client\": %s, \"client_origin\": [%ld, %ld], \"style\": %lu, \"exstyle\": %lu, "
                  "\"visible\": %s, \"iconic\": %s, \"enabled\": %s, ",
                  static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(w)), pid, ClassOf(w).c_str(),
                  static_cast<long>(GetWindowLongPtrA(w, GWLP_ID)), Rect(outer).c_str(), Rect(client).c_str(),
                  origin.x, origin.y, static_cast<unsigned long>(GetWindowLongPtrA(w, GWL_STYLE)),
                  static_cast<unsigned long>(GetWindowLongPtrA(w, GWL_EXSTYLE)),
                  IsWindowVisible(w) ? "true" : "false", IsIconic(w) ? "true" : "false",
                  IsWindowEnabled(w) ? "true" : "false");
    return std::string(buf) + "\"text\": \"" + Hex(WindowText(w)) + "\"";
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

BOOL CALLBACK CollectChild(HWND w, LPARAM lp) {
    auto* children = reinterpret_cast<std::vector<HWND>*>(lp);
    children->push_back(w);
    return TRUE;
}

int CmdWindow(Search s) {
    EnumWindows(&MatchTitle, reinterpret_cast<LPARAM>(&s));
    if (!s.found) {
        std::printf("{\"found\": false}\n");
        return 0;
    }
    std::vector<HWND> children;
    EnumChildWindows(s.found, &CollectChild, reinterpret_cast<LPARAM>(&children));
    std::string out = "{\"found\": true, " + WindowJson(s.found) + ", \"children\": [";
    bool first = true;
    for (HWND c : children) {
        if (GetParent(c) != s.found) continue;
        RECT r{};
        GetWindowRect(c, &r);
        MapWindowPoints(nullptr, s.found, reinterpret_cast<POINT*>(&r), 2);
        out += std::string(first ? "" : ", ") + "{" + WindowJson(c) + ", \"place\": " + Rect(r) + "}";
        first = false;
    }
    out += "]}";
    std::printf("%s\n", out.c_str());
    return 0;
}

int CmdFocus() {
    HWND fg = GetForegroundWindow();
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(fg ? GetWindowThreadProcessId(fg, nullptr) : 0, &info);
    std::printf("{\"foreground\": %llu, \"foreground_title\": \"%s\", \"focus\": %llu, \"capture\": %llu}\n",
                static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(fg)), Hex(WindowText(fg)).c_str(),
                static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(info.hwndFocus)),
                static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(info.hwndCapture)));
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

int CmdClipGet() {
    if (!OpenClipboardPatiently(nullptr)) {
        std::printf("{\"opened\": false}\n");
        return 1;
    }
    std::string formats;
    for (UINT f = EnumClipboardFormats(0); f; f = EnumClipboardFormats(f))
        formats += (formats.empty() ? "" : ", ") + std::to_string(f);
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
    std::printf("{\"opened\": true, \"formats\": [%s], \"has_text\": %s, \"text\": \"%s\"}\n", formats.c_str(),
                hasText ? "true" : "false", Hex(text).c_str());
    return 0;
}

int SetClipboard(UINT format, HANDLE data) {
    HWND owner = OwnerWindow();
    if (!OpenClipboardPatiently(owner)) return 1;
    EmptyClipboard();
    if (data) SetClipboardData(format, data);
    CloseClipboard();
    DestroyWindow(owner);
    std::printf("{\"done\": true}\n");
    return 0;
}

int CmdClipSetText(const char* hex) {
    const std::string bytes = FromHex(hex);
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes.size() + 1);
    char* p = static_cast<char*>(GlobalLock(mem));
    memcpy(p, bytes.data(), bytes.size());
    p[bytes.size()] = '\0';
    GlobalUnlock(mem);
    return SetClipboard(CF_TEXT, mem);
}

int CmdClipSetBitmap() {
    HDC screen = GetDC(nullptr);
    HBITMAP bmp = CreateCompatibleBitmap(screen, 8, 8);
    ReleaseDC(nullptr, screen);
    return SetClipboard(CF_BITMAP, bmp);
}

void PumpFor(DWORD ms) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

int CmdClipHold(const char* ms) {
    HWND owner = OwnerWindow();
    if (!OpenClipboardPatiently(owner)) return 1;
    std::printf("{\"held\": true}\n");
    std::fflush(stdout);
    PumpFor(static_cast<DWORD>(Number(ms)));
    CloseClipboard();
    DestroyWindow(owner);
    return 0;
}

int CmdHotkeyHold(const char* vk, const char* ms, const char* titleHex) {
    HWND owner = OwnerWindow();
    const BOOL ok = RegisterHotKey(owner, 1, 0, static_cast<UINT>(Number(vk)));
    std::printf("{\"held\": %s}\n", ok ? "true" : "false");
    std::fflush(stdout);
    const DWORD start = GetTickCount();
    const DWORD limit = static_cast<DWORD>(Number(ms));
    while (ok && GetTickCount() - start < limit) {
        PumpFor(20);
        if (titleHex) {
            Search s{FromHex(titleHex)};
            EnumWindows(&MatchTitle, reinterpret_cast<LPARAM>(&s));
            // A shown window has made its start-up registrations: let go.
            if (s.found && IsWindowVisible(s.found)) break;
        }
    }
    DestroyWindow(owner);
    return ok ? 0 : 1;
}

// Spins instead of sleeping, so that the moment the window shows is seen within a
// fraction of a millisecond: the start-up benchmark times it.
int CmdWaitWindow(const char* titleHex, const char* ms) {
    const std::string title = FromHex(titleHex);
    std::printf("{\"watching\": true}\n");
    std::fflush(stdout);
    const DWORD start = GetTickCount();
    const DWORD limit = static_cast<DWORD>(Number(ms));
    while (GetTickCount() - start < limit) {
        Search s{title};
        EnumWindows(&MatchTitle, reinterpret_cast<LPARAM>(&s));
        if (s.found && IsWindowVisible(s.found)) {
            std::printf("{\"seen\": true}\n");
            std::fflush(stdout);
            return 0;
        }
    }
    std::printf("{\"seen\": false}\n");
    return 1;
}

int CmdSetText(const char* hwnd, const char* hex) {
    HWND w = reinterpret_cast<HWND>(static_cast<UINT_PTR>(Number(hwnd)));
    const std::string text = FromHex(hex);
    DWORD_PTR result = 0;
    const LRESULT ok = SendMessageTimeoutA(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                                           SMTO_ABORTIFHUNG, 5000, &result);
    std::printf("{\"ok\": %s}\n", ok && result ? "true" : "false");
    return ok ? 0 : 1;
}

int CmdMove(char** a) {
    HWND w = reinterpret_cast<HWND>(static_cast<UINT_PTR>(Number(a[0])));
    const BOOL ok = SetWindowPos(w, nullptr, static_cast<int>(std::strtol(a[1], nullptr, 0)),
                                 static_cast<int>(std::strtol(a[2], nullptr, 0)), static_cast<int>(Number(a[3])),
                                 static_cast<int>(Number(a[4])), SWP_NOZORDER | SWP_NOACTIVATE);
    std::printf("{\"ok\": %s}\n", ok ? "true" : "false");
    return ok ? 0 : 1;
}

// A stand-in for "the application that has the focus": a focused window that lists
// every key press it receives.
std::string g_keys;
LRESULT CALLBACK KeylogProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN) g_keys += (g_keys.empty() ? "" : ", ") + std::to_string(wp);
    return DefWindowProcA(w, msg, wp, lp);
}

int CmdKeylog(const char* ms) {
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
    std::printf("{\"held\": true, \"hwnd\": %llu}\n", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(w)));
    std::fflush(stdout);
    PumpFor(static_cast<DWORD>(Number(ms)));
    std::printf("{\"keys\": [%s]}\n", g_keys.c_str());
    DestroyWindow(w);
    return 0;
}

int CmdResources(const char* pid) {
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, static_cast<DWORD>(Number(pid)));
    if (!process) {
        std::printf("{\"opened\": false}\n");
        return 1;
    }
    DWORD handles = 0;
    const BOOL counted = GetProcessHandleCount(process, &handles);
    std::printf("{\"opened\": true, \"gdi\": %lu, \"user\": %lu, \"handles\": %ld}\n",
                GetGuiResources(process, GR_GDIOBJECTS), GetGuiResources(process, GR_USEROBJECTS),
                counted ? static_cast<long>(handles) : -1L);
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

int CmdWindowsOf(const char* pid) {
    OwnedCount c{static_cast<DWORD>(Number(pid))};
    EnumWindows(&CountOwnedTree, reinterpret_cast<LPARAM>(&c));
    std::printf("{\"windows\": %d}\n", c.count);
    return 0;
}

int CmdWatchText(const char* hwnd, const char* ms) {
    HWND w = reinterpret_cast<HWND>(static_cast<UINT_PTR>(Number(hwnd)));
    std::printf("{\"held\": true}\n");
    std::fflush(stdout);
    std::string last = WindowText(w);
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < static_cast<DWORD>(Number(ms))) {
        const std::string now = WindowText(w);
        if (now != last) {
            std::printf("{\"t\": %lu, \"text\": \"%s\"}\n", GetTickCount() - start, Hex(now).c_str());
            std::fflush(stdout);
            last = now;
        }
        Sleep(2);
    }
    std::printf("{\"done\": true}\n");
    return 0;
}

int CmdMessage(bool send, char** a) {
    HWND w = reinterpret_cast<HWND>(static_cast<UINT_PTR>(Number(a[0])));
    const UINT msg = static_cast<UINT>(Number(a[1]));
    const WPARAM wp = static_cast<WPARAM>(Number(a[2]));
    const LPARAM lp = static_cast<LPARAM>(Number(a[3]));
    if (send) {
        DWORD_PTR result = 0;
        const LRESULT ok = SendMessageTimeoutA(w, msg, wp, lp, SMTO_ABORTIFHUNG, 5000, &result);
        std::printf("{\"ok\": %s, \"result\": %llu}\n", ok ? "true" : "false",
                    static_cast<unsigned long long>(result));
        return ok ? 0 : 1;
    }
    const BOOL ok = PostMessageA(w, msg, wp, lp);
    std::printf("{\"ok\": %s}\n", ok ? "true" : "false");
    return ok ? 0 : 1;
}

int CmdZOrder() {
    std::string out = "{\"windows\": [";
    bool first = true;
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (!IsWindowVisible(w)) continue;
        char buf[160];
        std::snprintf(buf, sizeof buf, "{\"hwnd\": %llu, \"owner\": %llu, \"class\": \"%s\"}",
                      static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(w)),
                      static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(GetWindow(w, GW_OWNER))),
                      ClassOf(w).c_str());
        out += std::string(first ? "" : ", ") + buf;
        first = false;
    }
    std::printf("%s]}\n", out.c_str());
    return 0;
}

int CmdSysColor(const char* index) {
    const COLORREF c = GetSysColor(static_cast<int>(Number(index)));
    std::printf("{\"rgb\": [%d, %d, %d]}\n", GetRValue(c), GetGValue(c), GetBValue(c));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string cmd = argc > 1 ? argv[1] : "";
    if (cmd == "window" && argc == 3) return CmdWindow(Search{FromHex(argv[2])});
    if (cmd == "window-class" && argc == 3) return CmdWindow(Search{argv[2], nullptr, true});
    if (cmd == "visible-class" && argc == 3) return CmdWindow(Search{argv[2], nullptr, true, true});
    if (cmd == "windows-of" && argc == 3) return CmdWindowsOf(argv[2]);
    if (cmd == "watch-text" && argc == 4) return CmdWatchText(argv[2], argv[3]);
    if (cmd == "resources" && argc == 3) return CmdResources(argv[2]);
    if (cmd == "keylog" && argc == 3) return CmdKeylog(argv[2]);
    if (cmd == "settext" && argc == 4) return CmdSetText(argv[2], argv[3]);
    if (cmd == "focus") return CmdFocus();
    if (cmd == "clip-get") return CmdClipGet();
    if (cmd == "clip-set-text" && argc == 3) return CmdClipSetText(argv[2]);
    if (cmd == "clip-set-bitmap") return CmdClipSetBitmap();
    if (cmd == "clip-empty") return SetClipboard(0, nullptr);
    if (cmd == "clip-hold" && argc == 3) return CmdClipHold(argv[2]);
    if (cmd == "hotkey-hold" && (argc == 4 || argc == 5))
        return CmdHotkeyHold(argv[2], argv[3], argc == 5 ? argv[4] : nullptr);
    if (cmd == "move" && argc == 7) return CmdMove(argv + 2);
    if (cmd == "wait-window" && argc == 4) return CmdWaitWindow(argv[2], argv[3]);
    if ((cmd == "post" || cmd == "send") && argc == 6) return CmdMessage(cmd == "send", argv + 2);
    if (cmd == "zorder") return CmdZOrder();
    if (cmd == "syscolor" && argc == 3) return CmdSysColor(argv[2]);
    std::fprintf(stderr, "usage: talvine-probe COMMAND ... (see the source's header)\n");
    return 2;
}
