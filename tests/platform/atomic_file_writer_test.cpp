#include "platform/atomic_file_writer.h"

#include <gtest/gtest.h>

#include <chrono>

#include "platform/runtime_error.h"
#include "support/failure_of.h"
#include "support/scratch_directory.h"

namespace zelvane::platform {
namespace {

using testing::failureOf;

class AtomicFileWriterTest : public testing::ScratchDirectoryTest {};

TEST_F(AtomicFileWriterTest, WritesCrLfAfterEveryLine) {
    AtomicFileWriter writer("out.txt");
    writer.writeLine("1");
    writer.writeLine("");
    writer.writeLine("abc");
    writer.commit();
    EXPECT_EQ(readBytes("out.txt"), "1\r\n\r\nabc\r\n");
    EXPECT_EQ(snapshot().size(), 1U) << "temporary file left behind";
}

TEST_F(AtomicFileWriterTest, LeavesTheOldFileUntilCommitted) {
    writeBytes("out.txt", "old\r\n");
    {
        AtomicFileWriter writer("out.txt");
        writer.writeLine(std::string(200 * 1024, 'x'));  // larger than the write buffer
        EXPECT_EQ(readBytes("out.txt"), "old\r\n");
    }
    EXPECT_EQ(snapshot(), (decltype(snapshot()){{"out.txt", "old\r\n"}}));
}

// Leftovers of writers that were killed go at the next commit; a temporary
// that a live writer holds, or one just made, stays.
TEST_F(AtomicFileWriterTest, CommitRemovesOnlyAbandonedTemporaries) {
    const auto backdate = [](const std::filesystem::path& path) {
        std::filesystem::last_write_time(
            path, std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
    };
    AtomicFileWriter live("live.txt");
    for (const auto& entry : std::filesystem::directory_iterator(".")) {
        backdate(entry.path());  // the live writer's temporary
    }
    writeBytes(".zelvane-save-abandoned", "x");
    backdate(".zelvane-save-abandoned");
    writeBytes(".zelvane-save-justmade", "x");
    AtomicFileWriter writer("out.txt");
    writer.writeLine("new");
    writer.commit();
    const auto names = snapshot();
    EXPECT_EQ(names.size(), 3U);  // out.txt, the fresh one, the live writer's
    EXPECT_FALSE(std::filesystem::exists(".zelvane-save-abandoned"));
    EXPECT_TRUE(std::filesystem::exists(".zelvane-save-justmade"));
}

TEST_F(AtomicFileWriterTest, RefusesToReplaceAReadOnlyFile) {
    writeBytes("out.txt", "keep\r\n");
    std::filesystem::permissions("out.txt", std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    EXPECT_EQ(failureOf([] { AtomicFileWriter writer("out.txt"); }),
              ErrorCode::PathFileAccessError);
    std::filesystem::permissions("out.txt", std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
    EXPECT_EQ(snapshot(), (decltype(snapshot()){{"out.txt", "keep\r\n"}}));
}

TEST_F(AtomicFileWriterTest, ReplacesALinkInsteadOfWritingThroughIt) {
    writeBytes("elsewhere.txt", "keep\r\n");
    std::error_code noLinks;
    std::filesystem::create_symlink("elsewhere.txt", "out.txt", noLinks);
    if (noLinks) {
        GTEST_SKIP() << "this system makes no symbolic links here: " << noLinks.message();
    }
    AtomicFileWriter writer("out.txt");
    writer.writeLine("new");
    writer.commit();
    EXPECT_EQ(readBytes("elsewhere.txt"), "keep\r\n");
    EXPECT_FALSE(std::filesystem::is_symlink("out.txt"));
    EXPECT_EQ(readBytes("out.txt"), "new\r\n");
}

TEST_F(AtomicFileWriterTest, ReportsAWorkingDirectoryThatHasGone) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows does not let the working directory of a process be removed";
#endif
    std::filesystem::create_directory("gone");
    std::filesystem::current_path("gone");
    std::filesystem::remove(directory() / "gone");
    EXPECT_EQ(failureOf([] { AtomicFileWriter writer("out.txt"); }), ErrorCode::PathNotFound);
}

}  // namespace
}  // namespace zelvane::platform
