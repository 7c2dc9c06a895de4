#include "offsets/offset_layout.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace zelvane::offsets {
namespace {

TEST(OffsetLayout, EveryIndexStandsInExactlyOneCellAndMapsBack) {
    std::set<int> seen;
    for (int row = 0; row < OffsetLayout::rowCount; ++row) {
        for (const Axis axis : {Axis::X, Axis::Y, Axis::Z}) {
            const auto index = OffsetLayout::indexAt(row, axis);
            if (!index) {
                continue;
            }
            EXPECT_TRUE(seen.insert(*index).second) << "index " << *index << " twice";
            EXPECT_EQ(OffsetLayout::rowOf(*index), row);
            EXPECT_EQ(OffsetLayout::axisOf(*index), axis);
        }
    }
    EXPECT_EQ(seen.size(), 60U);
    EXPECT_EQ(*seen.begin(), 0);
    EXPECT_EQ(*seen.rbegin(), 59);
}

TEST(OffsetLayout, RegularRowsFollowThreePerRow) {
    for (int index = 0; index < 54; ++index) {
        EXPECT_EQ(OffsetLayout::rowOf(index), index / 3);
        EXPECT_EQ(static_cast<int>(OffsetLayout::axisOf(index)), index % 3);
    }
}

struct IrregularCell {
    int index;
    std::string name;
    friend void PrintTo(const IrregularCell& c, std::ostream* os) { *os << c.index; }
};

class IrregularRows : public ::testing::TestWithParam<IrregularCell> {};

TEST_P(IrregularRows, NameTheirCells) {
    EXPECT_EQ(OffsetLayout::cellName(GetParam().index), GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(
    LastFourRows, IrregularRows,
    ::testing::Values(IrregularCell{54, "Rear 180 up angle X"}, IrregularCell{55, "Mouse view Y"},
                      IrregularCell{56, "Mouse view Z"}, IrregularCell{57, "Gun convergence Y"},
                      IrregularCell{58, "Instrument Y"}, IrregularCell{59, "Gun convergence Z"},
                      IrregularCell{0, "Up X"}, IrregularCell{4, "Front Y"},
                      IrregularCell{53, "Right 180 rear up Z"}));

TEST(OffsetLayout, CellsWithoutFieldsAreEmpty) {
    EXPECT_FALSE(OffsetLayout::indexAt(18, Axis::Y));
    EXPECT_FALSE(OffsetLayout::indexAt(18, Axis::Z));
    EXPECT_FALSE(OffsetLayout::indexAt(19, Axis::X));
    EXPECT_FALSE(OffsetLayout::indexAt(20, Axis::X));
    EXPECT_FALSE(OffsetLayout::indexAt(20, Axis::Z));
    EXPECT_FALSE(OffsetLayout::indexAt(21, Axis::X));
}

TEST(OffsetLayout, CaptionsAreDistinctAndReadTopToBottom) {
    std::set<std::string_view> captions;
    for (int row = 0; row < OffsetLayout::rowCount; ++row) {
        captions.insert(OffsetLayout::caption(row));
    }
    EXPECT_EQ(captions.size(), 22U);
    EXPECT_EQ(OffsetLayout::caption(0), "Up");
    EXPECT_EQ(OffsetLayout::caption(15), "Rear 180");
    EXPECT_EQ(OffsetLayout::caption(21), "Gun convergence");
}

}  // namespace
}  // namespace zelvane::offsets
