#include "file_name.h"

#include "runtime_error.h"

namespace zelvane::platform {

std::filesystem::path pathFromUtf8(std::string_view name) {
    return std::filesystem::path(std::u8string(name.begin(), name.end()));
}

std::string utf8FromPath(const std::filesystem::path& path) {
    const std::u8string text = std::filesystem::path(path).make_preferred().u8string();
    return {text.begin(), text.end()};
}

std::string whyNotPlainFileName(std::string_view name) {
    // Longer names exist on no common file system, and some systems answer
    // them with a misleading error, so they are refused before asking.
    constexpr std::size_t longestName = 255;
    if (name.size() > longestName) {
        return "it would be longer than 255 bytes";
    }
    constexpr std::string_view refused = "/\\:<>\"|?*";
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            return "a control character is not allowed";
        }
        if (refused.find(c) != std::string_view::npos) {
            std::string reason(1, '"');
            reason += c;
            return reason + "\" is not allowed";
        }
    }
    return {};
}

void checkPlainFileName(std::string_view name) {
    const std::string reason = whyNotPlainFileName(name);
    if (!reason.empty()) {
        throw RuntimeError(ErrorCode::BadFileNameOrNumber,
                           "\"" + std::string(name) + "\" cannot be a file name: " + reason);
    }
}

}  // namespace zelvane::platform
