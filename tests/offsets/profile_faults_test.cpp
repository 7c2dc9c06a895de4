// Linux: real faults on a real file system and real processes: a save killed at
// random moments, a disk that fills up half-way, a folder that goes away,
// special files, links, huge profiles. Nothing here is mocked.
#include <malloc.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <thread>

#include "offsets/profile_store.h"
#include "platform/atomic_file_writer.h"
#include "support/support.h"

namespace zelvane::testing {
namespace {

using ProfileFaultsTest = ProfileFolderTest;

void backdateAll(const std::filesystem::path& folder) {
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::filesystem::last_write_time(
            entry.path(), std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
    }
}

// A figure of /proc/self/status: VmRSS, the memory the process holds now;
// VmHWM, the most it held at once since the peak was last reset.
long kibibytes(const std::string& field) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with(field)) {
            return std::stol(line.substr(field.size()));
        }
    }
    return -1;
}

// A saver is killed 200 times at moments from 0 to 10 ms into saving the
// two tables in turn, starting with the one not on disk: the profile is
// always one whole table, and saves did complete between kills.
TEST_F(ProfileFaultsTest, ASaveKilledAtAnyMomentLeavesOneWholeProfile) {
    // Values of different lengths, so that a mixed or cut-off file shows.
    const OffsetTable tables[] = {numberedTable("1"), numberedTable("-123456.789")};
    store.saveProfile(tables[0], "k");
    int onDisk = 0;
    int seen[2] = {};
    for (int kill = 0; kill < 200; ++kill) {
        const pid_t saver = ::fork();
        if (saver == 0) {
            failureOf([&] {
                for (int round = 1;; ++round) {
                    store.saveProfile(tables[(onDisk + round) % 2], "k");
                }
            });
            ::_exit(1);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(kill * 4099 % 10000));
        ::kill(saver, SIGKILL);
        ::waitpid(saver, nullptr, 0);
        OffsetTable read;
        store.readProfile("vc_offset_k.mpf", read);
        const auto whole = std::find_if(std::begin(tables), std::end(tables), [&](const auto& t) {
            return valuesOf(t) == valuesOf(read);
        });
        ASSERT_NE(whole, std::end(tables))
            << "after kill " << kill << ": " << readBytes("vc_offset_k.mpf");
        onDisk = static_cast<int>(whole - std::begin(tables));
        ++seen[onDisk];
    }
    EXPECT_GT(seen[1], 0);  // the first save the saver makes is of table 1
    EXPECT_GT(seen[0], 0);
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
    const offsets::ProfileStore gone(in("gone"));
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
        OffsetTable table = numberedTable("old");
        ::malloc_trim(0);  // memory freed before must not hide what the read takes
        std::ofstream("/proc/self/clear_refs") << "5";  // the peak starts again from here
        const long before = kibibytes("VmRSS:");
        EXPECT_EQ(failureOf([&] { store.readProfile("vc_offset_h.mpf", table); }), failure);
        EXPECT_LT(kibibytes("VmHWM:") - before, 16 * 1024);
        EXPECT_EQ(table.value(0), failure == ErrorCode{} ? "" : "old0");
    }
}

}  // namespace
}  // namespace zelvane::testing
