#include "paste/paste_hook.h"

#include "base/app_state.h"
#include "copy/press_key_chord.h"

namespace talvine {

namespace {

uint32_t g_lastCall = 0;

}  // namespace

// Ctrl+V, or Shift+Insert into a terminal. Called from the hook on the main thread,
// so it never waits: if a copy worker is typing its chord right now, this one
// follows it, whole, as soon as that is done.
void PasteNow() {
    if (const std::optional<ChordKeys> chord = ChordForForeground(ChordPurpose::Paste))
        PressKeyChordWithoutWaiting(chord->first, chord->second);
}

// Only the press counts; the chord is typed before the press goes on to its window
// unless another chord is being typed at that moment. Every call is stamped, so that
// the hook's owner can tell a hook the system has removed.
LRESULT CALLBACK PasteHookProc(int nCode, WPARAM wParam, LPARAM lParam) {
    g_lastCall = GetTickCount();
    if (wParam == WM_MBUTTONDOWN) PasteNow();
    return CallNextHookEx(appState.pasteHook, nCode, wParam, lParam);
}

uint32_t PasteHookLastCall() { return g_lastCall; }

}  // namespace talvine
