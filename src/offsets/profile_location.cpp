#include "profile_location.h"

#include "platform/file_name.h"
#include "platform/runtime_error.h"

namespace zelvane::offsets {

using platform::ErrorCode;
using platform::RuntimeError;

namespace {

// The absolute form a person reads best: no "." or "..", no separator at
// the end ("/home/me/profiles", not "/home/me/profiles/sub/../").
std::filesystem::path absoluteFolderPath(std::string_view utf8Path) {
    std::error_code error;
    std::filesystem::path path =
        std::filesystem::absolute(platform::pathFromUtf8(utf8Path), error).lexically_normal();
    if (error) {
        throw RuntimeError(ErrorCode::PathNotFound);
    }
    if (!path.has_filename() && path.has_relative_path()) {
        path = path.parent_path();
    }
    return path;
}

}  // namespace

ProfileLocation ProfileLocation::resolve(std::string_view utf8Path) {
    const std::filesystem::path path = absoluteFolderPath(utf8Path);
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        return {path, {}};
    }
    const std::u8string name = path.filename().u8string();
    if (name.empty() || !std::filesystem::is_directory(path.parent_path(), error)) {
        throw RuntimeError(ErrorCode::PathNotFound);
    }
    return {path.parent_path(), std::string(name.begin(), name.end())};
}

}  // namespace zelvane::offsets
