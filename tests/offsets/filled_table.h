#pragma once

#include <string>

#include "offsets/offset_table.h"

namespace zelvane::offsets {

inline OffsetTable filledTable(const std::string& value) {
    OffsetTable table;
    for (int index = 0; index < OffsetTable::size; ++index) {
        table.setValue(index, value);
    }
    return table;
}

inline bool allValuesAre(const OffsetTable& table, const std::string& value) {
    for (int index = 0; index < OffsetTable::size; ++index) {
        if (table.value(index) != value) {
            return false;
        }
    }
    return true;
}

}  // namespace zelvane::offsets
