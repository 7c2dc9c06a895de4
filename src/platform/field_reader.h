#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "file_handle.h"

namespace zelvane::platform {

// Reads a text file field by field, by the rules every profile is read by:
// - a field ends at a comma or a line end (CR LF, a lone CR or a lone LF);
// - blanks before a field are skipped, and an unquoted field keeps none at
//   its end either;
// - a field that starts with a double quote runs to the next double quote,
//   may hold commas and line ends, and excludes the quotes; after the
//   closing quote, blanks and then one comma or line end are consumed, and
//   anything else starts the next field ("ab"cd reads as ab, then cd);
// - an empty line, or nothing between two commas, is an empty field.
// Bytes are Latin-1 characters and come back as UTF-8 text; a UTF-8 byte
// order mark at the very start is skipped. A file that starts with the
// UTF-16 byte order mark (FF FE or FE FF, as Notepad's "Unicode" writes it)
// is read as its text, which must be Latin-1 too: a character beyond it is
// refused (BadFileMode, the character as the cause). Only what the
// fields asked for is read, and no field (nor the blanks before it) may run
// past longestField characters, so a huge or hostile file costs no more
// time or memory than its start.
class FieldReader {
  public:
    FieldReader(const std::filesystem::path& path, std::size_t longestField);

    // The next field; RuntimeError InputPastEndOfFile when none is left,
    // OutOfStringSpace when it runs past longestField.
    std::string readField();

    void close() { m_file.close(); }

  private:
    static constexpr int endOfFile = -1;

    int peek();
    void advance() { ++m_position; }
    bool refill();
    bool refillFromUtf16();
    void readUnits();
    void skipBlanks();
    // Appends bytes up to, not including, the first of the stop characters.
    void appendUntil(std::string& field, std::string_view stops);
    void consumeLineEndOrComma();

    void checkLength(std::size_t length) const;

    FileHandle m_file;
    std::size_t m_longestField;
    std::array<char, std::size_t{64} * 1024> m_buffer{};
    std::size_t m_position = 0;
    std::size_t m_end = 0;
    // For a UTF-16 file: its bytes as read, which refill turns into the
    // Latin-1 bytes of m_buffer, two at a time.
    enum class Encoding { OneByte, Utf16LittleEndian, Utf16BigEndian };
    Encoding m_encoding = Encoding::OneByte;
    std::vector<char> m_units;
    std::size_t m_unitsPosition = 0;
};

}  // namespace zelvane::platform
