#include "offsets/offset_table.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/runtime_error.h"

namespace zelvane::offsets {
namespace {

using platform::ErrorCode;
using platform::RuntimeError;

OffsetTable resetTable() {
    OffsetTable table;
    table.reset();
    return table;
}

TEST(OffsetTable, ResetMakesEveryValueZeroAndKeepsTheSelection) {
    OffsetTable table;
    table.select(12);
    table.setValue(59, "abc");
    table.reset();
    for (int index = 0; index < OffsetTable::size; ++index) {
        EXPECT_EQ(table.value(index), "0") << index;
    }
    EXPECT_EQ(table.selected(), 12);
}

TEST(OffsetTable, StepsValueZeroBeforeAnySelection) {
    OffsetTable table = resetTable();
    table.stepSelected(+1);
    EXPECT_EQ(table.value(0), "1");
    for (int index = 1; index < OffsetTable::size; ++index) {
        EXPECT_EQ(table.value(index), "0") << index;
    }
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
    OffsetTable table = resetTable();
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
    const std::pair<std::string, ErrorCode> cases[] = {
        {"", ErrorCode::TypeMismatch},
        {"abc", ErrorCode::TypeMismatch},
        {"1,5", ErrorCode::TypeMismatch},
        {"1e400", ErrorCode::Overflow},
    };
    for (const auto& [text, expected] : cases) {
        OffsetTable table = resetTable();
        table.select(57);
        table.setValue(57, text);
        try {
            table.stepSelected(+1);
            ADD_FAILURE() << "stepped '" << text << "'";
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.code(), expected) << text;
        }
        EXPECT_EQ(table.value(57), text);
        EXPECT_EQ(table.selected(), 57);
    }
}

}  // namespace
}  // namespace zelvane::offsets
