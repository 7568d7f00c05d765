// The copy switch: the caption of 按钮5 records whether copying is on.
#pragma once

#include <cstdint>

namespace talvine {

struct Button;
class TrayIcon;

// The copy hook, as the switch sees it. The application's owner of the mouse hooks
// provides it; the switch never touches the hook's handle itself.
class CopyWatch {
public:
    virtual void InstallCopyHook() = 0;
    virtual void RemoveCopyHook() = 0;

protected:
    ~CopyWatch() = default;
};

// What the switch acts on, handed in by the application.
struct CopySwitch {
    Button& button;  // 按钮5
    CopyWatch& copyWatch;
    TrayIcon& tray;
};

// Bound to 按钮5's click: switches copying off or on by the caption.
void OnCopySwitchClicked(const CopySwitch& parts);

// Bound to 标签1's feedback: an Esc press switches only when its identifier is the
// one this run registered (hotkeyId, 0 when the registration failed).
void OnHotkeyFeedback(const CopySwitch& parts, int32_t hotkeyId, int32_t first, int32_t second);

}  // namespace talvine
