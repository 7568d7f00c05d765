// Beside the user's other programs, under Wine: the chord each kind of foreground
// window gets, as the system sees the keys; clipboard content marked private; and
// the lock that keeps a second copy from starting.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "app/single_instance.h"
#include "copy/clip_text.h"
#include "copy/copy_worker.h"
#include "copy/press_key_chord.h"
#include "paste/paste_hook.h"
#include "test_support.h"

namespace talvine {
namespace {

using test::Chord;
using test::KeyRecorder;
using test::PumpUntil;
using test::Typed;
using test::User;

constexpr BYTE kInsertScan = 0x52;

struct StandIn {
    const char* windowClass;
    std::vector<Typed> copy;   // what a copy types into it
    std::vector<Typed> paste;  // what a paste types into it
};

class ForegroundChords : public ::testing::TestWithParam<StandIn> {
protected:
    void SetUp() override {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = GetParam().windowClass;
        RegisterClassA(&wc);
        window_ = CreateWindowExA(0, GetParam().windowClass, "stand-in", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300,
                                  200, nullptr, nullptr, wc.hInstance, nullptr);
        ASSERT_NE(window_, nullptr);
        SetForegroundWindow(window_);
        ASSERT_TRUE(PumpUntil([this] { return GetForegroundWindow() == window_; }, 3000));
        box_ = CreateWindowExA(0, "EDIT", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        SetCopyTarget(box_);
        recorder_.emplace();
        PressKeyChord(VK_SHIFT, 0);  // the first injections of a process can pass a fresh hook by
        test::PumpFor(300);
        KeyRecorder::Clear();
    }
    void TearDown() override {
        recorder_.reset();
        SetCopyTarget(nullptr);
        DestroyWindow(box_);
        DestroyWindow(window_);
    }
    HWND window_ = nullptr;
    HWND box_ = nullptr;
    std::optional<KeyRecorder> recorder_;
};

TEST_P(ForegroundChords, CopyAndPasteTypeWhatTheWindowTakes) {
    // The copy worker, as a drag would start it; it ends after about 150 ms.
    User([] { CopyWorker(nullptr); }).Finish();
    test::PumpFor(200);
    EXPECT_EQ(KeyRecorder::Seen(), GetParam().copy) << "copy into " << GetParam().windowClass;

    KeyRecorder::Clear();
    PasteNow();
    PumpUntil([] { return KeyRecorder::Seen().size() >= 4; }, 2000);
    EXPECT_EQ(KeyRecorder::Seen(), GetParam().paste) << "paste into " << GetParam().windowClass;
}

const std::vector<Typed> kCtrlInsert = Chord(VK_CONTROL, VK_INSERT, kInsertScan, true);
const std::vector<Typed> kShiftInsert = Chord(VK_SHIFT, VK_INSERT, kInsertScan, true);
const std::vector<Typed> kCtrlC = Chord(VK_CONTROL, 'C');
const std::vector<Typed> kCtrlV = Chord(VK_CONTROL, 'V');

INSTANTIATE_TEST_SUITE_P(
    Classes, ForegroundChords,
    ::testing::Values(StandIn{"ConsoleWindowClass", kCtrlInsert, kShiftInsert},
                      StandIn{"WineConsoleClass", kCtrlInsert, kShiftInsert},
                      StandIn{"CASCADIA_HOSTING_WINDOW_CLASS", kCtrlInsert, kShiftInsert},
                      StandIn{"mintty", kCtrlInsert, kShiftInsert},
                      StandIn{"PuTTY", {}, kShiftInsert},
                      StandIn{"KiTTY", {}, kShiftInsert},
                      StandIn{"TalvineOrdinaryEditor", kCtrlC, kCtrlV},
                      StandIn{"NotminttyReally", kCtrlC, kCtrlV}),
    [](const auto& p) { return std::string(p.param.windowClass); });

// A drag by a window's frame: the window moves while its program handles the mouse,
// after the release. The worker, told the press's window and its rectangle then,
// looks again after its first wait.
class DragThatMovedAWindow : public ForegroundChords {};

TEST_P(DragThatMovedAWindow, TypesNothingAndLeavesTheBoxAlone) {
    SetWindowTextA(box_, "before");
    RECT r{};
    GetWindowRect(window_, &r);
    auto* request = new CopyRequest{window_, PixelRect{r.left, r.top, r.right, r.bottom}};
    SetWindowPos(window_, nullptr, r.left + 40, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    User([request] { CopyWorker(request); }).Finish();
    test::PumpFor(200);
    EXPECT_EQ(KeyRecorder::Seen(), std::vector<Typed>{});
    char text[32] = {};
    GetWindowTextA(box_, text, sizeof text);
    EXPECT_STREQ(text, "before");
}

TEST_P(DragThatMovedAWindow, AWindowThatStayedPutStillCopies) {
    RECT r{};
    GetWindowRect(window_, &r);
    auto* request = new CopyRequest{window_, PixelRect{r.left, r.top, r.right, r.bottom}};
    User([request] { CopyWorker(request); }).Finish();
    test::PumpFor(200);
    EXPECT_EQ(KeyRecorder::Seen(), GetParam().copy);
}

INSTANTIATE_TEST_SUITE_P(Ordinary, DragThatMovedAWindow,
                         ::testing::Values(StandIn{"TalvineDraggedWindow", Chord(VK_CONTROL, 'C'), {}}),
                         [](const auto& p) { return std::string(p.param.windowClass); });

// ----- private clipboard content -------------------------------------------------

class PrivateClipboard : public ::testing::Test {
protected:
    void SetUp() override {
        owner_ = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    }
    void TearDown() override { DestroyWindow(owner_); }

    static HGLOBAL Block(const std::string& bytes) {
        HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
        if (!bytes.empty()) memcpy(GlobalLock(mem), bytes.data(), bytes.size());
        GlobalUnlock(mem);
        return mem;
    }
    // The secret as CF_TEXT, with a marker format holding `marker` (or nothing).
    void PutSecret(const char* format, std::optional<std::string> marker) {
        ASSERT_TRUE(OpenClipboard(owner_));
        EmptyClipboard();
        SetClipboardData(CF_TEXT, Block(std::string("hunter2\0", 8)));
        if (format) SetClipboardData(RegisterClipboardFormatA(format), marker ? Block(*marker) : nullptr);
        CloseClipboard();
    }
    static std::optional<std::string> ReadOnAWorker() {
        std::optional<std::string> text;
        std::thread([&] { text = ReadClipboardText(); }).join();
        return text;
    }
    HWND owner_ = nullptr;
};

const std::string kDwordZero("\0\0\0\0", 4);
const std::string kDwordOne("\1\0\0\0", 4);

TEST_F(PrivateClipboard, MarkedContentIsNeverRead) {
    const struct {
        const char* format;
        std::optional<std::string> marker;
    } marked[] = {{kExcludeFromMonitoringFormat, std::string("\0", 1)},
                  {kExcludeFromMonitoringFormat, std::nullopt},  // delayed rendering, no data yet
                  {kViewerIgnoreFormat, std::string("x")},
                  {kHistoryFlagFormat, kDwordZero},
                  {kHistoryFlagFormat, std::string("\0", 1)}};
    for (const auto& m : marked) {
        PutSecret(m.format, m.marker);
        EXPECT_EQ(ReadOnAWorker(), std::nullopt) << m.format;
    }
}

TEST_F(PrivateClipboard, OrdinaryContentStillShows) {
    PutSecret(nullptr, std::nullopt);
    EXPECT_EQ(ReadOnAWorker(), "hunter2");
    PutSecret(kHistoryFlagFormat, kDwordOne);
    EXPECT_EQ(ReadOnAWorker(), "hunter2") << "a history flag of 1 is an ordinary clipboard";
}

// ----- one copy per session ------------------------------------------------------

TEST(SingleInstance, OnlyTheFirstHoldsTheLockAndItPassesOnWhenTheFirstEnds) {
    std::optional<SingleInstance> first;
    first.emplace();
    ASSERT_TRUE(first->First());
    bool secondWasFirst = true;
    std::thread([&] { secondWasFirst = SingleInstance().First(); }).join();
    EXPECT_FALSE(secondWasFirst);
    first.reset();
    std::thread([&] { secondWasFirst = SingleInstance().First(); }).join();
    EXPECT_TRUE(secondWasFirst);
}

TEST(SingleInstance, AnOwnerThatEndedWithoutLettingGoBlocksNoStart) {
    std::optional<SingleInstance> stillOpen;
    // A thread takes the lock and ends holding it, as a crashed copy would; another
    // handle keeps the mutex alive, so the next start finds it abandoned.
    std::thread([&] { stillOpen.emplace(); }).join();
    ASSERT_TRUE(stillOpen->First());
    EXPECT_TRUE(SingleInstance().First());
}

}  // namespace
}  // namespace talvine
