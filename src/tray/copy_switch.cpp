#include "tray/copy_switch.h"

#include <optional>

#include "tray/switch_logic.h"
#include "tray/tray_icon.h"
#include "ui/main_window.h"

namespace talvine {

// Switching off removes the copy hook altogether; switching on installs a new one.
// The tray icon follows, and is left without a tooltip.
void OnCopySwitchClicked(const CopySwitch& parts) {
    const std::optional<SwitchStep> step = SwitchStepFor(parts.button.Caption());
    if (!step) return;
    parts.button.SetCaption(step->caption);
    if (step->copyHook == CopyHookChange::Remove)
        parts.copyWatch.RemoveCopyHook();
    else
        parts.copyWatch.InstallCopyHook();
    SetTrayIcon(parts.tray, TrayIconData(step->image));
}

void OnHotkeyFeedback(const CopySwitch& parts, int32_t hotkeyId, int32_t first, int32_t) {
    if (first == hotkeyId) OnCopySwitchClicked(parts);
}

}  // namespace talvine
