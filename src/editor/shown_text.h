#pragma once

#include <QString>
#include <filesystem>
#include <string>
#include <string_view>

// Names and paths between the file system and the window. On Linux a name
// is bytes and need not be UTF-8; a QString holds only text. Bytes that are
// no UTF-8 are shown as \xHH (platform::visibleText) and read back as those
// bytes, so a name keeps its own bytes from listing to reading to saving.
namespace zelvane::editor {

// A name, message or value from the platform layer as the window shows it.
QString shownText(std::string_view bytes);
// The bytes of a slot the window showed, or a person typed: only here is
// \xHH turned back into its byte.
std::string nameBytes(const QString& text);
// A path as the folder line shows it.
QString shownPath(const std::filesystem::path& path);
// A path between the file system and Qt (the folder chooser, a dropped
// link, the command line on Windows), in Qt's own encoding of file names:
// a folder named a\xE9, backslash and all, is that folder.
QString qtPath(const std::filesystem::path& path);
std::filesystem::path pathFromQt(const QString& text);
// The command line's argument as the system spells it: on Linux the bytes
// of the argv entry it was decoded from, as a name is bytes and Qt's
// arguments lose those that are not UTF-8.
std::filesystem::path pathOfArgument(const QString& argument, int argc, char* argv[]);

}  // namespace zelvane::editor
