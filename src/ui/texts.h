// The program's texts, as the GBK bytes that the ANSI Win32 functions receive.
// Each is defined once, with its readable form beside it; a unit test checks every
// one against an independent GBK conversion of that readable form.
#pragma once

namespace talvine::texts {

// Window title, tray tooltip and product name.
// "Talvine复制粘贴精简版V1.0"
inline constexpr char kProductName[] = "Talvine\xB8\xB4\xD6\xC6\xD5\xB3\xCC\xF9\xBE\xAB\xBC\xF2\xB0\xE6V1.0";

// Caption of the copy switch while copying is on (it offers to turn copying off).
// "关闭复制"
inline constexpr char kCaptionCopyOn[] = "\xB9\xD8\xB1\xD5\xB8\xB4\xD6\xC6";

// Caption of the copy switch while copying is off.
// "开启复制"
inline constexpr char kCaptionCopyOff[] = "\xBF\xAA\xC6\xF4\xB8\xB4\xD6\xC6";

// Caption of the help button.
// "说明"
inline constexpr char kCaptionHelp[] = "\xCB\xB5\xC3\xF7";

// Caption of the web link.
// "官网"
inline constexpr char kCaptionLink[] = "\xB9\xD9\xCD\xF8";

// The help balloon's text: two sentences with an empty line between them.
// "鼠标划取文本，按鼠标中键就可以粘贴。\r\n\r\n按键盘Esc可以切换关闭和开启复制功能。"
inline constexpr char kHelpText[] = "\xCA\xF3\xB1\xEA\xBB\xAE\xC8\xA1\xCE\xC4\xB1\xBE\xA3\xAC\xB0\xB4\xCA\xF3\xB1\xEA\xD6\xD0\xBC\xFC\xBE\xCD\xBF\xC9\xD2\xD4\xD5\xB3\xCC\xF9\xA1\xA3\x0D\x0A\x0D\x0A\xB0\xB4\xBC\xFC\xC5\xCC" "Esc\xBF\xC9\xD2\xD4\xC7\xD0\xBB\xBB\xB9\xD8\xB1\xD5\xBA\xCD\xBF\xAA\xC6\xF4\xB8\xB4\xD6\xC6\xB9\xA6\xC4\xDC\xA1\xA3";

// Shown when the main window or one of its controls cannot be created.
// "启动窗口载入失败。"
inline constexpr char kStartupFailed[] = "\xC6\xF4\xB6\xAF\xB4\xB0\xBF\xDA\xD4\xD8\xC8\xEB\xCA\xA7\xB0\xDC\xA1\xA3";

// The help balloon's font (SimSun).
// "宋体"
inline constexpr char kBalloonFontFace[] = "\xCB\xCE\xCC\xE5";

}  // namespace talvine::texts
