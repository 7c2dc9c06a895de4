#include "platform/directory_listing.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "platform/file_name.h"
#include "support/scratch_directory.h"

namespace zelvane::platform {
namespace {

struct PatternCase {
    std::string name;
    bool matches;
    friend void PrintTo(const PatternCase& c, std::ostream* os) { *os << c.name; }
};

class MatchesPattern : public ::testing::TestWithParam<PatternCase> {};

TEST_P(MatchesPattern, IgnoringAsciiCase) {
    EXPECT_EQ(matchesPattern(GetParam().name, "vc_offset_*.mpf"), GetParam().matches)
        << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    ProfilePattern, MatchesPattern,
    ::testing::Values(PatternCase{"vc_offset_00.mpf", true}, PatternCase{"vc_offset_.mpf", true},
                      PatternCase{"VC_OFFSET_01.MPF", true},
                      PatternCase{"vc_offset_a.mpf.mpf", true},
                      PatternCase{"vc_offset_\xC3\xA9"
                                  "1.mpf",
                                  true},
                      PatternCase{"vc_offset_00.mpf.bak", false},
                      PatternCase{"xvc_offset_00.mpf", false},
                      PatternCase{"vc_offset00.mpf", false}, PatternCase{"vc_offset_00.mp", false},
                      PatternCase{"", false}, PatternCase{".zelvane-save-abc", false}));

TEST(MatchesPatternShapes, StarsAndQuestionMarks) {
    EXPECT_TRUE(matchesPattern("abc", "*"));
    EXPECT_TRUE(matchesPattern("", "*"));
    EXPECT_TRUE(matchesPattern("abc", "a?c"));
    EXPECT_FALSE(matchesPattern("ac", "a?c"));
    EXPECT_TRUE(matchesPattern("aXbXc", "a*b*c"));
    EXPECT_FALSE(matchesPattern("aXbX", "a*b*c"));
    EXPECT_FALSE(matchesPattern(std::string(10000, 'a'), std::string(50, '*') + "b*"));
}

class ListMatchingFiles : public testing::ScratchDirectoryTest {};

TEST_F(ListMatchingFiles, ListsRegularMatchingFilesInCaseBlindOrder) {
    for (const char* name : {"vc_offset_b.mpf", "VC_OFFSET_A.MPF", "Vc_Offset_C.mpf",
                             "vc_offset_10.mpf", "notes.txt", "vc_offset_\xC3\xA9.mpf"}) {
        writeBytes(pathFromUtf8(name), "0\r\n");
    }
    std::filesystem::create_directory("vc_offset_dir.mpf");
    const std::vector<std::string> expected{"vc_offset_10.mpf", "VC_OFFSET_A.MPF",
                                            "vc_offset_b.mpf", "Vc_Offset_C.mpf",
                                            "vc_offset_\xC3\xA9.mpf"};
    EXPECT_EQ(listMatchingFiles("vc_offset_*.mpf"), expected);
}

#ifndef _WIN32
TEST_F(ListMatchingFiles, ListsLinksToRegularFilesOnly) {
    writeBytes("vc_offset_b.mpf", "0\r\n");
    std::filesystem::create_symlink("vc_offset_b.mpf", "vc_offset_link.mpf");
    std::filesystem::create_symlink("missing", "vc_offset_dangling.mpf");
    std::filesystem::create_symlink("/dev/zero", "vc_offset_zero.mpf");
    std::filesystem::create_directory("dir");
    std::filesystem::create_symlink("dir", "vc_offset_dirlink.mpf");
    ASSERT_EQ(::mkfifo("vc_offset_fifo.mpf", 0600), 0);
    const std::vector<std::string> expected{"vc_offset_b.mpf", "vc_offset_link.mpf"};
    EXPECT_EQ(listMatchingFiles("vc_offset_*.mpf"), expected);
}
#endif

TEST_F(ListMatchingFiles, EmptyDirectoryListsNothing) {
    EXPECT_TRUE(listMatchingFiles("vc_offset_*.mpf").empty());
}

}  // namespace
}  // namespace zelvane::platform
