#pragma once

#include <array>
#include <string>
#include <string_view>

namespace zelvane::offsets {

enum class Axis { X = 0, Y = 1, Z = 2 };

// Where each of the sixty values stands: 22 captioned rows against the axes
// X, Y and Z. The same index is a field of the window and a line of a
// profile, so this table gives a profile's lines their meaning. Rows 0 to
// 17 hold index 3 * row + axis; the last four rows hold six values in an
// order of their own (down the Y column: 55, 58, 57).
class OffsetLayout {
  public:
    static constexpr int valueCount = 60;
    static constexpr int rowCount = 22;
    static constexpr int axisCount = 3;

    static std::string_view caption(int row);

    // The value in a row's cell under an axis; none where the cell is empty.
    static constexpr int none = -1;
    static int indexAt(int row, Axis axis);
    static int rowOf(int index);
    static Axis axisOf(int index);
    static std::string_view captionOf(int index) { return caption(rowOf(index)); }

    static std::string_view axisName(Axis axis);
    // How a person names a value: its row caption and axis, e.g. "Front Y".
    static std::string cellName(int index);
};

}  // namespace zelvane::offsets
