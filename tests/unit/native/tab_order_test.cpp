#include "ui/tab_order.h"

#include <gtest/gtest.h>

#include <vector>

namespace talvine {
namespace {

struct TabCase {
    const char* name;
    std::vector<bool> eligible;
    int current;
    bool forward;
    int expected;
};

class TabOrder : public ::testing::TestWithParam<TabCase> {};

TEST_P(TabOrder, MovesToTheExpectedStop) {
    const TabCase& c = GetParam();
    bool flags[8] = {};
    for (std::size_t i = 0; i < c.eligible.size(); ++i) flags[i] = c.eligible[i];
    EXPECT_EQ(NextTabStop(std::span<const bool>(flags, c.eligible.size()), c.current, c.forward),
              c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TabOrder,
    ::testing::Values(TabCase{"next", {true, true, true}, 0, true, 1},
                      TabCase{"previous", {true, true, true}, 1, false, 0},
                      TabCase{"wraps_forward", {true, true, true}, 2, true, 0},
                      TabCase{"wraps_backward", {true, true, true}, 0, false, 2},
                      TabCase{"enters_at_first", {true, true, true}, -1, true, 0},
                      TabCase{"enters_at_last_backward", {true, true, true}, -1, false, 2},
                      TabCase{"skips_hidden", {true, false, true}, 0, true, 2},
                      TabCase{"skips_hidden_backward", {true, false, true}, 2, false, 0},
                      TabCase{"only_itself_left", {false, true, false}, 1, true, 1},
                      TabCase{"first_hidden_on_entry", {false, true, true}, -1, true, 1},
                      TabCase{"none_eligible", {false, false, false}, 0, true, -1},
                      TabCase{"no_stops", {}, -1, true, -1},
                      TabCase{"focus_index_out_of_range", {true, true}, 7, true, 0}),
    [](const auto& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace talvine
