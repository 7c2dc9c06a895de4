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
std::filesystem::path absoluteFolderPath(const std::filesystem::path& given) {
    std::error_code error;
    std::filesystem::path path = std::filesystem::absolute(given, error).lexically_normal();
    if (error) {
        throw RuntimeError(ErrorCode::PathNotFound, platform::utf8FromPath(given));
    }
    if (!path.has_filename() && path.has_relative_path()) {
        path = path.parent_path();
    }
    return path;
}

}  // namespace

ProfileLocation ProfileLocation::resolve(const std::filesystem::path& given) {
    const std::filesystem::path path = absoluteFolderPath(given);
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (std::filesystem::is_directory(status)) {
        return {path, {}};
    }
    const std::string shown = platform::utf8FromPath(path);
    if (!std::filesystem::is_directory(path.parent_path(), error)) {
        throw RuntimeError(ErrorCode::PathNotFound, "neither " + shown + " nor its folder exists");
    }
    std::string name = platform::utf8FromPath(path.filename());
    const bool exists = std::filesystem::exists(status);
    if (!platform::matchesPattern(name, ProfileStore::pattern)) {
        // A profile's name that is not there is for readProfile to report.
        if (!exists) {
            throw RuntimeError(ErrorCode::PathNotFound, shown);
        }
        throw RuntimeError(ErrorCode::BadFileNameOrNumber,
                           shown + " is not a profile: only vc_offset_*.mpf files are read");
    }
    return {path.parent_path(), std::move(name)};
}

}  // namespace zelvane::offsets
