#include "offsets/profile_store.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/file_name.h"
#include "platform/runtime_error.h"
#include "support/scratch_directory.h"

namespace zelvane::offsets {
namespace {

using platform::ErrorCode;
using platform::RuntimeError;

std::string lines(const std::vector<std::string>& values) {
    std::string bytes;
    for (const auto& value : values) {
        bytes += value + "\r\n";
    }
    return bytes;
}

std::string repeat(const std::string& text, int count) {
    std::string bytes;
    for (int i = 0; i < count; ++i) {
        bytes += text;
    }
    return bytes;
}

std::string zeroLines(int count) {
    return repeat("0\r\n", count);
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

class ProfileStoreTest : public testing::ScratchDirectoryTest {
  protected:
    static ErrorCode failureOf(const std::function<void()>& operation) {
        try {
            operation();
        } catch (const RuntimeError& error) {
            m_lastDescription = error.description();
            return error.code();
        }
        ADD_FAILURE() << "no run-time error";
        return ErrorCode{};
    }

    static inline std::string m_lastDescription;
};

TEST_F(ProfileStoreTest, SavesAResetTableAsSixtyZeroLines) {
    OffsetTable table;
    table.reset();
    ProfileStore::saveProfile(table, "00");
    EXPECT_EQ(readBytes("vc_offset_00.mpf"), zeroLines(60));
    EXPECT_EQ(std::filesystem::file_size("vc_offset_00.mpf"), 180U);
    EXPECT_EQ(ProfileStore::listProfiles(), std::vector<std::string>{"vc_offset_00.mpf"});
}

TEST_F(ProfileStoreTest, SavesTheSteppedValueOnItsLine) {
    OffsetTable table;
    table.reset();
    table.select(4);
    for (int i = 0; i < 3; ++i) {
        table.stepSelected(+1);
    }
    ProfileStore::saveProfile(table, "05");
    std::vector<std::string> expected(60, "0");
    expected[4] = "3";
    EXPECT_EQ(readBytes("vc_offset_05.mpf"), lines(expected));
}

TEST_F(ProfileStoreTest, SavingAgainLeavesOnlyTheNewTable) {
    ProfileStore::saveProfile(numberedTable("first"), "01");
    ProfileStore::saveProfile(numberedTable("b"), "01");
    OffsetTable read;
    ProfileStore::readProfile("vc_offset_01.mpf", read);
    expectSameValues(read, numberedTable("b"));
    EXPECT_EQ(snapshot().size(), 1U);
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
                                          "\t",
                                          "\xC3\xA9",
                                          "\xC3\xBF\xC2\x80",
                                          std::string("n\0l", 3),
                                          "1.",
                                          "-",
                                          "a  b",
                                          "e",
                                          "999999999999999"};
    OffsetTable table;
    table.reset();
    for (std::size_t i = 0; i < shapes.size(); ++i) {
        table.setValue(static_cast<int>(i * 3), shapes[i]);
    }
    ProfileStore::saveProfile(table, "rt");
    OffsetTable read;
    ProfileStore::readProfile("vc_offset_rt.mpf", read);
    for (std::size_t i = 0; i < shapes.size(); ++i) {
        const std::string expected = shapes[i] == "\t" ? "" : shapes[i];  // only blanks: empty
        EXPECT_EQ(read.value(static_cast<int>(i * 3)), expected) << i;
    }
}

TEST_F(ProfileStoreTest, SlotsAreJoinedUnchangedAndComeBackFromTheName) {
    const std::vector<std::pair<std::string, std::string>> cases{{"00", "vc_offset_00.mpf"},
                                                                 {"", "vc_offset_.mpf"},
                                                                 {"7", "vc_offset_7.mpf"},
                                                                 {"123", "vc_offset_123.mpf"},
                                                                 {"..", "vc_offset_...mpf"},
                                                                 {" a", "vc_offset_ a.mpf"},
                                                                 {"\xC3\xA9"
                                                                  "1",
                                                                  "vc_offset_\xC3\xA9"
                                                                  "1.mpf"}};
    OffsetTable table;
    table.reset();
    for (const auto& [slot, name] : cases) {
        EXPECT_EQ(ProfileStore::profileFileName(slot), name);
        ProfileStore::saveProfile(table, slot);
        EXPECT_TRUE(std::filesystem::exists(platform::pathFromUtf8(name))) << name;
        EXPECT_EQ(ProfileStore::slotFromFileName(name), slot);
    }
    EXPECT_EQ(ProfileStore::listProfiles().size(), cases.size());
    EXPECT_EQ(ProfileStore::slotFromFileName("VC_OFFSET_01.MPF"), "01");
}

TEST_F(ProfileStoreTest, RefusesSlotsThatAreNoPlainNamePart) {
    ProfileStore::saveProfile(numberedTable("old"), "00");
    const auto before = snapshot();
    const std::string tooLong(300, 'a');
    for (const std::string slot : {"../x", "a/b", "a\\b", "/tmp/x", "C:x", "a\nb", "a\tb", "a*",
                                   "a?", "<", ">", "|", "\"", "\x7F"}) {
        EXPECT_EQ(failureOf([&] { ProfileStore::saveProfile(numberedTable("new"), slot); }),
                  ErrorCode::BadFileNameOrNumber)
            << slot;
    }
    EXPECT_EQ(failureOf([&] { ProfileStore::saveProfile(numberedTable("new"), tooLong); }),
              ErrorCode::BadFileNameOrNumber);
    EXPECT_EQ(snapshot(), before);
    for (const auto& outside :
         {directory().parent_path() / "x.mpf", std::filesystem::path("/tmp/x.mpf"),
          directory().parent_path() / "vc_offset_.."}) {
        EXPECT_FALSE(std::filesystem::exists(outside)) << outside;
    }
}

TEST_F(ProfileStoreTest, RefusesValuesThatWouldNotReadBackAndWritesNothing) {
    ProfileStore::saveProfile(numberedTable("old"), "00");
    const auto before = snapshot();
    const std::vector<std::pair<std::string, std::string>> cases{
        {"1,5", "holds a comma"},
        {"a\r\nb", "holds a line break"},
        {"a\nb", "holds a line break"},
        {"\"5\"", "starts with a double quote"},
        {"  \"5", "starts with a double quote"},
        {"\xE2\x88\x92"
         "5",
         "holds a character beyond Latin-1"},
        {"\xE2\x82\xAC", "holds a character beyond Latin-1"},
        {"\xFF", "holds a character beyond Latin-1"}};
    for (const auto& [value, reason] : cases) {
        OffsetTable table = numberedTable("new");
        table.setValue(58, value);
        EXPECT_EQ(failureOf([&] { ProfileStore::saveProfile(table, "00"); }),
                  ErrorCode::InvalidProcedureCall);
        EXPECT_EQ(m_lastDescription, "The value of Instrument Y " + reason +
                                         ", which a profile cannot store. Nothing was saved.");
    }
    EXPECT_EQ(snapshot(), before);
}

struct ReadCase {
    const char* name;
    std::string bytes;
    std::vector<std::string> firstValues;  // the rest, up to 60, are "0"
    friend void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }
};

class ReadsProfile : public ProfileStoreTest, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(ReadsProfile, FieldByField) {
    writeBytes("vc_offset_01.mpf", GetParam().bytes);
    OffsetTable table = numberedTable("old");
    table.select(9);
    ProfileStore::readProfile("vc_offset_01.mpf", table);
    const auto& first = GetParam().firstValues;
    for (int index = 0; index < OffsetTable::size; ++index) {
        const std::string expected =
            index < static_cast<int>(first.size()) ? first[index] : std::string("0");
        EXPECT_EQ(table.value(index), expected) << index;
    }
    EXPECT_EQ(table.selected(), 9);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ReadsProfile,
    ::testing::Values(
        ReadCase{"Exact", lines({"1", "2"}) + zeroLines(58), {"1", "2"}},
        ReadCase{"MoreThanSixtyLines", zeroLines(60) + "9\r\n9\r\n", {}},
        ReadCase{"LoneLineFeeds", "5\n" + repeat("0\n", 59), {"5"}},
        ReadCase{"LoneCarriageReturns", "5\r" + repeat("0\r", 59), {"5"}},
        ReadCase{"NoFinalLineEnd", zeroLines(59) + "0", {}},
        ReadCase{"BlanksBeforeANumber", "   12\r\n" + zeroLines(59), {"12"}},
        ReadCase{"CommaShiftsLaterValues", "1,2\r\n3\r\n" + zeroLines(58), {"1", "2", "3"}},
        ReadCase{"QuotedValue", "\"a,b\"\r\n" + zeroLines(59), {"a,b"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProfileStoreTest, AFailedReadLeavesTheWholeTable) {
    writeBytes("vc_offset_59.mpf", lines({"1", "2"}) + zeroLines(57));
    writeBytes("vc_offset_empty.mpf", "");
    std::filesystem::create_directory("vc_offset_dir.mpf");
    const std::pair<const char*, ErrorCode> cases[] = {
        {"vc_offset_59.mpf", ErrorCode::InputPastEndOfFile},
        {"vc_offset_empty.mpf", ErrorCode::InputPastEndOfFile},
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
