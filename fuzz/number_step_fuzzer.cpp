// Arbitrary text stepped up and down: either a run-time error 13 or 6 with
// the value unchanged, or a result that reads as a number; and a number
// below 1e8 with at most six decimals comes back to itself when stepped up
// and then down.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "offsets/offset_table.h"
#include "platform/number_text.h"
#include "platform/runtime_error.h"

using zelvane::offsets::OffsetTable;
using zelvane::platform::ErrorCode;
using zelvane::platform::readNumber;
using zelvane::platform::RuntimeError;
using zelvane::platform::writeNumber;

namespace {

// Below 1e8, with at most six decimals, and exactly the number its shown
// form stands for (an input with more digits than a double holds is not).
bool isShortDecimal(double value) {
    if (!(std::fabs(value) < 1e8)) {
        return false;
    }
    const std::string text = writeNumber(value);
    if (readNumber(text) != value) {
        return false;
    }
    if (text.find('E') != std::string::npos) {
        return false;
    }
    const auto point = text.find('.');
    return point == std::string::npos || text.size() - point - 1 <= 6;
}

// Steps the value at index 0; true when it stepped, false on the refusals
// the number rules allow, with the value left as it was.
bool step(OffsetTable& table, int delta) {
    const std::string before = table.value(0);
    try {
        table.stepSelected(delta);
        return true;
    } catch (const RuntimeError& error) {
        const bool allowed =
            error.code() == ErrorCode::TypeMismatch || error.code() == ErrorCode::Overflow;
        if (!allowed || table.value(0) != before) {
            std::abort();
        }
        return false;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (const int delta : {+1, -1}) {
        OffsetTable table;
        table.setValue(0, text);
        if (!step(table, delta)) {
            continue;
        }
        const std::string stepped = table.value(0);
        double result = 0;
        try {
            result = readNumber(stepped);
        } catch (const RuntimeError& error) {
            if (error.code() != ErrorCode::Overflow) {  // 1.79769313486232E+308 rounds up
                std::abort();
            }
            continue;
        }
        const double original = readNumber(text);
        if (isShortDecimal(original) && step(table, -delta) &&
            table.value(0) != writeNumber(original)) {
            std::abort();
        }
        (void)result;
    }
    return 0;
}
