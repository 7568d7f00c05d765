#include "tray/hotkey.h"

#include "tray/hotkey_ids.h"

namespace talvine {

namespace {

HotkeyBook g_book;
HWND g_receiver = nullptr;  // the receiving control of the latest registration
HWND g_watched = nullptr;   // the window whose WM_HOTKEY messages are watched

}  // namespace

int32_t RegisterSystemHotkey(HWND window, HWND receiver, int32_t modifiers, int32_t key) {
    g_receiver = receiver;
    g_watched = window;
    const int32_t id = g_book.Register();
    if (!RegisterHotKey(window, id, static_cast<UINT>(modifiers), static_cast<UINT>(key))) return 0;
    return id;
}

bool UnregisterSystemHotkey(HWND window, int32_t id) {
    const bool ok = UnregisterHotKey(window, id) != FALSE;
    g_book.Unregister();
    if (!g_book.Watching()) g_watched = nullptr;
    return ok;
}

HWND HotkeyReceiver(HWND window, WPARAM id) {
    if (window != g_watched || !g_book.ForwardsToReceiver(static_cast<int64_t>(id))) return nullptr;
    return g_receiver;
}

}  // namespace talvine
