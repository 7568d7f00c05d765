// Telling a mouse hook that the system has removed. Windows removes a low-level hook
// without a word when its procedure is slow to return; the program then looks as if
// it worked while nothing is copied or pasted. Every call of a hook procedure is
// stamped with the tick count, and a witness that does not depend on the hooks (raw
// mouse input sent to the main window) stamps the mouse input it sees. A hook whose
// last sign of life is well before mouse input the witness saw has been removed.
//
// Ticks are the 32-bit millisecond count; every comparison is of ages (now minus a
// stamp), so the counter's wrap every 49.7 days changes nothing.
#pragma once

#include <cstdint>

namespace talvine::hook_check {

// How much earlier than the witness's latest input a hook's last call may be. A
// working hook is called for the same events the witness sees, within milliseconds
// of it; the margin covers the two reaching the main thread in either order.
inline constexpr uint32_t kGraceMs = 250;

// The check runs this long after the first mouse input that the witness sees while
// no check is pending: never more often than once a second, and never while the
// mouse is idle.
inline constexpr uint32_t kDelayMs = 1000;

// The later of two stamps: when the hook was installed, and its latest call.
constexpr uint32_t LastSign(uint32_t now, uint32_t installedAt, uint32_t lastCall) {
    return static_cast<uint32_t>(now - lastCall) < static_cast<uint32_t>(now - installedAt) ? lastCall : installedAt;
}

// Whether a hook last seen alive at `lastSign` has been removed, given the witness's
// latest mouse input at `witness`.
constexpr bool HookLost(uint32_t now, uint32_t witness, uint32_t lastSign) {
    const uint32_t witnessAge = now - witness;
    const uint32_t signAge = now - lastSign;
    return signAge > witnessAge && signAge - witnessAge > kGraceMs;
}

}  // namespace talvine::hook_check
