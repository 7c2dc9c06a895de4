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

// A character as a message names it, so that one that looks like another
// (a minus sign pasted from a word processor looks like a hyphen) can be
// told apart and looked up: its code point, its name if it is one of those
// that word processors put into numbers, and itself in quotes, U+2212 MINUS
// SIGN "−". A control character, a mark that reorders text or shows
// nothing, a line separator or half of a UTF-16 pair, which would garble
// the message, is named by its code point alone.
std::string characterForMessage(char32_t codePoint);

// The first character of a UTF-8 text that has no one-byte form, as
// characterForMessage names it, or the first byte that starts no UTF-8
// character, as \xHH; empty when utf8ToLatin1 takes the whole text.
std::string firstBeyondLatin1(std::string_view text);

// A name as people can read it. On Linux a name is bytes, and a folder from
// an old disk or a share mounted with another character set has names that
// are not UTF-8 (a Latin-1 "caf\xE9"): every byte that is no part of a
// UTF-8 character, and every byte of a control character, of a mark that
// reorders text or shows nothing, or of a line separator, shows as \xHH
// (upper-case hex), so the same name always shows the same, two such names
// never look alike, and none turns a message around or breaks it in two.
// Other valid UTF-8 passes unchanged.
std::string visibleText(std::string_view bytes);

// The name whose visibleText this is: each \xHH of a byte from 80 to FF
// becomes that byte again, so a slot taken from a name that is not UTF-8
// saves back to that very file. A backslash can be in no profile's name, so
// nothing a person types as a name is changed.
std::string bytesOfVisibleText(std::string_view text);

}  // namespace zelvane::platform
