#include "copy/press_key_chord.h"

#include <windows.h>

#include "copy/key_chord.h"

namespace talvine {

namespace {

// Copy workers type Ctrl+C on their own threads while the paste types Ctrl+V on the
// main thread. Unserialised, one chord's Ctrl release could fall before another's C
// or V press, which would then reach the application as a plain letter and replace
// the user's selection. Nothing slow happens under this lock.
SRWLOCK g_chordLock = SRWLOCK_INIT;

}  // namespace

void PressKeyChord(int32_t first, int32_t second, int32_t third) {
    const KeyChordEvents chord = ChordEvents(first, second, third);
    AcquireSRWLockExclusive(&g_chordLock);
    for (const KeyEvent& e : chord) keybd_event(e.vk, 0, e.up ? KEYEVENTF_KEYUP : 0, 0);
    ReleaseSRWLockExclusive(&g_chordLock);
}

}  // namespace talvine
