#include "offsets/profile_store.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "filled_table.h"
#include "platform/file_name.h"
#include "support/failure_of.h"
#include "support/scratch_directory.h"

namespace zelvane::offsets {
namespace {

using platform::ErrorCode;
using testing::failureOf;

std::string repeat(const std::string& text, int count) {
    std::string bytes;
    for (int i = 0; i < count; ++i) {
        bytes += text;
    }
    return bytes;
}

OffsetTable numberedTable(const std::string& tag) {
    OffsetTable table;
    for (int index = 0; index < OffsetTable::size; ++index) {
        table.setValue(index, tag + std::to_string(index));
    }
    return table;
}

void expectSameValues(const OffsetTable& actual, const OffsetTable& expected) {
    for (int index = 0; index < OffsetTable::size; ++index) {
        EXPECT_EQ(actual.value(index), expected.value(index)) << "index " << index;
    }
}

class ProfileStoreTest : public testing::ScratchDirectoryTest {};

TEST_F(ProfileStoreTest, SavesAResetTableAsSixtyZeroLines) {
    OffsetTable table;
    table.reset();
    ProfileStore::saveProfile(table, "00");
    EXPECT_EQ(readBytes("vc_offset_00.mpf"), repeat("0\r\n", 60));  // 180 bytes
    ProfileStore::saveProfile(numberedTable("b"), "00");
    OffsetTable read;
    ProfileStore::readProfile("vc_offset_00.mpf", read);
    expectSameValues(read, numberedTable("b"));
    EXPECT_EQ(ProfileStore::listProfiles(), std::vector<std::string>{"vc_offset_00.mpf"});
}

TEST_F(ProfileStoreTest, EveryStorableValueReadsBackAsItself) {
    const std::vector<std::string> shapes{"",
                                          "-1.5",
                                          "1E+15",
                                          "abc",
                                          "#12#",
                                          "a\"b",
                                          "x y",
                                          "+007",
                                          "\xC3\xA9",
                                          "\xC3\xBF\xC2\x80",
                                          std::string("n\0l", 3)};
    OffsetTable table = filledTable("0");
    for (std::size_t i = 0; i < shapes.size(); ++i) {
        table.setValue(static_cast<int>(i * 5), shapes[i]);
    }
    ProfileStore::saveProfile(table, "rt");
    OffsetTable read;
    ProfileStore::readProfile("vc_offset_rt.mpf", read);
    expectSameValues(read, table);
}

TEST_F(ProfileStoreTest, JoinsSlotsUnchangedAndTakesThemBackFromTheName) {
    const std::vector<std::pair<std::string, std::string>> cases{
        {"00", "vc_offset_00.mpf"},
        {"", "vc_offset_.mpf"},
        {"7", "vc_offset_7.mpf"},
        {"123", "vc_offset_123.mpf"},
        {"..", "vc_offset_...mpf"},
        {" a", "vc_offset_ a.mpf"},
        {"\xC3\xA9\x31", "vc_offset_\xC3\xA9\x31.mpf"}};
    for (const auto& [slot, name] : cases) {
        EXPECT_EQ(ProfileStore::profileFileName(slot), name);
        ProfileStore::saveProfile(filledTable("0"), slot);
        EXPECT_TRUE(std::filesystem::exists(platform::pathFromUtf8(name))) << name;
        EXPECT_EQ(ProfileStore::slotFromFileName(name), slot);
    }
    EXPECT_EQ(ProfileStore::listProfiles().size(), cases.size());
    EXPECT_EQ(ProfileStore::slotFromFileName("VC_OFFSET_01.MPF"), "01");
}

TEST_F(ProfileStoreTest, RefusesSlotsThatAreNoPlainNamePartAndWritesNothing) {
    ProfileStore::saveProfile(numberedTable("old"), "00");
    const auto before = snapshot();
    const std::vector<std::string> slots{"../x", "a/b",  "a\\b", "/tmp/x",
                                         "C:x",  "a\nb", "a*",   "a?",
                                         "<",    "|",    "\"",   std::string(300, 'a')};
    for (const std::string& slot : slots) {
        EXPECT_EQ(failureOf([&] { ProfileStore::saveProfile(numberedTable("new"), slot); }),
                  ErrorCode::BadFileNameOrNumber)
            << slot;
    }
    EXPECT_EQ(snapshot(), before);
    EXPECT_FALSE(std::filesystem::exists(directory().parent_path() / "x.mpf"));
    EXPECT_FALSE(std::filesystem::exists("/tmp/x.mpf"));
}

TEST_F(ProfileStoreTest, RefusesValuesThatWouldNotReadBackAndWritesNothing) {
    ProfileStore::saveProfile(numberedTable("old"), "00");
    const auto before = snapshot();
    const std::vector<std::pair<std::string, std::string>> cases{
        {"1,5", "holds a comma"},
        {"a\r\nb", "holds a line break"},
        {"  \"5", "starts with a double quote"},
        {"\xE2\x88\x92"
         "5",
         "holds a character beyond Latin-1"},  // typographic minus
        {"\xFF", "holds a character beyond Latin-1"}};
    for (const auto& [value, reason] : cases) {
        OffsetTable table = numberedTable("new");
        table.setValue(58, value);
        std::string description;
        EXPECT_EQ(failureOf([&] { ProfileStore::saveProfile(table, "00"); }, &description),
                  ErrorCode::InvalidProcedureCall);
        EXPECT_EQ(description, "The value of Instrument Y " + reason +
                                   ", which a profile cannot store. Nothing was saved.");
    }
    EXPECT_EQ(snapshot(), before);
}

TEST_F(ProfileStoreTest, ReadsTheFirstSixtyFieldsAndKeepsTheSelection) {
    const std::vector<std::pair<std::string, std::vector<std::string>>> files{
        {repeat("0\r\n", 60) + "9\r\n", {}},  // what follows the sixtieth is ignored
        {"1,2\r\n3\r\n" + repeat("0\r\n", 58), {"1", "2", "3"}},  // a comma splits
        {"   12\n" + repeat("0\r", 59), {"12"}}};
    for (const auto& [bytes, first] : files) {
        writeBytes("vc_offset_01.mpf", bytes);
        OffsetTable table = numberedTable("old");
        table.select(9);
        ProfileStore::readProfile("vc_offset_01.mpf", table);
        OffsetTable expected = filledTable("0");
        for (std::size_t i = 0; i < first.size(); ++i) {
            expected.setValue(static_cast<int>(i), first[i]);
        }
        expectSameValues(table, expected);
        EXPECT_EQ(table.selected(), 9);
    }
}

TEST_F(ProfileStoreTest, AFailedReadLeavesTheWholeTable) {
    writeBytes("vc_offset_59.mpf", repeat("1\r\n", 59));
    std::filesystem::create_directory("vc_offset_dir.mpf");
    const std::pair<const char*, ErrorCode> cases[] = {
        {"vc_offset_59.mpf", ErrorCode::InputPastEndOfFile},
        {"vc_offset_gone.mpf", ErrorCode::FileNotFound},
        {"vc_offset_dir.mpf", ErrorCode::PathFileAccessError},
        {"../vc_offset_00.mpf", ErrorCode::BadFileNameOrNumber},
    };
    for (const auto& [name, expected] : cases) {
        OffsetTable table = numberedTable("old");
        EXPECT_EQ(failureOf([&] { ProfileStore::readProfile(name, table); }), expected) << name;
        expectSameValues(table, numberedTable("old"));
    }
}

}  // namespace
}  // namespace zelvane::offsets
