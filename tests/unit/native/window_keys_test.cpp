// What the main window's pre-translation does with each key.
#include "ui/window_keys.h"

#include <gtest/gtest.h>

#include <string>

namespace talvine {
namespace {

constexpr int32_t kCtrl = 1, kShift = 2, kAlt = 4;

struct KeyCase {
    const char* name;
    uint32_t key;
    int32_t modifiers;
    KeyAction expected;
};

class Keys : public ::testing::TestWithParam<KeyCase> {};

TEST_P(Keys, AreTakenOrLeftAsTheWindowDefines) {
    EXPECT_EQ(KeyActionFor(GetParam().key, GetParam().modifiers), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Keys,
    ::testing::Values(KeyCase{"EscCloses", 0x1B, 0, KeyAction::Close},
                      KeyCase{"ShiftEscIsLeftAlone", 0x1B, kShift, KeyAction::Deliver},
                      KeyCase{"CtrlEscIsLeftAlone", 0x1B, kCtrl, KeyAction::Deliver},
                      KeyCase{"TabMovesOn", 0x09, 0, KeyAction::FocusNext},
                      KeyCase{"ShiftTabMovesBack", 0x09, kShift, KeyAction::FocusPrevious},
                      KeyCase{"CtrlTabIsLeftAlone", 0x09, kCtrl, KeyAction::Deliver},
                      KeyCase{"AltShiftTabIsLeftAlone", 0x09, kAlt | kShift, KeyAction::Deliver},
                      KeyCase{"EnterIsConsumed", 0x0D, 0, KeyAction::Consume},
                      KeyCase{"CtrlEnterIsConsumed", 0x0D, kCtrl, KeyAction::Consume},
                      KeyCase{"ShiftEnterIsConsumed", 0x0D, kShift, KeyAction::Consume},
                      KeyCase{"AltEnterIsConsumed", 0x0D, kAlt, KeyAction::Consume},
                      KeyCase{"F1IsConsumed", 0x70, 0, KeyAction::Consume},
                      KeyCase{"ShiftF1IsConsumed", 0x70, kShift, KeyAction::Consume},
                      KeyCase{"LettersGoOn", 'A', 0, KeyAction::Deliver},
                      KeyCase{"F2GoesOn", 0x71, 0, KeyAction::Deliver},
                      KeyCase{"AltF4GoesOn", 0x73, kAlt, KeyAction::Deliver}),
    [](const auto& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace talvine
