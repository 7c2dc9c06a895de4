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
