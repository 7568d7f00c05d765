// The key events of a chord: the presses of up to three keys, then their releases in
// the same order, so the modifier comes up before the key it modifies.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace talvine {

struct KeyEvent {
    uint8_t vk;
    bool up;
    friend bool operator==(const KeyEvent&, const KeyEvent&) = default;
};

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
            if (i == 0 || keys[i] != 0) out.events[out.count++] = KeyEvent{keys[i], up};
        }
    }
    return out;
}

}  // namespace talvine
