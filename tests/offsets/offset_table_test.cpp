#include "offsets/offset_table.h"

#include <gtest/gtest.h>

#include <string>

#include "filled_table.h"
#include "support/failure_of.h"

namespace zelvane::offsets {
namespace {

using platform::ErrorCode;
using testing::failureOf;

TEST(OffsetTable, ResetMakesEveryValueZeroAndKeepsTheSelection) {
    OffsetTable table = filledTable("abc");
    table.select(12);
    table.reset();
    EXPECT_TRUE(allValuesAre(table, "0"));
    EXPECT_EQ(table.selected(), 12);
}

TEST(OffsetTable, StepsValueZeroBeforeAnySelectionAndNothingElse) {
    OffsetTable table = filledTable("0");
    table.stepSelected(+1);
    EXPECT_EQ(table.value(0), "1");
    table.setValue(0, "0");
    EXPECT_TRUE(allValuesAre(table, "0"));
}

struct Step {
    std::string before;
    int delta;
    std::string after;
    friend void PrintTo(const Step& s, std::ostream* os) {
        *os << '\'' << s.before << "' " << s.delta;
    }
};

class StepsSelected : public ::testing::TestWithParam<Step> {};

TEST_P(StepsSelected, ToPlainText) {
    OffsetTable table = filledTable("0");
    table.select(58);
    table.setValue(58, GetParam().before);
    table.stepSelected(GetParam().delta);
    EXPECT_EQ(table.value(58), GetParam().after);
    EXPECT_EQ(table.value(57), "0");
}

INSTANTIATE_TEST_SUITE_P(
    Values, StepsSelected,
    ::testing::Values(Step{"5", +1, "6"}, Step{"0", -1, "-1"}, Step{"-1", +1, "0"},
                      Step{"007", +1, "8"}, Step{" 5", +1, "6"}, Step{"+4", -1, "3"},
                      Step{"2.5", +1, "3.5"}, Step{"2.3", -1, "1.3"}, Step{"0.1", +1, "1.1"},
                      Step{"-0.35", +1, "0.65"}, Step{"-0.5", +1, "0.5"},
                      Step{"999999999999999", +1, "1E+15"}, Step{"1e3", -1, "999"},
                      Step{"1.053", -1, "0.053"}, Step{"-0.053", +1, "0.947"},
                      Step{"1e-3", +1, "1.001"}, Step{"12345678.123456", -1, "12345677.123456"},
                      Step{"0.000001", -1, "-0.999999"}));

TEST(OffsetTable, AFailedStepLeavesTheValueAndSelection) {
    const std::pair<std::string, ErrorCode> cases[] = {{"", ErrorCode::TypeMismatch},
                                                       {"abc", ErrorCode::TypeMismatch},
                                                       {"1,5", ErrorCode::TypeMismatch},
                                                       {"1e400", ErrorCode::Overflow}};
    for (const auto& [text, expected] : cases) {
        OffsetTable table;
        table.select(57);
        table.setValue(57, text);
        EXPECT_EQ(failureOf([&] { table.stepSelected(+1); }), expected) << text;
        EXPECT_EQ(table.value(57), text);
        EXPECT_EQ(table.selected(), 57);
    }
}

}  // namespace
}  // namespace zelvane::offsets
