#include "file_name.h"

#include <string>

#include "runtime_error.h"

namespace zelvane::platform {

std::filesystem::path pathFromUtf8(std::string_view name) {
    return std::filesystem::path(std::u8string(name.begin(), name.end()));
}

void checkPlainFileName(std::string_view name) {
    constexpr std::string_view refused = "/\\:<>\"|?*";
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || refused.find(c) != std::string_view::npos) {
            throw RuntimeError(ErrorCode::BadFileNameOrNumber);
        }
    }
}

}  // namespace zelvane::platform
