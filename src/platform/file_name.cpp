#include "file_name.h"

#include <string>

#include "runtime_error.h"

namespace zelvane::platform {

std::filesystem::path pathFromUtf8(std::string_view name) {
    return std::filesystem::path(std::u8string(name.begin(), name.end()));
}

void checkPlainFileName(std::string_view name) {
    // Longer names exist on no common file system, and some systems answer
    // them with a misleading error, so they are refused before asking.
    constexpr std::size_t longestName = 255;
    if (name.size() > longestName) {
        throw RuntimeError(ErrorCode::BadFileNameOrNumber);
    }
    constexpr std::string_view refused = "/\\:<>\"|?*";
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || refused.find(c) != std::string_view::npos) {
            throw RuntimeError(ErrorCode::BadFileNameOrNumber);
        }
    }
}

}  // namespace zelvane::platform
