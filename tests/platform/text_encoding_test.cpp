#include "platform/text_encoding.h"

#include <gtest/gtest.h>

#include <string>

namespace zelvane::platform {
namespace {

TEST(TextEncoding, EveryByteSurvivesTheWayThroughUtf8) {
    std::string allBytes;
    for (int byte = 0; byte < 256; ++byte) {
        allBytes.push_back(static_cast<char>(byte));
    }
    const std::string text = latin1ToUtf8(allBytes);
    EXPECT_EQ(text.substr(0x80, 2), "\xC2\x80");
    EXPECT_EQ(text.substr(text.size() - 2), "\xC3\xBF");
    EXPECT_EQ(utf8ToLatin1(text), allBytes);
}

TEST(TextEncoding, RefusesWhatHasNoOneByteForm) {
    for (const std::string text : {"\xE2\x88\x92"
                                   "5",             // typographic minus
                                   "\xE2\x82\xAC",  // euro sign
                                   "\xC3",          // cut-off sequence
                                   "\xC3\x41", "\xFF"}) {
        EXPECT_FALSE(utf8ToLatin1(text).has_value()) << text;
    }
    EXPECT_EQ(utf8ToLatin1("\xC3\xA9"), "\xE9");  // é
}

}  // namespace
}  // namespace zelvane::platform
