// The web link's fallback command line.
#include "ui/link_command.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace talvine {
namespace {

struct LineCase {
    const char* name;
    std::string registered;
    std::string target;
    std::optional<std::string> line;
};

class FallbackLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(FallbackLine, CutsAtTheFirstPercentOneAndAppendsTheTarget) {
    EXPECT_EQ(FallbackCommandLine(GetParam().registered, GetParam().target), GetParam().line);
}

const std::string kUrl = "https://talvine.example/";

// Lines of n bytes, for the buffer's edge: 520 bytes hold 519 characters and the zero.
std::string Filler(std::size_t n) { return std::string(n, 'x'); }

INSTANTIATE_TEST_SUITE_P(
    Cases, FallbackLine,
    ::testing::Values(
        LineCase{"QuotedCutAtItsOpeningQuote", R"("C:\Program Files\Browser\b.exe" -url "%1" -new)", kUrl,
                 R"("C:\Program Files\Browser\b.exe" -url  )" + kUrl},
        LineCase{"BareCutAtThePercent", R"(C:\b.exe -url=%1 -new)", kUrl, R"(C:\b.exe -url= )" + kUrl},
        LineCase{"QuotedPreferredToAnEarlierBareOne", R"(b.exe %1 "%1")", kUrl, R"(b.exe %1  )" + kUrl},
        LineCase{"OnlyTheFirstQuotedOneCounts", R"(b.exe "%1" "%1")", kUrl, "b.exe  " + kUrl},
        LineCase{"NoPercentOneKeepsTheWholeLine", R"("C:\b.exe" -nohome)", kUrl, R"("C:\b.exe" -nohome )" + kUrl},
        LineCase{"PercentOneAtTheStart", "%1", kUrl, " " + kUrl},
        LineCase{"LoneQuoteBeforePercentIsBare", R"(b.exe "%1)", kUrl, R"(b.exe " )" + kUrl},
        LineCase{"EmptyRegisteredLine", "", kUrl, " " + kUrl},
        LineCase{"FillsTheBufferExactly", Filler(500), Filler(18), Filler(500) + " " + Filler(18)},
        LineCase{"OneByteTooLongGivesNothing", Filler(500), Filler(19), std::nullopt},
        LineCase{"CutLineDecidesTheFit", Filler(500) + " %1" + Filler(300), Filler(17),
                 Filler(500) + "  " + Filler(17)},
        LineCase{"LongAddressGivesNothing", R"("C:\b.exe" "%1")", std::string(600, 'a'), std::nullopt},
        LineCase{"EmptyTargetGivesNothing", R"("C:\b.exe" "%1")", "", std::nullopt}),
    [](const auto& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace talvine
