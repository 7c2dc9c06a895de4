#pragma once

#include <filesystem>
#include <string_view>

namespace zelvane::platform {

// A file name given as UTF-8 text, as a path the operating system opens
// under that very name (UTF-8 bytes on Linux and macOS, UTF-16 on Windows).
std::filesystem::path pathFromUtf8(std::string_view name);

// Refuses, with BadFileNameOrNumber, a name that could leave its folder or that Windows cannot
// hold: a path separator, a drive colon, a control character or one of < > " | ? *, or longer than
// 255 bytes. Profiles move between systems, so the same names are refused everywhere.
void checkPlainFileName(std::string_view name);

}  // namespace zelvane::platform
