#include "paste_placement.h"

#include <algorithm>

#include "offsets/offset_layout.h"
#include "offsets/offset_table.h"
#include "platform/runtime_error.h"

namespace zelvane::offsets {
namespace {

using platform::ErrorCode;
using platform::RuntimeError;

std::vector<std::string> split(std::string_view text, char separator) {
    std::vector<std::string> parts;
    for (std::size_t end = text.find(separator);; end = text.find(separator)) {
        parts.emplace_back(text.substr(0, end));
        if (end == std::string_view::npos) {
            return parts;
        }
        text.remove_prefix(end + 1);
    }
}

// The lines of a text, whatever ends them; a line break at the end ends
// the last line and starts none.
std::vector<std::string> linesOf(std::string_view text) {
    std::vector<std::string> lines;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find_first_of("\r\n"), text.size());
        lines.emplace_back(text.substr(0, end));
        const bool crLf = text.substr(end).starts_with("\r\n");
        text.remove_prefix(std::min(text.size(), end + (crLf ? 2 : 1)));
    }
    return lines;
}

std::string counted(std::size_t count, const std::string& what) {
    return std::to_string(count) + " " + what + (count == 1 ? "" : "s");
}

[[noreturn]] void refuse(const std::string& holds, int index, const std::string& remain) {
    throw RuntimeError(ErrorCode::InvalidProcedureCall, "the pasted text holds " + holds +
                                                            ", and from " +
                                                            OffsetLayout::cellName(index) + " on " +
                                                            remain + ". Nothing was pasted.");
}

PastedValues placeColumn(int index, std::vector<std::string> lines) {
    const auto remaining = static_cast<std::size_t>(OffsetTable::size - index);
    if (lines.size() > remaining) {
        refuse(counted(lines.size(), "line"), index,
               "only " + counted(remaining, "field") + " remain");
    }
    PastedValues placed;
    for (std::string& line : lines) {
        placed.emplace_back(index++, std::move(line));
    }
    return placed;
}

PastedValues placeBlock(int index, const std::vector<std::string>& lines) {
    const int row = OffsetLayout::rowOf(index);
    const int axis = static_cast<int>(OffsetLayout::axisOf(index));
    const int rowsLeft = OffsetLayout::rowCount - row;
    const int axesLeft = OffsetLayout::axisCount - axis;
    std::vector<std::vector<std::string>> cells;
    std::size_t widest = 0;
    for (const std::string& line : lines) {
        cells.push_back(split(line, '\t'));
        widest = std::max(widest, cells.back().size());
    }
    if (cells.size() > static_cast<std::size_t>(rowsLeft) ||
        widest > static_cast<std::size_t>(axesLeft)) {
        refuse(counted(cells.size(), "row") + " of up to " + counted(widest, "cell"), index,
               "the grid has " + counted(rowsLeft, "row") + " and " + counted(axesLeft, "column"));
    }
    PastedValues placed;
    for (std::size_t down = 0; down < cells.size(); ++down) {
        for (std::size_t across = 0; across < cells[down].size(); ++across) {
            const int place = row + static_cast<int>(down);
            const auto under = static_cast<Axis>(axis + static_cast<int>(across));
            const int at = OffsetLayout::indexAt(place, under);
            if (at != OffsetLayout::none) {
                placed.emplace_back(at, std::move(cells[down][across]));
            } else if (!cells[down][across].empty()) {
                // A blank cell where the grid has none is the table's own
                // shape; a value there would be lost.
                throw RuntimeError(
                    ErrorCode::InvalidProcedureCall,
                    "the pasted text holds a value where the grid has no field, under " +
                        std::string(OffsetLayout::axisName(under)) + " in the row " +
                        std::string(OffsetLayout::caption(place)) + ". Nothing was pasted.");
            }
        }
    }
    std::sort(placed.begin(), placed.end());
    return placed;
}

}  // namespace

bool isSeveralValues(std::string_view text) {
    return text.find_first_of("\r\n\t") != std::string_view::npos;
}

PastedValues placePaste(int index, std::string_view text) {
    std::string kept(text);
    std::erase(kept, '\0');
    std::vector<std::string> lines = linesOf(kept);
    if (lines.empty()) {
        lines.emplace_back();
    }
    const bool block = std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
        return line.find('\t') != std::string::npos;
    });
    return block ? placeBlock(index, lines) : placeColumn(index, std::move(lines));
}

}  // namespace zelvane::offsets
