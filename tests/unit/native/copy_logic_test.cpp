// The copy path's portable logic: the chord's events, the drag test, the wait's
// arithmetic and the bounded clipboard read.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "copy/clip_text.h"
#include "copy/drag.h"
#include "copy/key_chord.h"
#include "copy/terminal_chords.h"
#include "copy/wait.h"

namespace talvine {
namespace {

struct ChordCase {
    const char* name;
    int32_t first, second, third;
    std::vector<KeyEvent> expected;
};

class Chord : public ::testing::TestWithParam<ChordCase> {};

TEST_P(Chord, PressesThenReleasesInTheSameOrder) {
    const ChordCase& c = GetParam();
    const KeyChordEvents events = ChordEvents(c.first, c.second, c.third);
    EXPECT_EQ(std::vector<KeyEvent>(events.begin(), events.end()), c.expected);
}

constexpr bool kDown = false, kUp = true;

INSTANTIATE_TEST_SUITE_P(
    Cases, Chord,
    ::testing::Values(
        ChordCase{"CtrlC", 17, 67, 0, {{17, kDown}, {67, kDown}, {17, kUp}, {67, kUp}}},
        ChordCase{"CtrlV", 17, 86, 0, {{17, kDown}, {86, kDown}, {17, kUp}, {86, kUp}}},
        ChordCase{"SecondKeyZero", 17, 0, 0, {{17, kDown}, {17, kUp}}},
        ChordCase{"FirstKeyZeroIsStillTyped", 0, 67, 0, {{0, kDown}, {67, kDown}, {0, kUp}, {67, kUp}}},
        ChordCase{"LowEightBits323", 17, 323, 0, {{17, kDown}, {67, kDown}, {17, kUp}, {67, kUp}}},
        ChordCase{"MinusOneIs255", -1, 0, 0, {{255, kDown}, {255, kUp}}},
        ChordCase{"ThreeKeys", 17, 16, 67,
                  {{17, kDown}, {16, kDown}, {67, kDown}, {17, kUp}, {16, kUp}, {67, kUp}}},
        ChordCase{"ThirdWithoutSecond", 17, 0, 86, {{17, kDown}, {86, kDown}, {17, kUp}, {86, kUp}}},
        ChordCase{"CtrlInsertTypesTheEditingInsert", 17, 45, 0,
                  {{17, kDown}, {45, kDown, 0x52, true}, {17, kUp}, {45, kUp, 0x52, true}}},
        ChordCase{"ShiftInsert", 16, 45, 0, {{16, kDown}, {45, kDown, 0x52, true}, {16, kUp}, {45, kUp, 0x52, true}}},
        ChordCase{"DeleteIsExtendedToo", 17, 46, 0,
                  {{17, kDown}, {46, kDown, 0x53, true}, {17, kUp}, {46, kUp, 0x53, true}}},
        ChordCase{"KeypadZeroIsNot", 17, 0x60, 0, {{17, kDown}, {0x60, kDown}, {17, kUp}, {0x60, kUp}}}),
    [](const auto& p) { return std::string(p.param.name); });

struct DragCase {
    const char* name;
    Point press, release;
    bool drag;
};

class Drag : public ::testing::TestWithParam<DragCase> {};

TEST_P(Drag, IsAnyMovementAtAll) {
    EXPECT_EQ(IsDrag(GetParam().press, GetParam().release), GetParam().drag);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Drag,
    ::testing::Values(DragCase{"SamePoint", {100, 200}, {100, 200}, false},
                      DragCase{"OneRight", {100, 200}, {101, 200}, true},
                      DragCase{"OneLeft", {100, 200}, {99, 200}, true},
                      DragCase{"OneUp", {100, 200}, {100, 199}, true},
                      DragCase{"OneDown", {100, 200}, {100, 201}, true},
                      DragCase{"NoPressSeenReleaseAtOrigin", {0, 0}, {0, 0}, false},
                      DragCase{"NoPressSeenReleaseElsewhere", {0, 0}, {5, 0}, true},
                      DragCase{"NegativeScreenCoordinates", {-1280, -5}, {-1280, -5}, false}),
    [](const auto& p) { return std::string(p.param.name); });

struct WaitCase {
    const char* name;
    uint32_t start;
    int32_t ms;
    uint32_t now;
    bool over;
};

class Wait : public ::testing::TestWithParam<WaitCase> {};

TEST_P(Wait, EndsAtTheFirstReadingPastItsDeadline) {
    const WaitCase& c = GetParam();
    EXPECT_EQ(TickWait(c.start, c.ms).Over(c.now), c.over);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Wait,
    ::testing::Values(WaitCase{"ZeroReturnsAtOnce", 1000, 0, 1000, true},
                      WaitCase{"NegativeReturnsAtOnce", 1000, -5, 1000, true},
                      WaitCase{"NotYet", 1000, 100, 1050, false},
                      WaitCase{"AtTheDeadlineNotYet", 1000, 100, 1100, false},
                      WaitCase{"PastTheDeadline", 1000, 100, 1101, true},
                      WaitCase{"AcrossTheWrapNotYet", 0xFFFFFFF0u, 100, 0x00000040u, false},
                      WaitCase{"AcrossTheWrapPast", 0xFFFFFFF0u, 100, 0x00000055u, true},
                      WaitCase{"DeadlineOnTheWrapItself", 0xFFFFFF9Cu, 100, 0x00000000u, false}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(Wait, ZeroAndNegativeNeedNoWaiting) {
    EXPECT_FALSE(TickWait(0, 0).Needed());
    EXPECT_FALSE(TickWait(0, -5).Needed());
    EXPECT_TRUE(TickWait(0, 1).Needed());
}

struct ClipCase {
    const char* name;
    std::string block;
    std::optional<std::string> text;
};

class ClipboardBlock : public ::testing::TestWithParam<ClipCase> {};

TEST_P(ClipboardBlock, GivesTheBytesUpToTheFirstZeroWithinTheBlock) {
    const std::string& block = GetParam().block;
    // A heap copy of exactly the block's size, so that AddressSanitizer sees a read past its end.
    std::vector<char> heap(block.begin(), block.end());
    EXPECT_EQ(TextFromClipboardBlock(heap.empty() ? nullptr : heap.data(), heap.size()), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ClipboardBlock,
    ::testing::Values(ClipCase{"Terminated", std::string("abc\0", 4), "abc"},
                      ClipCase{"NoZeroInTheBlock", "abcdef", "abcdef"},
                      ClipCase{"ZeroInside", std::string("ab\0cd\0", 6), "ab"},
                      ClipCase{"Empty", "", std::nullopt},
                      ClipCase{"ZeroAtTheFirstByte", std::string("\0abc", 4), std::nullopt},
                      ClipCase{"LineEndsAndGbkKept", std::string("\xB5\xDA\r\nx\0", 6), "\xB5\xDA\r\nx"}),
    [](const auto& p) { return std::string(p.param.name); });

// ----- the chord by the foreground window's class ---------------------------------

struct TerminalCase {
    const char* name;
    std::string windowClass;
    std::optional<ChordKeys> copy, paste;
};

class ForegroundClass : public ::testing::TestWithParam<TerminalCase> {};

TEST_P(ForegroundClass, ChoosesTheChordTheWindowTakes) {
    EXPECT_EQ(ChordFor(ChordPurpose::Copy, GetParam().windowClass), GetParam().copy);
    EXPECT_EQ(ChordFor(ChordPurpose::Paste, GetParam().windowClass), GetParam().paste);
}

INSTANTIATE_TEST_SUITE_P(
    Classes, ForegroundClass,
    ::testing::Values(TerminalCase{"WindowsConsole", "ConsoleWindowClass", kCtrlInsert, kShiftInsert},
                      TerminalCase{"WineConsole", "WineConsoleClass", kCtrlInsert, kShiftInsert},
                      TerminalCase{"WindowsTerminal", "CASCADIA_HOSTING_WINDOW_CLASS", kCtrlInsert, kShiftInsert},
                      TerminalCase{"Mintty", "mintty", kCtrlInsert, kShiftInsert},
                      TerminalCase{"PuTTYCopiesBySelf", "PuTTY", std::nullopt, kShiftInsert},
                      TerminalCase{"KiTTYCopiesBySelf", "KiTTY", std::nullopt, kShiftInsert},
                      TerminalCase{"Notepad", "Notepad", kCtrlC, kCtrlV},
                      TerminalCase{"NoForegroundWindow", "", kCtrlC, kCtrlV},
                      TerminalCase{"ContainsAConsoleName", "MyConsoleWindowClass", kCtrlC, kCtrlV},
                      TerminalCase{"ConsoleNamePrefix", "ConsoleWindowClass2", kCtrlC, kCtrlV},
                      TerminalCase{"OtherCase", "MINTTY", kCtrlC, kCtrlV},
                      TerminalCase{"PuTTYConfigBox", "PuTTYConfigBox", kCtrlC, kCtrlV}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(ForegroundClass, ChordsAreTheirKeys) {
    EXPECT_EQ(kCtrlC, (ChordKeys{17, 67}));
    EXPECT_EQ(kCtrlV, (ChordKeys{17, 86}));
    EXPECT_EQ(kCtrlInsert, (ChordKeys{17, 45}));
    EXPECT_EQ(kShiftInsert, (ChordKeys{16, 45}));
}

// ----- clipboard content marked private ---------------------------------------------

struct MarksCase {
    const char* name;
    ClipboardMarks marks;
    bool isPrivate;
};

class Marks : public ::testing::TestWithParam<MarksCase> {};

TEST_P(Marks, DecideWhetherTheTextMayShow) { EXPECT_EQ(IsPrivate(GetParam().marks), GetParam().isPrivate); }

INSTANTIATE_TEST_SUITE_P(
    Cases, Marks,
    ::testing::Values(MarksCase{"Unmarked", {}, false},
                      MarksCase{"ExcludedFromMonitoring", {true, false, false, std::nullopt}, true},
                      MarksCase{"ViewerIgnore", {false, true, false, std::nullopt}, true},
                      MarksCase{"HistoryFlagZero", {false, false, true, 0u}, true},
                      MarksCase{"HistoryFlagOne", {false, false, true, 1u}, false},
                      MarksCase{"HistoryFlagUnreadable", {false, false, true, std::nullopt}, true},
                      MarksCase{"HistoryFlagOneButExcluded", {true, false, true, 1u}, true}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(Marks, TheHistoryFlagIsALittleEndianDword) {
    const unsigned char one[] = {1, 0, 0, 0};
    const unsigned char big[] = {0, 1, 0, 0, 9};
    const unsigned char shortBlock[] = {0, 0, 0};
    EXPECT_EQ(DwordFromClipboardBlock(one, sizeof one), 1u);
    EXPECT_EQ(DwordFromClipboardBlock(big, sizeof big), 256u);
    EXPECT_EQ(DwordFromClipboardBlock(shortBlock, sizeof shortBlock), std::nullopt);
    EXPECT_EQ(DwordFromClipboardBlock(nullptr, 4), std::nullopt);
}

// ----- drags that select nothing ------------------------------------------------------

struct FilesCase {
    const char* name;
    std::string focus, root;
    bool amongFiles;
};

class AmongFiles : public ::testing::TestWithParam<FilesCase> {};

TEST_P(AmongFiles, OnlyItemViewsOfExplorerOrTheDesktop) {
    EXPECT_EQ(IsAmongFiles(GetParam().focus, GetParam().root), GetParam().amongFiles);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AmongFiles,
    ::testing::Values(FilesCase{"ExplorerItems", "DirectUIHWND", "CabinetWClass", true},
                      FilesCase{"ExplorerTree", "SysTreeView32", "CabinetWClass", true},
                      FilesCase{"OldExplorerList", "SysListView32", "ExploreWClass", true},
                      FilesCase{"DesktopIcons", "SysListView32", "Progman", true},
                      FilesCase{"DesktopBehindWorkerW", "SysListView32", "WorkerW", true},
                      FilesCase{"ExplorerAddressBar", "Edit", "CabinetWClass", false},
                      FilesCase{"RenameBox", "Edit", "Progman", false},
                      FilesCase{"ListInAnotherProgram", "SysListView32", "Notepad", false},
                      FilesCase{"ItemViewOfAnotherProgram", "DirectUIHWND", "OpusApp", false},
                      FilesCase{"NoFocus", "", "", false}),
    [](const auto& p) { return std::string(p.param.name); });

struct StartCase {
    const char* name;
    bool drag;
    PressContext press;
    std::optional<PixelRect> atRelease;
    bool starts;
};

class CopyStarts : public ::testing::TestWithParam<StartCase> {};

TEST_P(CopyStarts, UnlessTheDragMovedAWindowOrFiles) {
    EXPECT_EQ(StartsCopy(GetParam().drag, GetParam().press, GetParam().atRelease), GetParam().starts);
}

constexpr PixelRect kWindow{0, 0, 1024, 340};

INSTANTIATE_TEST_SUITE_P(
    Cases, CopyStarts,
    ::testing::Values(StartCase{"DragOverText", true, {kWindow, false}, kWindow, true},
                      StartCase{"NoDrag", false, {kWindow, false}, kWindow, false},
                      StartCase{"WindowMoved", true, {kWindow, false}, PixelRect{10, 0, 1034, 340}, false},
                      StartCase{"WindowResized", true, {kWindow, false}, PixelRect{0, 0, 1024, 341}, false},
                      StartCase{"AmongFiles", true, {kWindow, true}, kWindow, false},
                      StartCase{"WindowClosedMeanwhile", true, {kWindow, false}, std::nullopt, true},
                      StartCase{"NoWindowUnderThePress", true, {std::nullopt, false}, kWindow, true},
                      StartCase{"NoPressSeen", true, {}, std::nullopt, true}),
    [](const auto& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace talvine
