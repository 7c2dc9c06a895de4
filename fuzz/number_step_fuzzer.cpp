// Arbitrary text stepped up and back down: a step either works or is
// refused with a run-time error 13 or 6, leaving the value as it was; and a
// number below 1e8 written with at most six decimals comes back to itself.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "offsets/offset_table.h"
#include "platform/number_text.h"
#include "platform/runtime_error.h"

using namespace zelvane;
using platform::ErrorCode;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    offsets::OffsetTable table;
    table.setValue(0, text);
    std::string before = text;
    try {
        table.stepSelected(+1);
        before = table.value(0);
        table.stepSelected(-1);
    } catch (const platform::RuntimeError& error) {
        const ErrorCode code = error.code();
        if ((code != ErrorCode::TypeMismatch && code != ErrorCode::Overflow) ||
            table.value(0) != before) {
            std::abort();
        }
        return 0;
    }
    const auto point = text.find('.');
    const bool shortDecimal =
        text.find_first_of("eE") == std::string::npos &&
        std::fabs(platform::readNumber(text)) < 1e8 &&
        (point == std::string::npos || text.find_last_of("0123456789") < point + 7);
    if (shortDecimal && table.value(0) != platform::writeNumber(platform::readNumber(text))) {
        std::abort();
    }
    return 0;
}
