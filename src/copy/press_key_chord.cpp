#include "copy/press_key_chord.h"

#include <atomic>
#include <deque>
#include <string_view>

#include "copy/key_chord.h"

namespace talvine {

namespace {

// Copy workers type Ctrl+C on their own threads while the paste types Ctrl+V on the
// main thread. Unserialised, one chord's Ctrl release could fall before another's C
// or V press, which would then reach the application as a plain letter and replace
// the user's selection. So one chord is typed at a time, under g_typing. The main
// thread never waits for it: a hook procedure that waits can be removed by the
// system, and a re-entrant call on the thread that holds the lock would wait on
// itself. Its chords go to g_queued instead, whose lock is held only to push or pop,
// and whoever holds g_typing types them before letting go.
SRWLOCK g_typing = SRWLOCK_INIT;
SRWLOCK g_queueLock = SRWLOCK_INIT;
std::deque<KeyChordEvents> g_queued;
std::atomic<KeyInjector> g_inject{&keybd_event};

void Type(const KeyChordEvents& chord) {
    const KeyInjector inject = g_inject.load();
    for (const KeyEvent& e : chord)
        inject(e.vk, e.scan, (e.up ? KEYEVENTF_KEYUP : 0) | (e.extended ? KEYEVENTF_EXTENDEDKEY : 0), 0);
}

bool PopQueued(KeyChordEvents& chord) {
    AcquireSRWLockExclusive(&g_queueLock);
    const bool any = !g_queued.empty();
    if (any) {
        chord = g_queued.front();
        g_queued.pop_front();
    }
    ReleaseSRWLockExclusive(&g_queueLock);
    return any;
}

bool AnyQueued() {
    AcquireSRWLockShared(&g_queueLock);
    const bool any = !g_queued.empty();
    ReleaseSRWLockShared(&g_queueLock);
    return any;
}

// Called holding g_typing: types every queued chord, then lets go. A chord queued
// after the last look but before the release would be left behind, so after letting
// go it looks once more and, if it can take the lock again, goes on; if it cannot,
// the thread that took it does the same before it lets go.
void TypeQueuedAndLetGo() {
    do {
        KeyChordEvents chord;
        while (PopQueued(chord)) Type(chord);
        ReleaseSRWLockExclusive(&g_typing);
    } while (AnyQueued() && TryAcquireSRWLockExclusive(&g_typing));
}

}  // namespace

std::optional<ChordKeys> ChordForForeground(ChordPurpose purpose) {
    char name[256] = {};
    const HWND foreground = GetForegroundWindow();
    const int n = foreground ? GetClassNameA(foreground, name, sizeof name) : 0;
    return ChordFor(purpose, std::string_view(name, n > 0 ? static_cast<std::size_t>(n) : 0));
}

void PressKeyChord(int32_t first, int32_t second, int32_t third) {
    const KeyChordEvents chord = ChordEvents(first, second, third);
    AcquireSRWLockExclusive(&g_typing);
    Type(chord);
    TypeQueuedAndLetGo();
}

void PressKeyChordWithoutWaiting(int32_t first, int32_t second, int32_t third) {
    AcquireSRWLockExclusive(&g_queueLock);
    g_queued.push_back(ChordEvents(first, second, third));
    ReleaseSRWLockExclusive(&g_queueLock);
    if (TryAcquireSRWLockExclusive(&g_typing)) TypeQueuedAndLetGo();
}

void SetKeyInjector(KeyInjector inject) { g_inject.store(inject ? inject : &keybd_event); }

}  // namespace talvine
