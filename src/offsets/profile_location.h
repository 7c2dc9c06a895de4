#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace zelvane::offsets {

// What a path handed to the editor names: on its command line, dropped on
// its window or opened from a file manager. A folder is worked in; a
// profile is read, and its folder worked in.
struct ProfileLocation {
    std::filesystem::path folder;  // absolute
    std::string profile;           // the profile's name in folder; empty for a folder alone

    // Relative paths start from the working directory. Raises RuntimeError
    // PathNotFound when neither the path nor its parent is a folder, or when
    // nothing is at a path not named like a profile (a mistyped folder), and
    // BadFileNameOrNumber for an existing file not named like a profile
    // (which is not read, whatever it holds); whether the profile exists and
    // reads is for ProfileStore::readProfile to say.
    static ProfileLocation resolve(const std::filesystem::path& given);
};

}  // namespace zelvane::offsets
