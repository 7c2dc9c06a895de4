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
    if (peek() != endOfFile &&
        std::string_view(m_buffer.data(), m_end).starts_with(byteOrderMark)) {
        m_position = byteOrderMark.size();
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
    m_end = m_file.readSome(m_buffer.data(), m_buffer.size());
    return m_end > 0;
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
