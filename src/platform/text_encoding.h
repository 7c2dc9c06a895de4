#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zelvane::platform {

// Files hold one byte per character; those bytes are Latin-1 characters,
// while the tool's texts are UTF-8. Every byte maps to exactly one
// character, so whatever a file holds comes back byte for byte when saved.
std::string latin1ToUtf8(std::string_view bytes);

// The one-byte form of a UTF-8 text, or nothing when the text holds a
// character beyond Latin-1 or is not valid UTF-8.
std::optional<std::string> utf8ToLatin1(std::string_view text);

}  // namespace zelvane::platform
