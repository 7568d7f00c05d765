#include "tray/copy_switch.h"

#include <string>

#include "app/app_state.h"
#include "copy/copy_hook.h"
#include "tray/tray_icon.h"
#include "tray/tray_icons.h"
#include "ui/main_window.h"
#include "ui/texts.h"

namespace talvine {

// The caption of 按钮5 is the switch's only record: it names the action the button
// offers. Switching off removes the copy hook altogether; switching on installs a new
// one. The tray icon follows, and is left without a tooltip.
void OnCopySwitchClicked() {
    if (窗口.按钮5.Caption() == texts::kCaptionCopyOn) {
        窗口.按钮5.SetCaption(texts::kCaptionCopyOff);
        UnhookWindowsHookEx(appState.copyHook);
        SetTrayIcon(窗口, IconCopyOff);
    } else if (窗口.按钮5.Caption() == texts::kCaptionCopyOff) {
        窗口.按钮5.SetCaption(texts::kCaptionCopyOn);
        appState.copyHook = InstallCopyHook();
        SetTrayIcon(窗口, IconCopyOn);
    }
}

// Esc arrives as the feedback of 标签1; only this run's Esc registration switches.
void OnHotkeyFeedback(int32_t first, int32_t) {
    if (first == appState.hotkeyId) OnCopySwitchClicked();
}

}  // namespace talvine
