#include "offset_table.h"

#include <cassert>
#include <cmath>
#include <utility>

#include "platform/number_text.h"
#include "platform/runtime_error.h"

namespace zelvane::offsets {
namespace {

void checkIndex([[maybe_unused]] int index) {
    assert(index >= 0 && index < OffsetTable::size);
}

}  // namespace

void OffsetTable::reset() {
    const std::string zero = platform::writeNumber(0);
    for (auto& value : m_values) {
        value = zero;
    }
}

const std::string& OffsetTable::value(int index) const {
    checkIndex(index);
    return m_values[index];
}

void OffsetTable::setValue(int index, std::string text) {
    checkIndex(index);
    m_values[index] = std::move(text);
}

void OffsetTable::select(int index) {
    checkIndex(index);
    m_selected = static_cast<std::int16_t>(index);
}

void OffsetTable::stepSelected(double delta) {
    assert(std::isfinite(delta));
    std::string& value = m_values[m_selected];
    try {
        value = platform::addToNumber(value, delta);
    } catch (const platform::RuntimeError& error) {
        const std::string why = error.code() == platform::ErrorCode::Overflow
                                    ? "which is too large a number to step"
                                    : "which is not a number: use digits, a sign and a point";
        throw platform::RuntimeError(error.code(), OffsetLayout::cellName(m_selected) + " holds " +
                                                       platform::quotedForMessage(value) + ", " +
                                                       why);
    }
}

}  // namespace zelvane::offsets
