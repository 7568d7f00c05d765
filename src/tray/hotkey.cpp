#include "tray/hotkey.h"

#include "tray/hotkey_ids.h"

namespace talvine {

namespace {

HotkeyBook g_book;
HWND g_receiver = nullptr;
HWND g_watched = nullptr;
WNDPROC g_originalProc = nullptr;

// Watches the window's messages: a WM_HOTKEY with an identifier issued in this run is
// first forwarded to the receiving control, which raises its feedback event, and only
// then gets the window's own handling.
LRESULT CALLBACK WatchProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    const WNDPROC original = g_originalProc;
    if (msg == WM_HOTKEY && g_book.Watching() && g_book.Issued(static_cast<int64_t>(wp)) && g_receiver)
        SendMessageA(g_receiver, WM_HOTKEY, wp, 0);
    return CallWindowProcA(original, w, msg, wp, lp);
}

void StartWatching(HWND window) {
    if (g_watched == window) return;
    g_originalProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WatchProc)));
    g_watched = window;
}

void StopWatching() {
    // Put the window's own procedure back, unless someone has wrapped ours since.
    if (g_watched && IsWindow(g_watched) &&
        GetWindowLongPtrA(g_watched, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&WatchProc))
        SetWindowLongPtrA(g_watched, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_originalProc));
    g_watched = nullptr;
}

}  // namespace

int32_t RegisterSystemHotkey(HWND window, HWND receiver, int32_t modifiers, int32_t key) {
    g_receiver = receiver;
    const int32_t id = g_book.Register();
    StartWatching(window);
    if (!RegisterHotKey(window, id, static_cast<UINT>(modifiers), static_cast<UINT>(key))) return 0;
    return id;
}

bool UnregisterSystemHotkey(HWND window, int32_t id) {
    const bool ok = UnregisterHotKey(window, id) != FALSE;
    g_book.Unregister();
    if (!g_book.Watching()) StopWatching();
    return ok;
}

}  // namespace talvine
