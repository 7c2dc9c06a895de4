#include "profile_location.h"

#include "offsets/profile_store.h"
#include "platform/directory_listing.h"
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
        throw RuntimeError(ErrorCode::PathNotFound, std::string(utf8Path));
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
    const std::string shown = platform::utf8FromPath(path);
    if (!std::filesystem::is_directory(path.parent_path(), error)) {
        throw RuntimeError(ErrorCode::PathNotFound, "neither " + shown + " nor its folder exists");
    }
    std::string name = platform::utf8FromPath(path.filename());
    if (!platform::matchesPattern(name, ProfileStore::pattern)) {
        throw RuntimeError(ErrorCode::BadFileNameOrNumber,
                           shown + " is not a profile: only vc_offset_*.mpf files are read");
    }
    return {path.parent_path(), std::move(name)};
}

}  // namespace zelvane::offsets
