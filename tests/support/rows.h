#pragma once

#include <vector>

namespace zelvane::testing {

// The rows of a table, given as arguments so that they pack into few lines.
template <typename Row, typename... Rows>
std::vector<Row> rows(Row first, Rows... rest) {
    return {first, rest...};
}

}  // namespace zelvane::testing
