// The tray and hotkey logic: identifier issuing, the notification record's decisions
// and fields, the event mapping, the tooltip cut and reading ICO bytes.
#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "tray/hotkey_ids.h"
#include "tray/ico.h"
#include "tray/tray_icons.h"
#include "tray/tray_record.h"
#include "ui/texts.h"
#include "ui/window_events.h"

namespace talvine {
namespace {

TEST(HotkeyBook, IssuesFrom33001AndNeverReusesAnIdentifier) {
    HotkeyBook book;
    EXPECT_FALSE(book.Watching());
    EXPECT_FALSE(book.Issued(33001));
    EXPECT_EQ(book.Register(), 33001);
    EXPECT_TRUE(book.Watching());
    EXPECT_TRUE(book.Issued(33001));
    EXPECT_FALSE(book.Issued(33002));
    EXPECT_FALSE(book.Issued(33000));
    EXPECT_FALSE(book.Issued(0));

    book.Unregister();
    EXPECT_FALSE(book.Watching()) << "no registration left";
    EXPECT_TRUE(book.Issued(33001)) << "issued stays issued for the run";

    EXPECT_EQ(book.Register(), 33002);
    EXPECT_TRUE(book.Watching()) << "a registration after an undone one is watched again";
}

TEST(HotkeyBook, WatchingLastsUntilEveryRegistrationIsUndone) {
    HotkeyBook book;
    book.Register();
    book.Register();
    book.Unregister();
    EXPECT_TRUE(book.Watching());
    book.Unregister();
    EXPECT_FALSE(book.Watching());
}

TEST(HotkeyBook, UndoingMoreThanWasRegisteredDoesNotHideTheNextRegistration) {
    HotkeyBook book;
    book.Register();
    book.Unregister();
    book.Unregister();  // closing after a log-off that was cancelled
    book.Register();
    EXPECT_TRUE(book.Watching());
    book.Unregister();
    EXPECT_FALSE(book.Watching());
}

struct TrayCase {
    bool shown, newIcon;
    TrayCall call;
    uint32_t flags, callback;
};

class TrayRecord : public ::testing::TestWithParam<TrayCase> {};

TEST_P(TrayRecord, DecisionAndFields) {
    const TrayCase& c = GetParam();
    EXPECT_EQ(TrayCallFor(c.shown, c.newIcon), c.call);
    if (c.call != TrayCall::None) {
        EXPECT_EQ(TrayFieldsFor(c.call).flags, c.flags);
        EXPECT_EQ(TrayFieldsFor(c.call).callbackMessage, c.callback);
    }
}

INSTANTIATE_TEST_SUITE_P(EachPair, TrayRecord,
                         ::testing::Values(TrayCase{false, false, TrayCall::None, 0, 0},
                                           TrayCase{false, true, TrayCall::Add, 7, 0x8064},
                                           TrayCase{true, true, TrayCall::Modify, 7, 0x8064},
                                           TrayCase{true, false, TrayCall::Delete, 0, 0}));

struct TrayEventCase {
    const char* name;
    uint32_t message;
    std::optional<TrayEvent> event;
};

class TrayEvents : public ::testing::TestWithParam<TrayEventCase> {};

TEST_P(TrayEvents, MapTheMouseMessageOverTheIcon) {
    EXPECT_EQ(TrayEventFor(GetParam().message), GetParam().event);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, TrayEvents,
    ::testing::Values(TrayEventCase{"LeftUp", 0x0202, TrayEvent::LeftButtonUp},
                      TrayEventCase{"LeftDoubleClick", 0x0203, TrayEvent::LeftDoubleClick},
                      TrayEventCase{"RightUp", 0x0205, TrayEvent::RightButton},
                      TrayEventCase{"ContextMenuKey", 0x007B, TrayEvent::RightButton},
                      TrayEventCase{"LeftDown", 0x0201, std::nullopt},
                      TrayEventCase{"Move", 0x0200, std::nullopt},
                      TrayEventCase{"RightDown", 0x0204, std::nullopt},
                      TrayEventCase{"RightDoubleClick", 0x0206, std::nullopt},
                      TrayEventCase{"MiddleDown", 0x0207, std::nullopt},
                      TrayEventCase{"MiddleUp", 0x0208, std::nullopt},
                      TrayEventCase{"VersionFourSelect", 0x0400, std::nullopt}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(TrayEvents, TypesCarryTheirNumbers) {
    EXPECT_EQ(static_cast<int32_t>(TrayEvent::LeftButtonUp), 1);
    EXPECT_EQ(static_cast<int32_t>(TrayEvent::LeftDoubleClick), 2);
    EXPECT_EQ(static_cast<int32_t>(TrayEvent::RightButton), 3);
}

struct TipCase {
    const char* name;
    std::string in, out;
};

class Tooltip : public ::testing::TestWithParam<TipCase> {};

TEST_P(Tooltip, KeepsAtMost62BytesOfWholeCharacters) {
    const std::string cut = CutTooltip(GetParam().in);
    EXPECT_EQ(cut, GetParam().out);
    EXPECT_LE(cut.size(), 62u);
}

const std::string kHan = "\xD6\xD0";  // one double-byte character

INSTANTIATE_TEST_SUITE_P(
    Cases, Tooltip,
    ::testing::Values(TipCase{"Short", "abc", "abc"},
                      TipCase{"ProductNameWhole", texts::kProductName, texts::kProductName},
                      TipCase{"Ascii62", std::string(62, 'a'), std::string(62, 'a')},
                      TipCase{"Ascii63", std::string(63, 'a'), std::string(62, 'a')},
                      TipCase{"DoubleByteEndsAt62", std::string(60, 'a') + kHan + "b", std::string(60, 'a') + kHan},
                      TipCase{"DoubleByteWouldSplitAt62", std::string(61, 'a') + kHan, std::string(61, 'a')},
                      TipCase{"AllDoubleByte", [] { std::string s; for (int i = 0; i < 40; ++i) s += kHan; return s; }(),
                              [] { std::string s; for (int i = 0; i < 31; ++i) s += kHan; return s; }()},
                      TipCase{"LoneLeadByteAtTheEnd", "ab\xD6", "ab"},
                      TipCase{"Empty", "", ""}),
    [](const auto& p) { return std::string(p.param.name); });

// ----- ICO bytes -------------------------------------------------------------------------

std::vector<uint8_t> Bytes(const unsigned char* data, std::size_t size) { return {data, data + size}; }

TEST(Ico, TheProgramsIconsHaveTheirLayout) {
    EXPECT_EQ(sizeof IconCopyOn, 2294u);
    EXPECT_EQ(sizeof IconCopyOff, 1150u);
    const std::optional<IcoImage> on = ChooseIcoImage(IconCopyOn, 16);
    ASSERT_TRUE(on);
    EXPECT_EQ(on->offset, 6u + 2 * 16 + 1128) << "the second, visible image is chosen";
    EXPECT_EQ(on->size, 1128u);
    EXPECT_EQ(on->width, 16);
    EXPECT_EQ(on->height, 16);
    EXPECT_EQ(on->bitCount, 32);
    const std::optional<IcoImage> off = ChooseIcoImage(IconCopyOff, 32);
    ASSERT_TRUE(off);
    EXPECT_EQ(off->offset, 6u + 16);
    EXPECT_EQ(off->size, 1128u);
}

TEST(Ico, TheFirstImageOfCopyOnIsWhollyTransparent) {
    const uint8_t* image = IconCopyOn + 6 + 2 * 16;
    for (int i = 0; i < 256; ++i) EXPECT_EQ(image[40 + 4 * i + 3], 0) << "alpha of pixel " << i;
    for (int i = 0; i < 64; ++i) EXPECT_EQ(image[40 + 1024 + i], 0xFF) << "AND mask byte " << i;
}

// A two-entry file whose entries differ in width and colour count, for the choice rule.
std::vector<uint8_t> TwoEntryFile(uint8_t w1, uint8_t colours1, uint8_t w2, uint8_t colours2) {
    std::vector<uint8_t> f = {0, 0, 1, 0, 2, 0};
    const uint32_t imageSize = 40;
    for (int i = 0; i < 2; ++i) {
        const uint8_t w = i == 0 ? w1 : w2;
        const uint8_t colours = i == 0 ? colours1 : colours2;
        const uint32_t offset = 6 + 32 + imageSize * static_cast<uint32_t>(i);
        const uint8_t entry[16] = {w, w, colours, 0, 1, 0, 4, 0,
                                   static_cast<uint8_t>(imageSize), 0, 0, 0, static_cast<uint8_t>(offset), 0, 0, 0};
        f.insert(f.end(), entry, entry + 16);
    }
    for (int i = 0; i < 2; ++i) {
        const uint8_t w = i == 0 ? w1 : w2;
        uint8_t header[40] = {40, 0, 0, 0, w, 0, 0, 0, static_cast<uint8_t>(2 * w), 0, 0, 0, 1, 0, 4, 0};
        f.insert(f.end(), header, header + 40);
    }
    return f;
}

struct ChoiceCase {
    const char* name;
    std::vector<uint8_t> file;
    int32_t target;
    std::size_t offset;
};

class IcoChoice : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(IcoChoice, PicksTheFirstMatchingEntryElseTheLast) {
    const std::optional<IcoImage> image = ChooseIcoImage(GetParam().file, GetParam().target);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->offset, GetParam().offset);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IcoChoice,
    ::testing::Values(ChoiceCase{"FirstMatches", TwoEntryFile(16, 16, 16, 16), 16, 38},
                      ChoiceCase{"SecondMatchesByWidth", TwoEntryFile(32, 16, 16, 16), 16, 78},
                      ChoiceCase{"TooFewColoursFallsToLast", TwoEntryFile(16, 8, 32, 8), 16, 78},
                      ChoiceCase{"ColourCountZeroNeverMatches", TwoEntryFile(16, 0, 32, 0), 16, 78},
                      ChoiceCase{"NoWidthMatchFallsToLast", TwoEntryFile(48, 16, 64, 16), 16, 78}),
    [](const auto& p) { return std::string(p.param.name); });

struct BadCase {
    const char* name;
    std::vector<uint8_t> file;
};

class IcoMalformed : public ::testing::TestWithParam<BadCase> {};

TEST_P(IcoMalformed, GivesNoImage) {
    // Exactly sized on the heap, so that AddressSanitizer catches any read past the end.
    const std::vector<uint8_t>& f = GetParam().file;
    std::unique_ptr<uint8_t[]> heap(new uint8_t[f.size()]);
    if (!f.empty()) std::memcpy(heap.get(), f.data(), f.size());
    EXPECT_FALSE(ChooseIcoImage({heap.get(), f.size()}, 16));
}

std::vector<uint8_t> Patched(std::vector<uint8_t> f, std::size_t at, std::vector<uint8_t> bytes) {
    for (std::size_t i = 0; i < bytes.size(); ++i) f[at + i] = bytes[i];
    return f;
}

const std::vector<uint8_t> kOn = Bytes(IconCopyOn, sizeof IconCopyOn);

INSTANTIATE_TEST_SUITE_P(
    Cases, IcoMalformed,
    ::testing::Values(BadCase{"Empty", {}},
                      BadCase{"ShortHeader", {0, 0, 1, 0, 1}},
                      BadCase{"ReservedNotZero", Patched(kOn, 0, {1})},
                      BadCase{"WrongType", Patched(kOn, 2, {3})},
                      BadCase{"ZeroCount", Patched(kOn, 4, {0, 0})},
                      BadCase{"DirectoryRunsPastTheEnd", Patched(std::vector<uint8_t>(kOn.begin(), kOn.begin() + 30), 0, {})},
                      BadCase{"CountClaimsMoreEntriesThanTheFileHolds", Patched(kOn, 4, {0xFF, 0xFF})},
                      BadCase{"ImageRunsPastTheEnd", std::vector<uint8_t>(kOn.begin(), kOn.end() - 1)},
                      BadCase{"ImageOffsetPastTheEnd", Patched(kOn, 6 + 16 + 12, {0xFF, 0xFF, 0xFF, 0x7F})},
                      BadCase{"ImageSizeHuge", Patched(kOn, 6 + 16 + 8, {0xFF, 0xFF, 0xFF, 0xFF})},
                      BadCase{"ImageTooSmallForItsHeader", Patched(kOn, 6 + 16 + 8, {20, 0, 0, 0})},
                      BadCase{"HeaderSizeFieldTooSmall", Patched(kOn, 6 + 32 + 1128, {12, 0, 0, 0})}),
    [](const auto& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace talvine
