// Linux: real faults on a real file system and real processes: a save killed at
// random moments, a disk that fills up half-way, a folder that goes away,
// special files, links, huge profiles. Nothing here is mocked.
#include <malloc.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <thread>

#include "platform/atomic_file_writer.h"
#include "support/support.h"

namespace zelvane::testing {

using ProfileFaultsTest = ProfileFolderTest;

// A figure of /proc/self/status in KiB: VmRSS, the memory the process holds
// now; VmHWM, the most it held at once since the peak was last reset.
static long kibibytes(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word && word != field) {
    }
    long value = -1;
    status >> value;
    return value;
}

// A saver is killed 200 times at moments from 0 to 10 ms into saving the
// two tables in turn, starting with the one not on disk: the profile is
// always one whole table, and saves did complete between kills.
TEST_F(ProfileFaultsTest, ASaveKilledAtAnyMomentLeavesOneWholeProfile) {
    // Values of different lengths, so that a mixed or cut-off file shows.
    const char* tags[] = {"1", "-123456.789"};
    store.saveProfile(numberedTable(tags[0]), "k");
    int seen[2] = {};
    for (int kill = 0, onDisk = 0; kill < 200; ++kill, ++seen[onDisk]) {
        const pid_t saver = ::fork();
        if (saver == 0) {
            failureOf([&] {
                for (int round = 1;; ++round) {
                    store.saveProfile(numberedTable(tags[(onDisk + round) % 2]), "k");
                }
            });
            ::_exit(1);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(kill * 4099 % 10000));
        ::kill(saver, SIGKILL);
        ::waitpid(saver, nullptr, 0);
        OffsetTable read;
        store.readProfile("vc_offset_k.mpf", read);
        onDisk = valuesOf(read) == valuesOf(numberedTable(tags[1]));
        ASSERT_TRUE(onDisk || valuesOf(read) == valuesOf(numberedTable(tags[0])))
            << readBytes(in("vc_offset_k.mpf"));
    }
    EXPECT_TRUE(seen[0] > 0 && seen[1] > 0);
    // What the killed savers left goes with the next save, once it is older
    // than a live saver could be; a temporary just made, or one a live
    // writer holds, stays.
    const platform::AtomicFileWriter live(in("elsewhere.txt"));
    for (const auto& entry : std::filesystem::directory_iterator(m_folder)) {
        std::filesystem::last_write_time(
            entry.path(), std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
    }
    writeBytes(in(".zelvane-save-justmade"), "x");
    store.saveProfile(numberedTable("1"), "k");
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
    EXPECT_EQ(snapshot(), before);
}

// Save keeps the file what it was: a profile that is a link stays one, and
// the file it leads to is replaced (in its own folder), with its mode and
// owner; a link that leads nowhere yet is saved through. A loop of links,
// or a target marked read-only, is refused, and nothing changes.
TEST_F(ProfileFaultsTest, SaveKeepsTheFileWhatItWas) {
    using std::filesystem::perms;
    struct Row {
        const char* name;
        std::string link;  // where vc_offset_01.mpf leads; empty when it is no link
        perms mode;        // of the file it leads to; none when there is none yet
        ErrorCode failure;
    };
    const auto table =
        rows(Row{"a plain file", "", perms(0600), {}},
             Row{"a link beside it", "real.mpf", perms(0640), {}},
             Row{"a link to another folder", "shared/real.mpf", perms(0604), {}},
             Row{"a link that leads nowhere yet", "shared/new.mpf", perms::none, {}},
             Row{"a loop", "vc_offset_01.mpf", perms::none, ErrorCode::PathFileAccessError},
             Row{"a target marked read-only", "shared/real.mpf", perms(0444),
                 ErrorCode::PathFileAccessError});
    const std::string old = lines("old", 60);
    const bool root = ::geteuid() == 0;
    for (const auto& [name, link, mode, failure] : table) {
        SCOPED_TRACE(name);
        std::filesystem::remove_all(in("shared"));
        std::filesystem::create_directory(in("shared"));
        std::filesystem::remove(in("vc_offset_01.mpf"));
        const std::string target = link.empty() ? "vc_offset_01.mpf" : link;
        const bool existing = mode != perms::none;
        if (existing) {
            writeBytes(in(target), old);
            std::filesystem::permissions(in(target), mode);
            EXPECT_TRUE(!root || ::chown(in(target).c_str(), 1, 1) == 0);
        }
        if (!link.empty()) {
            std::filesystem::create_symlink(link, in("vc_offset_01.mpf"));
        }
        EXPECT_EQ(failureOf([&] { store.saveProfile(OffsetTable(), "01"); }), failure);
        EXPECT_EQ(
            std::filesystem::is_symlink(std::filesystem::symlink_status(in("vc_offset_01.mpf"))),
            !link.empty());
        const std::string unsaved = existing ? old : "";
        EXPECT_EQ(readBytes(in(target)), failure == ErrorCode{} ? lines("", 60) : unsaved);
        if (existing) {
            struct stat status {};
            ::stat(in(target).c_str(), &status);
            EXPECT_EQ(perms(status.st_mode & 07777), mode);
            EXPECT_EQ(status.st_uid, root ? 1U : ::geteuid());
        }
    }
}

// Special files are refused before anything is read from them; a huge file
// is answered from its start alone, in neither the time nor the memory the
// whole file would take. The files are mostly holes: no gigabytes are written.
TEST_F(ProfileFaultsTest, HostileProfilesAreReadFromTheirStartOrRefusedAtOnce) {
    ASSERT_EQ(::mkfifo(in("vc_offset_fifo.mpf").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", in("vc_offset_zero.mpf"));
    constexpr std::uintmax_t gigabyte = std::uintmax_t{1} << 30;
    const std::tuple<std::string, std::uintmax_t, ErrorCode> files[] = {
        {"fifo", 0, ErrorCode::PathFileAccessError},
        {"zero", 0, ErrorCode::PathFileAccessError},
        {"9", gigabyte, ErrorCode::OutOfStringSpace},  // one line of NUL bytes
        {std::string(8 << 20, ' '), gigabyte, ErrorCode::OutOfStringSpace},
        {"\"", gigabyte, ErrorCode::OutOfStringSpace},
        {std::string(60, '\n'), 64 * gigabyte, ErrorCode{}}};
    for (const auto& [start, size, failure] : files) {
        const std::string name = size == 0 ? "vc_offset_" + start + ".mpf" : "vc_offset_h.mpf";
        if (size != 0) {
            writeBytes(in(name), start);
            std::filesystem::resize_file(in(name), size);
        }
        OffsetTable table = numberedTable("old");
        ::malloc_trim(0);  // memory freed before must not hide what the read takes
        std::ofstream("/proc/self/clear_refs") << "5";  // the peak starts again from here
        const long before = kibibytes("VmRSS:");
        EXPECT_EQ(failureOf([&] { store.readProfile(name, table); }), failure) << name;
        EXPECT_LT(kibibytes("VmHWM:") - before, 16 * 1024);
        EXPECT_EQ(table.value(0), failure == ErrorCode{} ? "" : "old0");
    }
}

}  // namespace zelvane::testing
