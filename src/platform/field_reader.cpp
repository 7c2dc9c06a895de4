#include "field_reader.h"

#include "runtime_error.h"
#include "text_encoding.h"

namespace zelvane::platform {
namespace {

bool isBlank(int c) {
    return c == ' ' || c == '\t';
}

}  // namespace

FieldReader::FieldReader(const std::filesystem::path& path, std::size_t longestField)
    : m_file(FileHandle::openForInput(path)), m_longestField(longestField) {
    // Some editors begin a text file with the UTF-8 byte order mark; it is
    // no part of the first value.
    constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
    if (peek() == endOfFile) {
        return;
    }
    const std::string_view start(m_buffer.data(), m_end);
    if (start.starts_with(byteOrderMark)) {
        m_position = byteOrderMark.size();
    } else if (start.starts_with("\xFF\xFE") || start.starts_with("\xFE\xFF")) {
        m_encoding = start[0] == '\xFF' ? Encoding::Utf16LittleEndian : Encoding::Utf16BigEndian;
        m_units.assign(start.begin() + 2, start.end());
        m_position = m_end;
    }
}

std::string FieldReader::readField() {
    skipBlanks();
    if (peek() == endOfFile) {
        throw RuntimeError(ErrorCode::InputPastEndOfFile);
    }
    std::string field;
    if (peek() == '"') {
        advance();
        appendUntil(field, "\"");
        if (peek() == '"') {
            advance();
        }
        skipBlanks();
        if (peek() == ',' || peek() == '\r' || peek() == '\n') {
            consumeLineEndOrComma();
        }
    } else {
        appendUntil(field, ",\r\n");
        while (!field.empty() && isBlank(field.back())) {
            field.pop_back();
        }
        consumeLineEndOrComma();
    }
    return latin1ToUtf8(field);
}

int FieldReader::peek() {
    if (m_position == m_end && !refill()) {
        return endOfFile;
    }
    return static_cast<unsigned char>(m_buffer[m_position]);
}

bool FieldReader::refill() {
    m_position = 0;
    if (m_encoding != Encoding::OneByte) {
        return refillFromUtf16();
    }
    m_end = m_file.readSome(m_buffer.data(), m_buffer.size());
    return m_end > 0;
}

// A unit left over at the end of the file, half a character, is dropped.
bool FieldReader::refillFromUtf16() {
    m_end = 0;
    if (m_units.size() - m_unitsPosition < 2) {
        readUnits();
    }
    const bool little = m_encoding == Encoding::Utf16LittleEndian;
    for (; m_unitsPosition + 1 < m_units.size() && m_end < m_buffer.size(); m_unitsPosition += 2) {
        const auto low = static_cast<unsigned char>(m_units[m_unitsPosition + (little ? 0 : 1)]);
        const auto high = static_cast<unsigned char>(m_units[m_unitsPosition + (little ? 1 : 0)]);
        if (high != 0) {
            throw RuntimeError(ErrorCode::BadFileMode, {},
                               "it is UTF-16 text holding the character " +
                                   characterForMessage(static_cast<char32_t>((high << 8U) | low)) +
                                   ", which has no one-byte form a profile can hold");
        }
        m_buffer[m_end++] = static_cast<char>(low);
    }
    return m_end > 0;
}

// The next bytes of the file after the half unit left over, if any: as
// many as make a buffer's worth of characters.
void FieldReader::readUnits() {
    m_units.erase(m_units.begin(), m_units.begin() + static_cast<std::ptrdiff_t>(m_unitsPosition));
    m_unitsPosition = 0;
    const std::size_t kept = m_units.size();
    m_units.resize(kept + m_buffer.size() * 2);
    m_units.resize(kept + m_file.readSome(m_units.data() + kept, m_units.size() - kept));
}

void FieldReader::skipBlanks() {
    for (std::size_t skipped = 0; isBlank(peek()); ++skipped) {
        checkLength(skipped + 1);
        advance();
    }
}

void FieldReader::checkLength(std::size_t length) const {
    if (length > m_longestField) {
        throw RuntimeError(ErrorCode::OutOfStringSpace);
    }
}

void FieldReader::appendUntil(std::string& field, std::string_view stops) {
    while (peek() != endOfFile) {
        const std::string_view available(m_buffer.data() + m_position, m_end - m_position);
        const std::size_t stop = available.find_first_of(stops);
        const std::string_view part = available.substr(0, stop);
        checkLength(field.size() + part.size());
        field.append(part);
        if (stop != std::string_view::npos) {
            m_position += stop;
            return;
        }
        m_position = m_end;
    }
}

void FieldReader::consumeLineEndOrComma() {
    const int c = peek();
    if (c == ',' || c == '\n') {
        advance();
    } else if (c == '\r') {
        advance();
        if (peek() == '\n') {
            advance();
        }
    }
}

}  // namespace zelvane::platform
