#include "text_encoding.h"

namespace zelvane::platform {

std::string latin1ToUtf8(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            text.push_back(c);
        } else {
            text.push_back(static_cast<char>(0xC0 | (byte >> 6)));
            text.push_back(static_cast<char>(0x80 | (byte & 0x3F)));
        }
    }
    return text;
}

namespace {

// The length of the valid UTF-8 character at the start of text (1 to 4),
// or 0 when its first byte starts none: a stray continuation byte, an
// overlong form, a surrogate, a code point beyond U+10FFFF, or a character
// cut short.
std::size_t utf8CharacterLength(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    if (lead < 0x80) {
        return 1;
    }
    std::size_t length = 0;
    unsigned char lowest = 0x80;
    unsigned char highest = 0xBF;  // what the second byte may be
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        lowest = lead == 0xE0 ? 0xA0 : 0x80;
        highest = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        lowest = lead == 0xF0 ? 0x90 : 0x80;
        highest = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (text.size() < length) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < (i == 1 ? lowest : 0x80) || byte > (i == 1 ? highest : 0xBF)) {
            return 0;
        }
    }
    return length;
}

constexpr char hexDigits[] = "0123456789ABCDEF";

int hexValue(char c) {
    const char* digit = std::char_traits<char>::find(hexDigits, 16, c);
    return digit == nullptr ? -1 : static_cast<int>(digit - hexDigits);
}

}  // namespace

std::string visibleText(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    while (!bytes.empty()) {
        const auto byte = static_cast<unsigned char>(bytes[0]);
        std::size_t length = utf8CharacterLength(bytes);
        if (length == 0 || byte < 0x20 || byte == 0x7F) {
            text += "\\x";
            text.push_back(hexDigits[byte >> 4]);
            text.push_back(hexDigits[byte & 0x0F]);
            length = 1;
        } else {
            text.append(bytes.substr(0, length));
        }
        bytes.remove_prefix(length);
    }
    return text;
}

std::string bytesOfVisibleText(std::string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.substr(i, 2) == "\\x" && i + 3 < text.size()) {
            const int high = hexValue(text[i + 2]);
            const int low = hexValue(text[i + 3]);
            if (high >= 8 && low >= 0) {
                bytes.push_back(static_cast<char>(high * 16 + low));
                i += 3;
                continue;
            }
        }
        bytes.push_back(text[i]);
    }
    return bytes;
}

std::optional<std::string> utf8ToLatin1(std::string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            bytes.push_back(text[i]);
            continue;
        }
        // Only C2 xx and C3 xx encode U+0080 to U+00FF.
        if ((lead != 0xC2 && lead != 0xC3) || i + 1 == text.size()) {
            return std::nullopt;
        }
        const auto trail = static_cast<unsigned char>(text[++i]);
        if ((trail & 0xC0) != 0x80) {
            return std::nullopt;
        }
        bytes.push_back(static_cast<char>(((lead & 0x03) << 6) | (trail & 0x3F)));
    }
    return bytes;
}

}  // namespace zelvane::platform
