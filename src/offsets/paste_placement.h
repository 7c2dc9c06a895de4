#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zelvane::offsets {

// Where the values of text pasted into a field go, index and value, in
// index order. A column (lines ended by CR LF, LF or CR; a final line
// break ends the last line) fills that field and the ones after it in
// profile order, a line each. A block (lines of tab-separated cells, as a
// spreadsheet copies them) lies over the grid as it stands on the screen:
// cells across X, Y and Z of a row, rows down, from that field, passing
// over the places the grid has no field. Each value is a whole line or
// cell: nothing the fields held remains. Text with more lines or cells
// than the fields that remain is refused whole (InvalidProcedureCall,
// saying how many of each). NULs are dropped: no value holds one.
using PastedValues = std::vector<std::pair<int, std::string>>;
PastedValues placePaste(int index, std::string_view text);

// Whether text is more than one value: a line break or a tab in it.
bool isSeveralValues(std::string_view text);

}  // namespace zelvane::offsets
