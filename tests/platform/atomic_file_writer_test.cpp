#include "platform/atomic_file_writer.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include "platform/runtime_error.h"
#include "support/scratch_directory.h"

namespace zelvane::platform {
namespace {

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

TEST_F(AtomicFileWriterTest, ReplacesALinkInsteadOfWritingThroughIt) {
    writeBytes("elsewhere.txt", "keep\r\n");
    std::filesystem::create_symlink("elsewhere.txt", "out.txt");
    AtomicFileWriter writer("out.txt");
    writer.writeLine("new");
    writer.commit();
    EXPECT_EQ(readBytes("elsewhere.txt"), "keep\r\n");
    EXPECT_FALSE(std::filesystem::is_symlink("out.txt"));
    EXPECT_EQ(readBytes("out.txt"), "new\r\n");
}

TEST_F(AtomicFileWriterTest, ReportsAWorkingDirectoryThatHasGone) {
    std::filesystem::create_directory("gone");
    std::filesystem::current_path("gone");
    std::filesystem::remove(directory() / "gone");
    try {
        AtomicFileWriter writer("out.txt");
        FAIL() << "created a file in a removed directory";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.code(), ErrorCode::PathNotFound);
    }
}

// A real write failure half-way: the save runs in a child whose file size
// limit is smaller than the new content.
TEST_F(AtomicFileWriterTest, AFailedWriteKeepsTheOldFileWhole) {
    const std::string old = "old\r\n";
    writeBytes("out.txt", old);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        int code = 0;
        try {
            AtomicFileWriter writer("out.txt");
            writer.writeLine(std::string(100 * 1024, 'x'));
            writer.commit();
        } catch (const RuntimeError& error) {
            code = error.number();
        }
        ::_exit(code);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), static_cast<int>(ErrorCode::DiskFull));
    EXPECT_EQ(snapshot(), (decltype(snapshot()){{"out.txt", old}}));
}

}  // namespace
}  // namespace zelvane::platform
