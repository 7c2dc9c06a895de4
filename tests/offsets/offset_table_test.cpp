#include "offsets/offset_table.h"

#include "support/support.h"

namespace zelvane::testing {

// The selected value steps to plain text, or is refused and left as it was;
// no other value and not the selection ever change.
TEST(OffsetTable, StepsTheSelectedValueToPlainTextOrNotAtAll) {
    struct Step {
        std::string before;
        double delta;
        std::string after;
        ErrorCode failure = {};
    };
    const std::string huge = "1" + std::string(400, '0') + "e-5";
    const auto steps =
        rows(Step{"5", +1, "6"}, Step{"0", -1, "-1"}, Step{"007", +1, "8"}, Step{"\t5 \t", +1, "6"},
             Step{"5  ", +1, "6"}, Step{"+4", -1, "3"}, Step{".5", +1, "1.5"},
             Step{"-0.35", +1, "0.65"}, Step{"1e3", -1, "999"}, Step{"1E+3", +1, "1001"},
             Step{"1e-400", +1, "1"}, Step{"1e-3", +1, "1.001"}, Step{"1.053", -1, "0.053"},
             Step{"0.000001", -1, "-0.999999"}, Step{"-0.9999", +1, "0.0001"},
             Step{"-0.99999", +1, "1E-05"}, Step{"123456788.125", +1, "123456789.125"},
             Step{"0.333333333333333", +1, "1.33333333333333"},
             Step{"99999999999999", +1, "100000000000000"}, Step{"999999999999999", +1, "1E+15"},
             Step{"99999999999998.5", +1, "99999999999999.5"}, Step{"0.2", +0.1, "0.3"},
             Step{"-0.05", +0.1, "0.05"}, Step{"0.1", -0.1, "0"}, Step{"-0.2", -0.1, "-0.3"},
             Step{"2.5", +10, "12.5"}, Step{"99999999999999.9", +0.1, "100000000000000"},
             Step{"1.7976931348623157e308", -1, "1.79769313486232E+308"},
             Step{"1e400", +1, "1e400", ErrorCode::Overflow},
             Step{"-1e400", +1, "-1e400", ErrorCode::Overflow},
             Step{huge, +1, huge, ErrorCode::Overflow},
             Step{"1e99999999999999999999", +1, "1e99999999999999999999", ErrorCode::Overflow});
    for (const auto& [before, delta, after, failure] : steps) {
        SCOPED_TRACE(before.substr(0, 30));
        OffsetTable table = numberedTable("v");
        table.select(58);
        table.setValue(58, before);
        EXPECT_EQ(failureOf([&] { table.stepSelected(delta); }), failure);
        EXPECT_EQ(table.value(58), after);
        table.setValue(58, "v58");
        EXPECT_EQ(valuesOf(table), valuesOf(numberedTable("v")));  // no other value changed
        EXPECT_EQ(table.selected(), 58);
    }
    for (const std::string text : {"", "   ", "abc", "1,5", "1 000", "inf", "nan", "0x10", "&H10",
                                   "-", ".", "+.", "1e", "1e+", "--1", "1.2.3", "5x", "\n5"}) {
        SCOPED_TRACE(text);
        OffsetTable table;
        table.setValue(0, text);
        EXPECT_EQ(failureOf([&] { table.stepSelected(-1); }), ErrorCode::TypeMismatch);
        EXPECT_EQ(table.value(0), text);
    }
}

}  // namespace zelvane::testing
