// Which chord copies and which pastes, by the class of the foreground window. Ctrl+C
// interrupts whatever runs in a console or terminal, and several terminals take
// Ctrl+V as a literal ^V; all of them take Ctrl+Insert to copy and Shift+Insert to
// paste. PuTTY and its forks copy a selection by themselves when the button is
// released. Terminals hosted inside another program (an editor's terminal, a
// browser tab) carry that program's class and get the ordinary chords.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace talvine {

enum class ChordPurpose { Copy, Paste };

struct ChordKeys {
    int32_t first;
    int32_t second;
    friend bool operator==(const ChordKeys&, const ChordKeys&) = default;
};

inline constexpr ChordKeys kCtrlC{17, 67};
inline constexpr ChordKeys kCtrlV{17, 86};
inline constexpr ChordKeys kCtrlInsert{17, 45};
inline constexpr ChordKeys kShiftInsert{16, 45};

// The chord for the foreground window's class, compared whole and case for case;
// none when the window copies by itself.
constexpr std::optional<ChordKeys> ChordFor(ChordPurpose purpose, std::string_view windowClass) {
    constexpr std::string_view kTerminals[] = {
        "ConsoleWindowClass",             // the Windows console host: cmd, PowerShell
        "WineConsoleClass",               // Wine's console host
        "CASCADIA_HOSTING_WINDOW_CLASS",  // Windows Terminal
        "mintty",                         // Git Bash, MSYS2, Cygwin
    };
    constexpr std::string_view kCopyingBySelf[] = {"PuTTY", "KiTTY"};
    for (const std::string_view terminal : kCopyingBySelf)
        if (windowClass == terminal) return purpose == ChordPurpose::Copy ? std::nullopt : std::optional(kShiftInsert);
    for (const std::string_view terminal : kTerminals)
        if (windowClass == terminal) return purpose == ChordPurpose::Copy ? kCtrlInsert : kShiftInsert;
    return purpose == ChordPurpose::Copy ? kCtrlC : kCtrlV;
}

}  // namespace talvine
