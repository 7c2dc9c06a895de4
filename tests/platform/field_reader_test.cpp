#include "platform/field_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/runtime_error.h"
#include "support/failure_of.h"
#include "support/scratch_directory.h"

namespace zelvane::platform {
namespace {

using Fields = std::vector<std::string>;

struct FieldCase {
    const char* name;
    std::string bytes;
    Fields fields;
    friend void PrintTo(const FieldCase& c, std::ostream* os) { *os << c.name; }
};

class FieldReaderTest : public testing::ScratchDirectoryTest,
                        public ::testing::WithParamInterface<FieldCase> {
  protected:
    // Every field of the file, up to the end-of-file failure that must follow.
    Fields readAll(const std::string& bytes) {
        writeBytes("f.txt", bytes);
        FieldReader reader("f.txt");
        Fields fields;
        for (;;) {
            try {
                fields.push_back(reader.readField());
            } catch (const RuntimeError& error) {
                EXPECT_EQ(error.code(), ErrorCode::InputPastEndOfFile);
                return fields;
            }
        }
    }
};

TEST_P(FieldReaderTest, SplitsFields) {
    EXPECT_EQ(readAll(GetParam().bytes), GetParam().fields);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, FieldReaderTest,
    ::testing::Values(FieldCase{"CrLfLines", "1\r\n2\r\n", {"1", "2"}},
                      FieldCase{"LoneLf", "1\n2\n", {"1", "2"}},
                      FieldCase{"LoneCr", "1\r2\r", {"1", "2"}},
                      FieldCase{"NoFinalLineEnd", "1\r\n2", {"1", "2"}},
                      FieldCase{"Commas", "1,2,,3\r\n", {"1", "2", "", "3"}},
                      FieldCase{"EmptyLines", "\r\n\r\n5\r\n", {"", "", "5"}},
                      FieldCase{"BlanksAround", "  12  \r\n\t7\t,8\r\n", {"12", "7", "8"}},
                      FieldCase{"Quoted", "\"a,b\"\r\n\"\"\r\n", {"a,b", ""}},
                      FieldCase{"QuotedHoldsLineEnd", "\"a\r\nb\"\r\n", {"a\r\nb"}},
                      FieldCase{"BlanksAfterClosingQuote", "\"a\"  ,b\r\n", {"a", "b"}},
                      FieldCase{"TextAfterClosingQuote", "\"ab\"cd\r\n", {"ab", "cd"}},
                      FieldCase{"UnterminatedQuote", "\"ab,cd\r\nef", {"ab,cd\r\nef"}},
                      FieldCase{"QuoteInsideField", "a\"b\r\n", {"a\"b"}},
                      FieldCase{"NumberSigns", "#1#\r\n", {"#1#"}}, FieldCase{"EmptyFile", "", {}},
                      FieldCase{"BlanksOnly", "   ", {}},
                      FieldCase{"NulByte", std::string("a\0b\r\n", 5), {std::string("a\0b", 3)}},
                      FieldCase{"Latin1BytesBecomeUtf8", "\xE9\xFF\r\n", {"\xC3\xA9\xC3\xBF"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FieldReaderTest, ReadsFieldsLongerThanItsBuffer) {
    const std::string longField(300 * 1024, '7');
    EXPECT_EQ(readAll(longField + "\r\n1\r\n"), (Fields{longField, "1"}));
}

TEST_F(FieldReaderTest, FailsToOpenWhatIsNoReadableFile) {
    std::filesystem::create_directory("dir.txt");
    const std::pair<const char*, ErrorCode> cases[] = {
        {"missing.txt", ErrorCode::FileNotFound},
        {"dir.txt", ErrorCode::PathFileAccessError},
    };
    for (const auto& [name, expected] : cases) {
        EXPECT_EQ(testing::failureOf([&] { FieldReader reader(name); }), expected) << name;
    }
}

}  // namespace
}  // namespace zelvane::platform
