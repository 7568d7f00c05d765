#include "tray/copy_switch.h"

namespace talvine {

void OnCopySwitchClicked() {}

void OnHotkeyFeedback(int32_t, int32_t) {}

}  // namespace talvine
