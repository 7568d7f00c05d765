#include "paste/paste_hook.h"

#include "base/app_state.h"
#include "copy/press_key_chord.h"

namespace talvine {

void PasteNow() { PressKeyChord(VK_CONTROL, 'V'); }

// Only the press counts; the chord is typed before the press goes on to its window.
LRESULT CALLBACK PasteHookProc(int nCode, WPARAM wParam, LPARAM lParam) {
    if (wParam == WM_MBUTTONDOWN) PasteNow();
    return CallNextHookEx(appState.pasteHook, nCode, wParam, lParam);
}

}  // namespace talvine
