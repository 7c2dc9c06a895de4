// Real faults on a real file system and real processes: a save killed at
// random moments, a disk that fills up half-way, a folder that goes away,
// special files, links, huge profiles. Nothing here is mocked.
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <thread>

#include "offsets/profile_store.h"
#include "platform/atomic_file_writer.h"
#include "support/support.h"

namespace zelvane::offsets {
namespace {

using testing::ErrorCode;
using testing::failureOf;
using testing::numberedTable;
using testing::valuesOf;

void backdateAll(const std::filesystem::path& folder) {
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::filesystem::last_write_time(
            entry.path(), std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
    }
}

class ProfileFaultsTest : public testing::ScratchFolderTest {
  protected:
    ProfileStore store{m_folder};
};

TEST_F(ProfileFaultsTest, ASaveKilledAtAnyMomentLeavesOneWholeProfile) {
    // Values of different lengths, so that a mixed or cut-off file shows.
    const OffsetTable tables[] = {numberedTable("1"), numberedTable("-123456.789")};
    store.saveProfile(tables[0], "k");
    for (int kill = 0; kill < 200; ++kill) {
        const pid_t saver = ::fork();
        if (saver == 0) {
            failureOf([&] {
                for (int round = 0;; ++round) {
                    store.saveProfile(tables[round % 2], "k");
                }
            });
            ::_exit(1);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(kill * 4099 % 3000));  // 0 to 3 ms
        ::kill(saver, SIGKILL);
        ::waitpid(saver, nullptr, 0);
        OffsetTable read;
        store.readProfile("vc_offset_k.mpf", read);
        ASSERT_TRUE(valuesOf(read) == valuesOf(tables[0]) || valuesOf(read) == valuesOf(tables[1]))
            << "after kill " << kill << ": " << readBytes("vc_offset_k.mpf");
    }
    // What the killed savers left goes with the next save, once it is older
    // than a live saver could be; a temporary just made, or one a live
    // writer holds, stays.
    backdateAll(m_folder);
    const platform::AtomicFileWriter live(in("elsewhere.txt"));
    backdateAll(m_folder);
    writeBytes(".zelvane-save-justmade", "x");
    store.saveProfile(tables[0], "k");
    EXPECT_EQ(snapshot().size(), 3U);
    EXPECT_TRUE(snapshot().contains(".zelvane-save-justmade"));
}

TEST_F(ProfileFaultsTest, AFailedSaveKeepsTheOldProfile) {
    store.saveProfile(numberedTable("7"), "00");
    const auto before = snapshot();
    if (::fork() == 0) {  // a disk that is full after 200 bytes
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{200, 200};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        ::_exit(
            static_cast<int>(failureOf([this] { store.saveProfile(numberedTable("12"), "00"); })));
    }
    int status = 0;
    ::wait(&status);
    EXPECT_EQ(WEXITSTATUS(status), static_cast<int>(ErrorCode::DiskFull));
    std::filesystem::create_directory(in("gone"));
    const ProfileStore gone(in("gone"));
    std::filesystem::remove(in("gone"));
    EXPECT_EQ(failureOf([&] { gone.saveProfile(numberedTable("8"), "00"); }),
              ErrorCode::PathNotFound);
    EXPECT_EQ(snapshot(), before);
    // A link is replaced, never written through.
    writeBytes("elsewhere.txt", "keep\r\n");
    std::filesystem::create_symlink("elsewhere.txt", in("vc_offset_01.mpf"));
    store.saveProfile(numberedTable("new"), "01");
    EXPECT_EQ(readBytes("elsewhere.txt"), "keep\r\n");
    EXPECT_FALSE(std::filesystem::is_symlink(in("vc_offset_01.mpf")));
}

// Special files are refused before anything is read from them; a huge file
// is answered from its start alone, in neither the time nor the memory the
// whole file would take. The files are mostly holes: no gigabytes are written.
TEST_F(ProfileFaultsTest, HostileProfilesAreReadFromTheirStartOrRefusedAtOnce) {
    constexpr std::uintmax_t gigabyte = std::uintmax_t{1} << 30;
    ASSERT_EQ(::mkfifo(in("vc_offset_fifo.mpf").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", in("vc_offset_zero.mpf"));
    for (const char* name : {"vc_offset_fifo.mpf", "vc_offset_zero.mpf"}) {
        OffsetTable table;
        EXPECT_EQ(failureOf([&] { store.readProfile(name, table); }),
                  ErrorCode::PathFileAccessError)
            << name;
    }
    const std::tuple<std::string, std::uintmax_t, ErrorCode> files[] = {
        {"9", gigabyte, ErrorCode::OutOfStringSpace},  // one line of NUL bytes
        {std::string(8 << 20, ' '), gigabyte, ErrorCode::OutOfStringSpace},
        {"\"", gigabyte, ErrorCode::OutOfStringSpace},
        {std::string(60, '\n'), 64 * gigabyte, ErrorCode{}}};
    for (const auto& [start, size, failure] : files) {
        writeBytes("vc_offset_h.mpf", start);
        std::filesystem::resize_file(in("vc_offset_h.mpf"), size);
        rusage before{};
        ::getrusage(RUSAGE_SELF, &before);
        OffsetTable table = numberedTable("old");
        EXPECT_EQ(failureOf([&] { store.readProfile("vc_offset_h.mpf", table); }), failure);
        rusage after{};
        ::getrusage(RUSAGE_SELF, &after);
        EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 16 * 1024);  // KiB
        EXPECT_EQ(table.value(0), failure == ErrorCode{} ? "" : "old0");
    }
}

}  // namespace
}  // namespace zelvane::offsets
