// Arbitrary text stepped up and back down: either refused with a run-time
// error 13 or 6 and left as it was, or a plain number; and a number below
// 1e8 with at most six decimals comes back to itself.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "offsets/offset_table.h"
#include "platform/number_text.h"
#include "platform/runtime_error.h"

using namespace zelvane;

namespace {

// Steps value 0; false on a refusal the number rules allow.
bool step(offsets::OffsetTable& table, int delta) {
    const std::string before = table.value(0);
    try {
        table.stepSelected(delta);
        return true;
    } catch (const platform::RuntimeError& error) {
        const bool allowed = error.code() == platform::ErrorCode::TypeMismatch ||
                             error.code() == platform::ErrorCode::Overflow;
        if (!allowed || table.value(0) != before) {
            std::abort();
        }
        return false;
    }
}

bool isShortDecimal(const std::string& text) {
    const std::string shown = platform::writeNumber(platform::readNumber(text));
    const auto point = shown.find('.');
    return std::fabs(platform::readNumber(shown)) < 1e8 && shown.find('E') == std::string::npos &&
           (point == std::string::npos || shown.size() - point - 1 <= 6) &&
           platform::readNumber(shown) == platform::readNumber(text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    offsets::OffsetTable table;
    table.setValue(0, text);
    if (step(table, +1) && step(table, -1) && isShortDecimal(text) &&
        table.value(0) != platform::writeNumber(platform::readNumber(text))) {
        std::abort();
    }
    return 0;
}
