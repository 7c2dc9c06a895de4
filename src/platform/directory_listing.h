#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zelvane::platform {

// Whether a file name matches a pattern in which * stands for any run of
// characters (the empty one too). Letters compare without regard to ASCII
// case, so that profiles copied from a system that upper-cases names still
// list: VC_OFFSET_01.MPF matches vc_offset_*.mpf.
bool matchesPattern(std::string_view name, std::string_view pattern);

// Whether two names are the same but for ASCII case.
bool equalIgnoringCase(std::string_view a, std::string_view b);

// The names, without directory, of the regular files in a folder (links to
// regular files included) that match the pattern, in the order people
// count in: numbers by their value, letters without regard to ASCII case.
// Directories, pipes, devices and sockets are never listed. Names are
// filtered before the file system is asked about any entry, so a large
// directory costs little more than reading it.
std::vector<std::string> listMatchingFiles(const std::filesystem::path& folder,
                                           std::string_view pattern);

}  // namespace zelvane::platform
