// The copy switch's and the tray presence's decisions, as plain values: the caption
// of 按钮5 (the switch's only record, read here and never kept) and the window's
// state in; what to do out.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "tray/tray_icons.h"
#include "ui/texts.h"
#include "ui/window_events.h"

namespace talvine {

// The image the tray icon shows for a switch state.
enum class TrayImage { CopyOn, CopyOff };

// The ICO bytes of each image.
constexpr std::span<const uint8_t> TrayIconData(TrayImage image) {
    return image == TrayImage::CopyOn ? std::span<const uint8_t>(IconCopyOn) : std::span<const uint8_t>(IconCopyOff);
}

enum class CopyHookChange { Remove, Install };

// One click of the switch, or one Esc: the caption to write, what happens to the
// copy hook, and the tray icon's new image (set without a tooltip).
struct SwitchStep {
    const char* caption;
    CopyHookChange copyHook;
    TrayImage image;
    friend bool operator==(const SwitchStep&, const SwitchStep&) = default;
};

// The caption names the action the button offers: "关闭复制" while copying is on,
// "开启复制" while it is off. Compared byte for byte; any other caption is left
// alone, and so is everything else.
constexpr std::optional<SwitchStep> SwitchStepFor(std::string_view caption) {
    if (caption == texts::kCaptionCopyOn) return SwitchStep{texts::kCaptionCopyOff, CopyHookChange::Remove, TrayImage::CopyOff};
    if (caption == texts::kCaptionCopyOff) return SwitchStep{texts::kCaptionCopyOn, CopyHookChange::Install, TrayImage::CopyOn};
    return std::nullopt;
}

// After a move of the main window: a minimised window leaves the screen and the
// taskbar, and the tray shows the switch's state with the product name as tooltip.
struct MoveStep {
    bool hide = false;
    std::optional<TrayImage> image;  // none: the tray icon is not touched
    friend bool operator==(const MoveStep&, const MoveStep&) = default;
};

constexpr MoveStep MoveStepFor(bool minimised, std::string_view caption) {
    if (!minimised) return {};
    if (caption == texts::kCaptionCopyOn) return {true, TrayImage::CopyOn};
    if (caption == texts::kCaptionCopyOff) return {true, TrayImage::CopyOff};
    return {true, std::nullopt};
}

// Only a left-button release over the icon brings the window back (shown, restored,
// the icon removed); double clicks and the right button do nothing.
constexpr bool RestoresFromTray(TrayEvent type) { return type == TrayEvent::LeftButtonUp; }

}  // namespace talvine
