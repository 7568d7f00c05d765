#pragma once

#include <cstdint>

namespace talvine {

// Types a chord into whatever window has the keyboard focus. The chord's events
// enter the input stream together: no other chord of this process lands between them.
void PressKeyChord(int32_t first, int32_t second, int32_t third = 0);

}  // namespace talvine
