#include "text_encoding.h"

#include <algorithm>
#include <array>
#include <utility>

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

// A byte as \xHH (upper-case hex).
std::string escapedByte(unsigned char byte) {
    return {'\\', 'x', hexDigits[byte >> 4U], hexDigits[byte & 0xFU]};
}

// The code point of a valid UTF-8 character of the given length.
char32_t codePointOf(std::string_view character, std::size_t length) {
    constexpr std::array<unsigned char, 5> leadBits{0, 0x7F, 0x1F, 0x0F, 0x07};
    char32_t codePoint = static_cast<unsigned char>(character[0]) & leadBits.at(length);
    for (std::size_t i = 1; i < length; ++i) {
        codePoint = (codePoint << 6U) | (static_cast<unsigned char>(character[i]) & 0x3FU);
    }
    return codePoint;
}

std::string utf8Of(char32_t codePoint) {
    if (codePoint < 0x80) {
        return std::string(1, static_cast<char>(codePoint));
    }
    std::string bytes;
    unsigned char leadMark = 0x80;  // its top bits count the bytes
    char32_t room = 0x3F;           // what the lead byte has left to hold
    do {
        bytes.insert(bytes.begin(), static_cast<char>(0x80U | (codePoint & 0x3FU)));
        codePoint >>= 6U;
        leadMark = static_cast<unsigned char>(0x80U | (leadMark >> 1U));
        room >>= 1U;
    } while (codePoint > room);
    bytes.insert(bytes.begin(), static_cast<char>(leadMark | codePoint));
    return bytes;
}

struct NamedCharacter {
    char32_t codePoint;
    std::string_view name;
};

// What word processors, spreadsheets and web pages put where a number
// wants a minus sign, a point, a comma or a space: characters that look
// like those they stand for, so a report names them. Sorted by code point.
constexpr std::array<NamedCharacter, 18> lookalikes{{
    {0x066B, "ARABIC DECIMAL SEPARATOR"},
    {0x066C, "ARABIC THOUSANDS SEPARATOR"},
    {0x2007, "FIGURE SPACE"},
    {0x2008, "PUNCTUATION SPACE"},
    {0x2009, "THIN SPACE"},
    {0x200B, "ZERO WIDTH SPACE"},
    {0x2010, "HYPHEN"},
    {0x2011, "NON-BREAKING HYPHEN"},
    {0x2012, "FIGURE DASH"},
    {0x2013, "EN DASH"},
    {0x2014, "EM DASH"},
    {0x2019, "RIGHT SINGLE QUOTATION MARK"},
    {0x202F, "NARROW NO-BREAK SPACE"},
    {0x2212, "MINUS SIGN"},
    {0xFEFF, "ZERO WIDTH NO-BREAK SPACE"},
    {0xFF0C, "FULLWIDTH COMMA"},
    {0xFF0D, "FULLWIDTH HYPHEN-MINUS"},
    {0xFF0E, "FULLWIDTH FULL STOP"},
}};
static_assert(std::is_sorted(lookalikes.begin(), lookalikes.end(),
                             [](const NamedCharacter& a, const NamedCharacter& b) {
                                 return a.codePoint < b.codePoint;
                             }),
              "looked up by halving");

// A character that shows nothing of itself, or changes how what follows
// it shows: controls of either set, the marks that reorder text from right
// to left, the joiners and invisible spaces, and the line and paragraph
// separators, which would break a message or a list's line in two.
constexpr std::array<std::pair<char32_t, char32_t>, 10> unseen{{{0x00, 0x1F},
                                                                {0x7F, 0x9F},
                                                                {0x061C, 0x061C},
                                                                {0x180E, 0x180E},
                                                                {0x200B, 0x200F},
                                                                {0x2028, 0x202E},
                                                                {0x2060, 0x2064},
                                                                {0x2066, 0x206F},
                                                                {0xFEFF, 0xFEFF},
                                                                {0xFFF9, 0xFFFB}}};

bool isUnseen(char32_t codePoint) {
    return std::any_of(unseen.begin(), unseen.end(), [codePoint](const auto& range) {
        return codePoint >= range.first && codePoint <= range.second;
    });
}

}  // namespace

std::string characterForMessage(char32_t codePoint) {
    std::string text = "U+";
    // Four hex digits at least, as Unicode writes them: U+00FF, U+1F600.
    unsigned shift = 12;
    while (shift < 28 && (codePoint >> (shift + 4)) != 0) {
        shift += 4;
    }
    for (unsigned next = shift + 4; next > 0; next -= 4) {
        text.push_back(hexDigits[(codePoint >> (next - 4)) & 0xFU]);
    }
    const auto* named = std::lower_bound(
        lookalikes.begin(), lookalikes.end(), codePoint,
        [](const NamedCharacter& entry, char32_t wanted) { return entry.codePoint < wanted; });
    if (named != lookalikes.end() && named->codePoint == codePoint) {
        text += ' ';
        text += named->name;
    }
    const bool halfOfPair = codePoint >= 0xD800 && codePoint < 0xE000;
    if (!isUnseen(codePoint) && !halfOfPair && codePoint <= 0x10FFFF) {
        text += " \"" + utf8Of(codePoint) + '"';
    }
    return text;
}

std::string firstBeyondLatin1(std::string_view text) {
    while (!text.empty()) {
        const std::size_t length = utf8CharacterLength(text);
        if (length == 0) {
            return escapedByte(static_cast<unsigned char>(text[0]));
        }
        if (const char32_t codePoint = codePointOf(text, length); codePoint > 0xFF) {
            return characterForMessage(codePoint);
        }
        text.remove_prefix(length);
    }
    return {};
}

std::string visibleText(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    while (!bytes.empty()) {
        std::size_t length = utf8CharacterLength(bytes);
        if (length == 0) {
            text += escapedByte(static_cast<unsigned char>(bytes[0]));
            length = 1;
        } else if (isUnseen(codePointOf(bytes, length))) {
            for (const char byte : bytes.substr(0, length)) {
                text += escapedByte(static_cast<unsigned char>(byte));
            }
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
