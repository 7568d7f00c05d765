// The probe's JSON writer: any byte a window class name may hold must leave the
// output parseable, and the separators must stay those the bench matches as text.
#include "json_writer.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using probe::Json;
using probe::Quoted;

struct QuoteCase {
    const char* name;
    std::string raw;
    std::string quoted;
};

class JsonString : public ::testing::TestWithParam<QuoteCase> {};

TEST_P(JsonString, EscapesQuoteBackslashAndControlBytesOnly) {
    EXPECT_EQ(Quoted(GetParam().raw), GetParam().quoted);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, JsonString,
    ::testing::Values(
        QuoteCase{"Plain", "Notepad", R"("Notepad")"},
        QuoteCase{"Empty", "", R"("")"},
        QuoteCase{"Quote", R"(a"b)", R"("a\"b")"},
        QuoteCase{"Backslash", R"(a\b)", R"("a\\b")"},
        QuoteCase{"BackslashBeforeQuote", R"(\")", R"("\\\"")"},
        QuoteCase{"ZeroByte", std::string("a\0b", 3), R"("a\u0000b")"},
        QuoteCase{"NewlineAndTab", "a\nb\tc", R"("a\u000ab\u0009c")"},
        QuoteCase{"LastControlByte", "\x1f", R"("\u001f")"},
        QuoteCase{"SpaceIsNotControl", " ", R"(" ")"},
        QuoteCase{"DeleteAndHighBytesPass", "\x7f\xb5\xc4", "\"\x7f\xb5\xc4\""},
        QuoteCase{"SlashPasses", "a/b", R"("a/b")"}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(JsonObject, KeepsOrderAndTheSeparatorsTheBenchMatches) {
    Json first, second;
    first.Num("hwnd", 18446744073709551615ULL).Str("class", R"(Odd"\Class)").Nums("place", {-4, 0, 10, 20});
    second.Num("hwnd", 7).Str("class", "Edit").Nums("place", {});
    Json json;
    json.Bool("found", true).Num("id", -1L).Bool("visible", false).Objects("children", {first, second});
    EXPECT_EQ(json.Text(), R"({"found": true, "id": -1, "visible": false, "children": [)"
                           R"({"hwnd": 18446744073709551615, "class": "Odd\"\\Class", "place": [-4, 0, 10, 20]}, )"
                           R"({"hwnd": 7, "class": "Edit", "place": []}]})");
}

}  // namespace
