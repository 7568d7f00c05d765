// The help button's handler: pops up the balloon that explains the gestures.
#pragma once

#include <cstdint>

namespace talvine {

class MainWindow;

// Bound to 按钮6's left-button-pressed event; the event's arguments are not used.
void OnHelpPressed(MainWindow& window, int32_t x, int32_t y, int32_t keyState);

}  // namespace talvine
