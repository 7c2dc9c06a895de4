#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "offsets/offset_layout.h"

namespace zelvane::offsets {

// The sixty offsets exactly as the user sees them. Values are kept as text,
// not numbers: a field may hold anything, and only a step reads it as a
// number for that moment.
class OffsetTable {
  public:
    static constexpr int size = OffsetLayout::valueCount;

    // Sets every value to "0"; the selection stays.
    void reset();

    const std::string& value(int index) const;
    void setValue(int index, std::string text);

    std::int16_t selected() const noexcept { return m_selected; }
    void select(int index);

    // Adds delta (1, 0.1, 10 or their negatives) to the selected value and
    // writes the sum in plain form with at most 15 significant digits
    // ("007" stepped up is "8", "0.2" stepped by 0.1 is "0.3"). A value
    // that is no number raises RuntimeError TypeMismatch (Overflow beyond a
    // double) and stays as it was.
    void stepSelected(double delta);

  private:
    std::array<std::string, size> m_values;
    std::int16_t m_selected = 0;
};

}  // namespace zelvane::offsets
