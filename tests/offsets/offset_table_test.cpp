#include "offsets/offset_table.h"

#include <string>

#include "support/support.h"

namespace zelvane::offsets {
namespace {

using testing::ErrorCode;
using testing::failureOf;
using testing::numberedTable;
using testing::valuesOf;

TEST(OffsetTable, ResetsToZerosAndStepsValueZeroBeforeAnySelection) {
    OffsetTable table = numberedTable("x");
    table.reset();
    table.stepSelected(+1);
    std::vector<std::string> expected(60, "0");
    expected[0] = "1";
    EXPECT_EQ(valuesOf(table), expected);
}

struct Step {
    std::string before;
    int delta;
    std::string after;  // the value after the step, or unchanged on failure
    ErrorCode failure = {};
    friend void PrintTo(const Step& s, std::ostream* os) {
        *os << '\'' << s.before << "' " << s.delta;
    }
};

Step refused(const std::string& text, ErrorCode failure = ErrorCode::TypeMismatch) {
    return {text, +1, text, failure};
}

class StepsSelected : public ::testing::TestWithParam<Step> {};

TEST_P(StepsSelected, ToPlainTextOrNotAtAll) {
    OffsetTable table = numberedTable("v");
    table.select(58);
    table.setValue(58, GetParam().before);
    EXPECT_EQ(failureOf([&] { table.stepSelected(GetParam().delta); }), GetParam().failure);
    OffsetTable expected = numberedTable("v");
    expected.setValue(58, GetParam().after);
    EXPECT_EQ(valuesOf(table), valuesOf(expected));
    EXPECT_EQ(table.selected(), 58);
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, StepsSelected,
    ::testing::Values(
        Step{"5", +1, "6"}, Step{"0", -1, "-1"}, Step{"-1", +1, "0"}, Step{"007", +1, "8"},
        Step{" 5", +1, "6"}, Step{"\t5 \t", +1, "6"}, Step{"+4", -1, "3"}, Step{"5.", +1, "6"},
        Step{".5", +1, "1.5"}, Step{"-.5", +1, "0.5"}, Step{"2.5", +1, "3.5"},
        Step{"2.3", -1, "1.3"}, Step{"0.1", +1, "1.1"}, Step{"-0.35", +1, "0.65"},
        Step{"1e3", -1, "999"}, Step{"1E+3", +1, "1001"}, Step{"2.5e-1", +1, "1.25"},
        Step{"1e-400", +1, "1"}, Step{"1e-3", +1, "1.001"}, Step{"1.053", -1, "0.053"},
        Step{"-0.053", +1, "0.947"}, Step{"0.000001", -1, "-0.999999"},
        Step{"-0.9999", +1, "0.0001"}, Step{"-0.99999", +1, "1E-05"},
        Step{"12345678.123456", -1, "12345677.123456"}, Step{"123456788.125", +1, "123456789.125"},
        Step{"0.333333333333333", +1, "1.33333333333333"}, Step{"999999999999999", +1, "1E+15"},
        Step{"-999999999999999", -1, "-1E+15"},
        Step{"1.7976931348623157e308", -1, "1.79769313486232E+308"}, refused(""), refused("   "),
        refused("abc"), refused("1,5"), refused("1 000"), refused("inf"), refused("nan"),
        refused("0x10"), refused("&H10"), refused("-"), refused("."), refused("+."), refused("1e"),
        refused("1e+"), refused("--1"), refused("1.2.3"), refused("5x"), refused("\n5"),
        refused("1e400", ErrorCode::Overflow), refused("-1e400", ErrorCode::Overflow),
        refused("1e99999999999999999999", ErrorCode::Overflow)));

}  // namespace
}  // namespace zelvane::offsets
