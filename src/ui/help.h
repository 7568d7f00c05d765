// The help button's handler: pops up the balloon that explains the gestures.
#pragma once

#include <cstdint>

namespace talvine {

void OnHelpPressed(int32_t x, int32_t y, int32_t keyState);

}  // namespace talvine
