#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace zelvane::platform {

// A file name given as UTF-8 text, as a path the operating system opens
// under that very name (UTF-8 bytes on Linux and macOS, UTF-16 on Windows).
std::filesystem::path pathFromUtf8(std::string_view name);

// The UTF-8 text of a path, for messages and for names read back, with the
// system's own separators (C:\Users\me on Windows).
std::string utf8FromPath(const std::filesystem::path& path);

// The path the system is handed to open, replace or list a file. On
// Windows it is the extended-length form of the absolute path, so that its
// length never matters (without it, 260 characters is the most unless the
// system's own long-path setting is on): \\?\C:\... for a drive path,
// \\?\UNC\server\share\... for a share. Windows takes that form
// literally, so "." and ".." are resolved first, and a relative path from
// the working directory. Elsewhere it is the path as given. Messages name
// the path as given, never this form.
std::filesystem::path systemPath(const std::filesystem::path& path);

// Why a name to be made could leave its folder or cannot be held by
// Windows, in words a person can act on ("\"/\" is not allowed"); empty for
// a plain name. Refused are a path separator, a drive colon, a control
// character, one of < > " | ? *, and names longer than 255 bytes. Profiles
// move between systems, so the same new names are refused everywhere.
std::string whyNotPlainFileName(std::string_view name);

// Why a name the folder's own listing gave could still lead out of the
// folder, or to another file than the one listed; empty when it cannot.
// Such a name exists, so what only Windows or a new name refuses is taken
// (vc_offset_a:b.mpf, written on Linux, is read there). Refused are an
// empty name, "." and "..", "/" and a NUL (where the system's name would
// end), and on Windows "\" and ":" (a drive, or a stream of another file).
std::string whyNotNameInFolder(std::string_view name);

// Raises BadFileNameOrNumber, naming the name (a NUL in it as \x00, which
// would end the message there) and why, unless it is a name in its folder.
void checkNameInFolder(std::string_view name);

}  // namespace zelvane::platform
