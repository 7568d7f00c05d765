// What the main window's pre-translation does with a key going down, before the
// message loop would translate it into characters.
#pragma once

#include <cstdint>

namespace talvine {

enum class KeyAction {
    Deliver,        // the key goes on to its window as usual
    Close,          // the window sends itself WM_CLOSE; the key is consumed
    FocusNext,      // Tab: the focus moves on; the key is consumed
    FocusPrevious,  // Shift+Tab
    Consume,        // the key has no effect and reaches no window
};

// `modifiers` is 1 for Ctrl, plus 2 for Shift, plus 4 for Alt.
constexpr KeyAction KeyActionFor(uint32_t virtualKey, int32_t modifiers) {
    switch (virtualKey) {
    case 0x1B:  // VK_ESCAPE
        return modifiers == 0 ? KeyAction::Close : KeyAction::Deliver;
    case 0x09:  // VK_TAB
        if (modifiers == 0) return KeyAction::FocusNext;
        if (modifiers == 2) return KeyAction::FocusPrevious;
        return KeyAction::Deliver;
    case 0x0D:  // VK_RETURN
    case 0x70:  // VK_F1
        // No button is a default button and there is no help file. Taken before
        // translation, Enter never becomes a character that the single-line edit
        // box rejects with the system's beep, with any modifier (Ctrl+Enter would
        // be a line feed), and F1 never becomes WM_HELP.
        return KeyAction::Consume;
    default:
        return KeyAction::Deliver;
    }
}

}  // namespace talvine
