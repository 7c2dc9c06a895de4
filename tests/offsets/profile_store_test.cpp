#include "offsets/profile_store.h"

#include <string>
#include <vector>

#include "platform/file_name.h"
#include "platform/text_encoding.h"
#include "support/support.h"

namespace zelvane::offsets {
namespace {

using testing::ErrorCode;
using testing::failureOf;
using testing::numberedTable;
using testing::valuesOf;

std::string lines(const std::string& line, std::size_t count) {
    std::string bytes;
    for (std::size_t i = 0; i < count; ++i) {
        bytes += line + "\r\n";
    }
    return bytes;
}

const std::string longest(65535, '7');

class ProfileStoreTest : public testing::ScratchDirectoryTest {};

TEST_F(ProfileStoreTest, SavesSixtyCrLfLinesThatReadBackAsThemselves) {
    OffsetTable table;
    table.reset();
    ProfileStore::saveProfile(table, "00");
    EXPECT_EQ(readBytes("vc_offset_00.mpf"), lines("0", 60));  // 180 bytes
    std::string latin1 = "x";                                  // every character a value can hold
    for (int byte = 1; byte < 256; ++byte) {
        latin1 += byte == ',' || byte == '\r' || byte == '\n' ? '\0' : static_cast<char>(byte);
    }
    const std::string shapes[] = {"",    "-1.5", "#12#",  "a\"b",
                                  "x y", "+007", longest, platform::latin1ToUtf8(latin1)};
    for (int i = 0; i < 8; ++i) {
        table.setValue(i * 7, shapes[i]);
    }
    ProfileStore::saveProfile(table, "00");
    OffsetTable read = numberedTable("old");
    read.select(9);
    ProfileStore::readProfile("vc_offset_00.mpf", read);
    EXPECT_EQ(valuesOf(read), valuesOf(table));
    EXPECT_EQ(read.selected(), 9);
}

TEST_F(ProfileStoreTest, JoinsSlotsUnchangedAndTakesThemBackFromTheName) {
    for (const std::string slot : {"00", "", "7", "123", "..", " a", "\xC3\xA9\x31"}) {
        const std::string name = "vc_offset_" + slot + ".mpf";
        EXPECT_EQ(ProfileStore::profileFileName(slot), name);
        ProfileStore::saveProfile(numberedTable(""), slot);
        EXPECT_TRUE(std::filesystem::exists(platform::pathFromUtf8(name))) << name;
        EXPECT_EQ(ProfileStore::slotFromFileName(name), slot);
    }
    EXPECT_EQ(ProfileStore::listProfiles().size(), 7U);
    EXPECT_EQ(ProfileStore::slotFromFileName("VC_OFFSET_01.MPF"), "01");
    // UTF-8 slots name files in Unicode (UTF-16 on Windows), not the ANSI code page.
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(u8"vc_offset_\u00E91.mpf")));
}

TEST_F(ProfileStoreTest, RefusesWhatItCannotSaveAndWritesNothing) {
    ProfileStore::saveProfile(numberedTable("old"), "00");
    ProfileStore::saveProfile(numberedTable("old"), "ro");
    const auto readOnly = std::filesystem::perms::owner_write;
    std::filesystem::permissions("vc_offset_ro.mpf", readOnly,
                                 std::filesystem::perm_options::remove);
    const auto before = snapshot();
    for (const std::string slot :
         {"../x", "a/b", "a\\b", "C:x", "a\x1F", "a\x7F", "a*", "|", "<"}) {
        EXPECT_EQ(failureOf([&] { ProfileStore::saveProfile(numberedTable(""), slot); }),
                  ErrorCode::BadFileNameOrNumber)
            << slot;
    }
    EXPECT_EQ(
        failureOf([] { ProfileStore::saveProfile(numberedTable(""), std::string(242, 'a')); }),
        ErrorCode::BadFileNameOrNumber);  // a name of 256 bytes
    EXPECT_EQ(failureOf([] { ProfileStore::saveProfile(numberedTable(""), "ro"); }),
              ErrorCode::PathFileAccessError);
    const std::pair<std::string, std::string> values[] = {
        {"1,5", "holds a comma"},
        {"a\nb", "holds a line break"},
        {"  \"5", "starts with a double quote"},
        {"\xE2\x88\x92"
         "5",
         "holds a character beyond Latin-1"},
        {longest + "7", "is longer than 65,535 characters"}};
    for (const auto& [value, reason] : values) {
        OffsetTable table = numberedTable("new");
        table.setValue(58, value);
        std::string description;
        EXPECT_EQ(failureOf([&] { ProfileStore::saveProfile(table, "00"); }, &description),
                  ErrorCode::InvalidProcedureCall);
        EXPECT_EQ(description, "The value of Instrument Y " + reason +
                                   ", which a profile cannot store. Nothing was saved.");
    }
    EXPECT_EQ(snapshot(), before);
    std::filesystem::permissions("vc_offset_ro.mpf", readOnly, std::filesystem::perm_options::add);
}

