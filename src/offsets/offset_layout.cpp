#include "offset_layout.h"

#include <cassert>

namespace zelvane::offsets {
namespace {

constexpr int none = OffsetLayout::none;

struct Row {
    std::string_view caption;
    std::array<int, OffsetLayout::axisCount> indices;
};

constexpr std::array<Row, OffsetLayout::rowCount> rows{{
    {"Up", {0, 1, 2}},
    {"Front", {3, 4, 5}},
    {"Front left", {6, 7, 8}},
    {"Front right", {9, 10, 11}},
    {"Left", {12, 13, 14}},
    {"Right", {15, 16, 17}},
    {"Shoulder left", {18, 19, 20}},
    {"Shoulder right", {21, 22, 23}},
    {"Left shoulder up", {24, 25, 26}},
    {"Right shoulder up", {27, 28, 29}},
    {"Left up", {30, 31, 32}},
    {"Right up", {33, 34, 35}},
    {"Front left up", {36, 37, 38}},
    {"Front right up", {39, 40, 41}},
    {"Front up", {42, 43, 44}},
    {"Rear 180", {45, 46, 47}},
    {"Left 180 rear up", {48, 49, 50}},
    {"Right 180 rear up", {51, 52, 53}},
    {"Rear 180 up angle", {54, none, none}},
    {"Mouse view", {none, 55, 56}},
    {"Instrument", {none, 58, none}},
    {"Gun convergence", {none, 57, 59}},
}};

struct Cell {
    int row;
    Axis axis;
};

constexpr std::array<Cell, OffsetLayout::valueCount> cellsByIndex() {
    std::array<Cell, OffsetLayout::valueCount> cells{};
    for (int row = 0; row < OffsetLayout::rowCount; ++row) {
        for (int axis = 0; axis < OffsetLayout::axisCount; ++axis) {
            const int index = rows[row].indices[axis];
            if (index != none) {
                cells[index] = {row, static_cast<Axis>(axis)};
            }
        }
    }
    return cells;
}

// Every value has exactly one cell: two on one value would leave another
// with none, and the form would show it nowhere.
constexpr bool everyValueInOneCell() {
    std::array<int, OffsetLayout::valueCount> cellsOf{};
    for (const Row& row : rows) {
        for (const int index : row.indices) {
            if (index != none) {
                ++cellsOf[index];
            }
        }
    }
    for (const int count : cellsOf) {
        if (count != 1) {
            return false;
        }
    }
    return true;
}

static_assert(everyValueInOneCell());

constexpr auto cells = cellsByIndex();

}  // namespace

std::string_view OffsetLayout::caption(int row) {
    assert(row >= 0 && row < rowCount);
    return rows[row].caption;
}

int OffsetLayout::indexAt(int row, Axis axis) {
    assert(row >= 0 && row < rowCount);
    return rows[row].indices[static_cast<int>(axis)];
}

int OffsetLayout::rowOf(int index) {
    assert(index >= 0 && index < valueCount);
    return cells[index].row;
}

Axis OffsetLayout::axisOf(int index) {
    assert(index >= 0 && index < valueCount);
    return cells[index].axis;
}

std::string_view OffsetLayout::axisName(Axis axis) {
    static constexpr std::array<std::string_view, axisCount> names{"X", "Y", "Z"};
    return names[static_cast<int>(axis)];
}

std::string OffsetLayout::cellName(int index) {
    std::string name(captionOf(index));
    name += ' ';
    name += axisName(axisOf(index));
    return name;
}

}  // namespace zelvane::offsets
