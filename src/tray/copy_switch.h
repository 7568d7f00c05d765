// The copy switch: the caption of 按钮5 records whether copying is on.
#pragma once

#include <cstdint>

namespace talvine {

void OnCopySwitchClicked();
void OnHotkeyFeedback(int32_t first, int32_t second);

}  // namespace talvine