TEST_F(ProfileStoreTest, ListsRegularProfilesInCaseBlindOrder) {
    for (const char* name : {"vc_offset_b.mpf", "VC_OFFSET_A.MPF", "Vc_Offset_C.mpf",
                             "vc_offset_.mpf", "vc_offset_10.mpf", "vc_offset_\xC3\xA9.mpf",
                             "vc_offset_a.mpf.mpf", "vc_offset_00.mpf.bak", "xvc_offset_00.mpf",
                             "vc_offset00.mpf", "vc_offset_00.mp", ".zelvane-save-abc"}) {
        writeBytes(platform::pathFromUtf8(name), "0\r\n");
    }
    std::filesystem::create_directory("vc_offset_dir.mpf");
    std::vector<std::string> expected{"vc_offset_.mpf",      "vc_offset_10.mpf", "VC_OFFSET_A.MPF",
                                      "vc_offset_a.mpf.mpf", "vc_offset_b.mpf",  "Vc_Offset_C.mpf"};
#ifndef _WIN32
    std::filesystem::create_symlink("vc_offset_b.mpf", "vc_offset_link.mpf");
    std::filesystem::create_symlink("missing", "vc_offset_dangling.mpf");
    std::filesystem::create_symlink("/dev/zero", "vc_offset_zero.mpf");
    std::filesystem::create_symlink("vc_offset_dir.mpf", "vc_offset_dirlink.mpf");
    expected.push_back("vc_offset_link.mpf");
#endif
    expected.push_back("vc_offset_\xC3\xA9.mpf");
    EXPECT_EQ(ProfileStore::listProfiles(), expected);
}

struct ReadCase {
    const char* name;
    std::string bytes;              // a readable file begins with as many 0 lines as it needs
    std::vector<std::string> last;  // the last values read; all before them are 0
    ErrorCode failure = {};         // if any, the table stays as it was
    friend void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }
};

class ReadsProfiles : public ProfileStoreTest, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(ReadsProfiles, FieldByFieldAllOrNothing) {
    const ReadCase& file = GetParam();
    const bool readable = file.failure == ErrorCode{};
    writeBytes("vc_offset_01.mpf",
               (readable ? lines("0", 60 - file.last.size()) : "") + file.bytes);
    std::filesystem::create_directory("vc_offset_dir.mpf");
    OffsetTable table = numberedTable("old");
    std::string description;
    const std::string name = file.bytes.empty() ? file.name : "vc_offset_01.mpf";
    EXPECT_EQ(failureOf([&] { ProfileStore::readProfile(name, table); }, &description),
              file.failure);
    std::vector<std::string> expected = valuesOf(numberedTable("old"));
    if (readable) {
        expected.assign(60 - file.last.size(), "0");
        expected.insert(expected.end(), file.last.begin(), file.last.end());
    }
    EXPECT_EQ(valuesOf(table), expected);
    if (file.failure == ErrorCode::OutOfStringSpace) {
        EXPECT_EQ(description,
                  "Field 3 of vc_offset_01.mpf is longer than 65,535 characters, "
                  "which no profile holds. Nothing was read.");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, ReadsProfiles,
    ::testing::Values(
        ReadCase{"SixtyOneLines", "9\r\n", {}},
        ReadCase{"LineEndsAndCommas", "1\r\n2\n3\r4,5,,6\r\n", {"1", "2", "3", "4", "5", "", "6"}},
        ReadCase{"EmptyLines", "\r\n\r\n5\r\n", {"", "", "5"}},
        ReadCase{"Blanks", "  12  \r\n\t7\t,8\r\n", {"12", "7", "8"}},
        ReadCase{"Quoted",
                 "\"a,b\"\r\n\"\"\r\n\"a\r\nb\"\r\n\"a\"  ,b\r\n\"ab\"cd\n",
                 {"a,b", "", "a\r\nb", "a", "b", "ab", "cd"}},
        ReadCase{"QuotesInsideAndNumberSigns", "a\"b\r\n#1#\r\n", {"a\"b", "#1#"}},
        ReadCase{"NulAndLatin1",
                 std::string("a\0b\r\n\xE9\xFF\x80\r\n", 10),
                 {std::string("a\0b", 3), "\xC3\xA9\xC3\xBF\xC2\x80"}},
        ReadCase{"LongestAcrossTheBuffer",
                 "  " + longest + "\r\n\"" + longest + "\"\r\n" + longest,
                 {longest, longest, longest}},
        ReadCase{"UnterminatedQuote", "\"ab,c\r\nd", {"ab,c\r\nd"}},
        ReadCase{"FiftyNineLines", lines("1", 59), {}, ErrorCode::InputPastEndOfFile},
        ReadCase{"BlanksOnly", "   ", {}, ErrorCode::InputPastEndOfFile},
        ReadCase{
            "ValueTooLong", "1,2," + lines(longest + "7", 60), {}, ErrorCode::OutOfStringSpace},
        ReadCase{"QuoteTooLong", "1,2,\"" + longest + "7\"", {}, ErrorCode::OutOfStringSpace},
        ReadCase{"BlanksTooLong",
                 "1,2," + std::string(65536, ' ') + "5",
                 {},
                 ErrorCode::OutOfStringSpace},
        ReadCase{"vc_offset_gone.mpf", "", {}, ErrorCode::FileNotFound},
        ReadCase{"vc_offset_dir.mpf", "", {}, ErrorCode::PathFileAccessError},
        ReadCase{"../vc_offset_01.mpf", "", {}, ErrorCode::BadFileNameOrNumber}),
    [](const auto& info) { return std::to_string(info.index); });

}  // namespace
}  // namespace zelvane::offsets
