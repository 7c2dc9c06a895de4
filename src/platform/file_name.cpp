#include "file_name.h"

#include "runtime_error.h"
#include "text_encoding.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace zelvane::platform {

std::filesystem::path pathFromUtf8(std::string_view name) {
    return std::filesystem::path(std::u8string(name.begin(), name.end()));
}

#ifdef _WIN32
// A name holding half a UTF-16 surrogate pair has no UTF-8 form; it shows
// with U+FFFD in its place rather than failing (the standard conversion
// throws).
std::string utf8FromPath(const std::filesystem::path& path) {
    const std::wstring wide = std::filesystem::path(path).make_preferred().native();
    const int wideSize = static_cast<int>(wide.size());
    const int size =
        ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideSize, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideSize, text.data(), size, nullptr, nullptr);
    return text;
}

std::filesystem::path systemPath(const std::filesystem::path& path) {
    const std::wstring prefix = L"\\\\?\\";
    const std::wstring given = std::filesystem::path(path).make_preferred().native();
    if (given.starts_with(prefix)) {
        return path;
    }
    // A share's path (\\server\share\...) is absolute already, though the
    // library takes it for one relative to the current drive.
    if (given.starts_with(L"\\\\")) {
        return prefix + L"UNC\\" +
               std::filesystem::path(given.substr(2)).lexically_normal().native();
    }
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    if (error) {
        return path;  // the system will say what is wrong with it
    }
    return prefix + absolute.lexically_normal().make_preferred().native();
}
#else
// A name is bytes here, passed as they are, UTF-8 or not.
std::string utf8FromPath(const std::filesystem::path& path) {
    return path.native();
}

std::filesystem::path systemPath(const std::filesystem::path& path) {
    return path;
}
#endif

namespace {

std::string notAllowed(char c) {
    std::string reason(1, '"');
    reason += c;
    return reason + "\" is not allowed";
}

}  // namespace

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
            return notAllowed(c);
        }
    }
    return {};
}

std::string whyNotNameInFolder(std::string_view name) {
    if (name.empty() || name == "." || name == "..") {
        return "it names no file in the folder";
    }
#ifdef _WIN32
    constexpr std::string_view refused("/\\:\0", 4);
#else
    constexpr std::string_view refused("/\0", 2);
#endif
    const std::size_t at = name.find_first_of(refused);
    if (at == std::string_view::npos) {
        return {};
    }
    if (name[at] == '\0') {
        return "a NUL character is not allowed";
    }
    return notAllowed(name[at]);
}

void checkNameInFolder(std::string_view name) {
    const std::string reason = whyNotNameInFolder(name);
    if (!reason.empty()) {
        throw RuntimeError(ErrorCode::BadFileNameOrNumber,
                           "\"" + visibleText(name) + "\" cannot be a file name: " + reason);
    }
}

}  // namespace zelvane::platform
