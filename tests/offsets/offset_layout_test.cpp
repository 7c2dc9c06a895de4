#include "offsets/offset_layout.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace zelvane::offsets {
namespace {

// Also proves the six empty cells of the last rows: sixty values fill 66
// cells only if exactly six are empty.
TEST(OffsetLayout, EveryIndexStandsInExactlyOneCellAndMapsBack) {
    std::set<int> seen;
    for (int row = 0; row < OffsetLayout::rowCount; ++row) {
        for (const Axis axis : {Axis::X, Axis::Y, Axis::Z}) {
            if (const auto index = OffsetLayout::indexAt(row, axis)) {
                EXPECT_TRUE(seen.insert(*index).second) << "index " << *index << " twice";
                EXPECT_EQ(OffsetLayout::rowOf(*index), row);
                EXPECT_EQ(OffsetLayout::axisOf(*index), axis);
            }
        }
    }
    EXPECT_EQ(seen.size(), 60U);
    EXPECT_EQ(*seen.rbegin(), 59);
}

TEST(OffsetLayout, NamesEveryCellByCaptionAndAxis) {
    const std::pair<int, std::string> cells[] = {{0, "Up X"},
                                                 {4, "Front Y"},
                                                 {53, "Right 180 rear up Z"},
                                                 {54, "Rear 180 up angle X"},
                                                 {55, "Mouse view Y"},
                                                 {56, "Mouse view Z"},
                                                 {57, "Gun convergence Y"},
                                                 {58, "Instrument Y"},
                                                 {59, "Gun convergence Z"}};
    for (const auto& [index, name] : cells) {
        EXPECT_EQ(OffsetLayout::cellName(index), name);
    }
    EXPECT_FALSE(OffsetLayout::indexAt(20, Axis::Z));
    EXPECT_EQ(OffsetLayout::caption(15), "Rear 180");
}

}  // namespace
}  // namespace zelvane::offsets
