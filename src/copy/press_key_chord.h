#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

#include "copy/terminal_chords.h"

namespace talvine {

// The chord for `purpose` that the foreground window takes now, read from its class;
// none when it copies a selection by itself. Asks the system only for the class name,
// which sends no message to the window's program.
std::optional<ChordKeys> ChordForForeground(ChordPurpose purpose);

// Types a chord into whatever window has the keyboard focus. The chord's events
// enter the input stream together: no other chord of this process lands between them.
// The caller waits while another chord is being typed, so copy workers call this.
void PressKeyChord(int32_t first, int32_t second, int32_t third = 0);

// The same chord, for callers that must never wait (a hook procedure on the main
// thread): typed at once when no other chord is being typed, else queued and typed,
// whole, by the thread typing now as soon as its own chord is done. Returns at once
// either way.
void PressKeyChordWithoutWaiting(int32_t first, int32_t second, int32_t third = 0);

// The function that injects one key event; keybd_event unless a test puts a
// recorder here.
using KeyInjector = void(WINAPI*)(BYTE vk, BYTE scan, DWORD flags, ULONG_PTR extra);
void SetKeyInjector(KeyInjector inject);

}  // namespace talvine
