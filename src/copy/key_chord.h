// The key events of a chord: the presses of up to three keys, then their releases in
// the same order, so the modifier comes up before the key it modifies.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace talvine {

struct KeyEvent {
    uint8_t vk;
    bool up;
    uint8_t scan = 0;       // 0 for every key but the extended ones below
    bool extended = false;  // sent with the keyboard's extended prefix
    friend bool operator==(const KeyEvent&, const KeyEvent&) = default;
};

// The editing keys that a keyboard sends with the extended prefix, and their scan
// codes. They are typed as a keyboard types them, so that a program telling the
// keypad from the editing keys sees the editing key (without the prefix, Insert is
// keypad 0 while NumLock is on). Every other key is typed by its code alone.
constexpr std::optional<uint8_t> ExtendedScanCode(uint8_t vk) {
    switch (vk) {
    case 0x21: return 0x49;  // Page Up
    case 0x22: return 0x51;  // Page Down
    case 0x23: return 0x4F;  // End
    case 0x24: return 0x47;  // Home
    case 0x25: return 0x4B;  // Left
    case 0x26: return 0x48;  // Up
    case 0x27: return 0x4D;  // Right
    case 0x28: return 0x50;  // Down
    case 0x2D: return 0x52;  // Insert
    case 0x2E: return 0x53;  // Delete
    default: return std::nullopt;
    }
}

struct KeyChordEvents {
    std::array<KeyEvent, 6> events{};
    std::size_t count = 0;

    const KeyEvent* begin() const { return events.data(); }
    const KeyEvent* end() const { return events.data() + count; }
};

// Only a key's low 8 bits count. The first key is pressed and released whatever its
// code, 0 included; the second and third only when their code is not 0.
constexpr KeyChordEvents ChordEvents(int32_t first, int32_t second, int32_t third = 0) {
    const uint8_t keys[3] = {static_cast<uint8_t>(first & 0xFF), static_cast<uint8_t>(second & 0xFF),
                             static_cast<uint8_t>(third & 0xFF)};
    KeyChordEvents out;
    for (bool up : {false, true}) {
        for (int i = 0; i < 3; ++i) {
            if (i != 0 && keys[i] == 0) continue;
            const std::optional<uint8_t> scan = ExtendedScanCode(keys[i]);
            out.events[out.count++] = KeyEvent{keys[i], up, scan.value_or(0), scan.has_value()};
        }
    }
    return out;
}

}  // namespace talvine
