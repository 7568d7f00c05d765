// The decisions users feel most, as tables: the copy switch, the tray step after a
// move of the window, the tray event that restores it, the hotkey's delivery and the
// watchers' return after a cancelled shutdown.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "app/hook_check.h"
#include "app/session_resume.h"
#include "tray/hotkey_ids.h"
#include "tray/switch_logic.h"
#include "tray/tray_icons.h"
#include "ui/texts.h"
#include "ui/window_events.h"

namespace talvine {
namespace {

const std::string kOn = texts::kCaptionCopyOn;    // "关闭复制": copying is on
const std::string kOff = texts::kCaptionCopyOff;  // "开启复制": copying is off
// A caption one byte away from each, and the same text with a byte more: neither is
// a switch state.
const std::string kOnLastByteChanged = kOn.substr(0, kOn.size() - 1) + "\xC7";
const std::string kOffWithTrailingSpace = kOff + " ";

struct SwitchCase {
    const char* name;
    std::string caption;
    std::optional<SwitchStep> step;
};

class CopySwitchStates : public ::testing::TestWithParam<SwitchCase> {};

TEST_P(CopySwitchStates, CaptionDecidesCaptionHookAndImage) {
    const std::optional<SwitchStep> step = SwitchStepFor(GetParam().caption);
    ASSERT_EQ(step.has_value(), GetParam().step.has_value());
    if (!step) return;
    EXPECT_STREQ(step->caption, GetParam().step->caption);
    EXPECT_EQ(step->copyHook, GetParam().step->copyHook);
    EXPECT_EQ(step->image, GetParam().step->image);
}

INSTANTIATE_TEST_SUITE_P(
    States, CopySwitchStates,
    ::testing::Values(
        SwitchCase{"OnSwitchesOff", kOn, SwitchStep{texts::kCaptionCopyOff, CopyHookChange::Remove, TrayImage::CopyOff}},
        SwitchCase{"OffSwitchesOn", kOff, SwitchStep{texts::kCaptionCopyOn, CopyHookChange::Install, TrayImage::CopyOn}},
        SwitchCase{"EmptyCaptionChangesNothing", "", std::nullopt},
        SwitchCase{"OneByteAwayChangesNothing", kOnLastByteChanged, std::nullopt},
        SwitchCase{"TrailingByteChangesNothing", kOffWithTrailingSpace, std::nullopt},
        SwitchCase{"HelpCaptionChangesNothing", texts::kCaptionHelp, std::nullopt}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(CopySwitchStates, TwoClicksComeBackToTheStart) {
    const std::optional<SwitchStep> off = SwitchStepFor(kOn);
    ASSERT_TRUE(off);
    const std::optional<SwitchStep> on = SwitchStepFor(off->caption);
    ASSERT_TRUE(on);
    EXPECT_EQ(on->caption, kOn);
}

TEST(TrayImages, EachImageIsItsIcoFile) {
    EXPECT_EQ(TrayIconData(TrayImage::CopyOn).data(), IconCopyOn);
    EXPECT_EQ(TrayIconData(TrayImage::CopyOn).size(), sizeof IconCopyOn);
    EXPECT_EQ(TrayIconData(TrayImage::CopyOff).data(), IconCopyOff);
    EXPECT_EQ(TrayIconData(TrayImage::CopyOff).size(), sizeof IconCopyOff);
}

struct MoveCase {
    const char* name;
    bool minimised;
    std::string caption;
    MoveStep step;
};

class WindowMoved : public ::testing::TestWithParam<MoveCase> {};

TEST_P(WindowMoved, OnlyMinimisingGoesToTheTray) {
    EXPECT_EQ(MoveStepFor(GetParam().minimised, GetParam().caption), GetParam().step);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WindowMoved,
    ::testing::Values(MoveCase{"OrdinaryMoveCopyingOn", false, kOn, {}},
                      MoveCase{"OrdinaryMoveCopyingOff", false, kOff, {}},
                      MoveCase{"MinimisedCopyingOn", true, kOn, {true, TrayImage::CopyOn}},
                      MoveCase{"MinimisedCopyingOff", true, kOff, {true, TrayImage::CopyOff}},
                      MoveCase{"MinimisedOtherCaptionHidesWithoutIcon", true, kOnLastByteChanged, {true, std::nullopt}},
                      MoveCase{"MinimisedEmptyCaptionHidesWithoutIcon", true, "", {true, std::nullopt}}),
    [](const auto& p) { return std::string(p.param.name); });

struct TrayEventCase {
    const char* name;
    int32_t type;
    bool restores;
};

class TrayEventRestores : public ::testing::TestWithParam<TrayEventCase> {};

TEST_P(TrayEventRestores, OnlyALeftReleaseBringsTheWindowBack) {
    EXPECT_EQ(RestoresFromTray(static_cast<TrayEvent>(GetParam().type)), GetParam().restores);
}

INSTANTIATE_TEST_SUITE_P(Types, TrayEventRestores,
                         ::testing::Values(TrayEventCase{"LeftRelease", 1, true},
                                           TrayEventCase{"DoubleClick", 2, false},
                                           TrayEventCase{"RightButton", 3, false},
                                           TrayEventCase{"NoType", 0, false},
                                           TrayEventCase{"UnknownType", 4, false}),
                         [](const auto& p) { return std::string(p.param.name); });

// The book after a sequence of registrations (+) and undoings (-), then an identifier.
struct DeliveryCase {
    const char* name;
    std::string history;
    int64_t id;
    bool forwards;
};

class HotkeyDelivery : public ::testing::TestWithParam<DeliveryCase> {};

TEST_P(HotkeyDelivery, GoesToTheReceiverOnlyWhileWatchedAndOnlyForThisRunsIds) {
    HotkeyBook book;
    for (const char step : GetParam().history) {
        if (step == '+') book.Register();
        else book.Unregister();
    }
    EXPECT_EQ(book.ForwardsToReceiver(GetParam().id), GetParam().forwards);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HotkeyDelivery,
    ::testing::Values(DeliveryCase{"NothingRegistered", "", 33001, false},
                      DeliveryCase{"TheRunsEsc", "+", 33001, true},
                      DeliveryCase{"NotYetIssued", "+", 33002, false},
                      DeliveryCase{"BelowTheFirst", "+", 33000, false},
                      DeliveryCase{"Zero", "+", 0, false},
                      DeliveryCase{"ForeignHotkey", "+", 1, false},
                      DeliveryCase{"AfterUndoingNotWatched", "+-", 33001, false},
                      DeliveryCase{"ReRegisteredOldIdStillIssued", "+-+", 33001, true},
                      DeliveryCase{"ReRegisteredNewId", "+-+", 33002, true},
                      DeliveryCase{"OneOfTwoUndoneStillWatched", "++-", 33002, true},
                      DeliveryCase{"UndoneTwiceThenRegistered", "+--+", 33002, true}),
    [](const auto& p) { return std::string(p.param.name); });

struct ResumeCase {
    const char* name;
    bool removed;
    std::string caption;
    ResumeStep step;
};

class CancelledShutdown : public ::testing::TestWithParam<ResumeCase> {};

TEST_P(CancelledShutdown, BringsBackWhatTheClosingRemoved) {
    EXPECT_EQ(ResumeStepFor(GetParam().removed, GetParam().caption), GetParam().step);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CancelledShutdown,
    ::testing::Values(ResumeCase{"NothingRemovedCopyingOn", false, kOn, {}},
                      ResumeCase{"NothingRemovedCopyingOff", false, kOff, {}},
                      ResumeCase{"RemovedCopyingOn", true, kOn, {true, true}},
                      ResumeCase{"RemovedCopyingOff", true, kOff, {true, false}},
                      ResumeCase{"RemovedOtherCaption", true, kOnLastByteChanged, {true, false}}),
    [](const auto& p) { return std::string(p.param.name); });

// ----- telling a removed hook ---------------------------------------------------------

struct LostCase {
    const char* name;
    uint32_t now, witness, lastSign;
    bool lost;
};

class RemovedHook : public ::testing::TestWithParam<LostCase> {};

TEST_P(RemovedHook, IsOneWhoseLastSignIsWellBeforeTheWitnessedInput) {
    EXPECT_EQ(hook_check::HookLost(GetParam().now, GetParam().witness, GetParam().lastSign), GetParam().lost);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RemovedHook,
    ::testing::Values(LostCase{"CalledWithTheInput", 5000, 4000, 4000, false},
                      LostCase{"CalledAfterTheInput", 5000, 4000, 4010, false},
                      LostCase{"CalledJustBefore", 5000, 4000, 3990, false},
                      LostCase{"AtTheGrace", 5000, 4000, 3750, false},
                      LostCase{"PastTheGrace", 5000, 4000, 3749, true},
                      LostCase{"SilentForMinutes", 500000, 499000, 1000, true},
                      LostCase{"AcrossTheWrapAlive", 0x00000100u, 0x00000050u, 0xFFFFFFF0u, false},
                      LostCase{"AcrossTheWrapLost", 0x00000400u, 0x00000300u, 0xFFFFFF00u, true}),
    [](const auto& p) { return std::string(p.param.name); });

struct SignCase {
    const char* name;
    uint32_t now, installedAt, lastCall, sign;
};

class LastSign : public ::testing::TestWithParam<SignCase> {};

TEST_P(LastSign, IsTheLaterOfInstallAndLatestCall) {
    EXPECT_EQ(hook_check::LastSign(GetParam().now, GetParam().installedAt, GetParam().lastCall), GetParam().sign);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LastSign,
    ::testing::Values(SignCase{"CalledSinceInstalled", 9000, 1000, 8000, 8000},
                      SignCase{"NeverCalledSinceReinstalled", 9000, 8500, 3000, 8500},
                      SignCase{"NeverCalledAtAll", 9000, 8500, 0, 8500},
                      SignCase{"AcrossTheWrap", 0x00000200u, 0xFFFFFF00u, 0x00000100u, 0x00000100u}),
    [](const auto& p) { return std::string(p.param.name); });

struct NoticeCase {
    const char* name;
    uint32_t message;
    uint64_t wParam;
    std::optional<WatchNotice> notice;
};

class WatchNotices : public ::testing::TestWithParam<NoticeCase> {};

TEST_P(WatchNotices, ComeFromTheirMessages) {
    EXPECT_EQ(WatchNoticeFor(GetParam().message, GetParam().wParam), GetParam().notice);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, WatchNotices,
    ::testing::Values(NoticeCase{"RawMouseInput", 0x00FF, 0, WatchNotice::MouseInput},
                      NoticeCase{"RawInputInTheBackground", 0x00FF, 1, WatchNotice::MouseInput},
                      NoticeCase{"CheckTimer", 0x0113, kHookCheckTimer, WatchNotice::CheckDue},
                      NoticeCase{"OtherTimer", 0x0113, 7, std::nullopt},
                      NoticeCase{"ResumedAutomatically", 0x0218, 0x12, WatchNotice::ResumedFromSleep},
                      NoticeCase{"Suspending", 0x0218, 0x04, std::nullopt},
                      NoticeCase{"PowerStatusChange", 0x0218, 0x0A, std::nullopt},
                      NoticeCase{"Unlocked", 0x02B1, 0x8, WatchNotice::SessionUnlocked},
                      NoticeCase{"Locked", 0x02B1, 0x7, std::nullopt},
                      NoticeCase{"OrdinaryMessage", 0x0200, 0, std::nullopt}),
    [](const auto& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace talvine
