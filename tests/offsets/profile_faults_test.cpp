// Linux: real faults on a real file system and real processes: what killed
// saves leave, a disk that fills up half-way, a folder that goes away,
// special files, links, huge profiles. Nothing here is mocked.
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>

#include "platform/atomic_file_writer.h"
#include "support/support.h"

namespace zelvane::testing {

using ProfileFaultsTest = ProfileFolderTest;

// Save writes a temporary beside the profile and renames it over, so that
// a save killed at any moment leaves the old profile whole and its
// temporary behind. What killed savers left goes with the next save, once
// it is older than a live saver could be; a temporary just made, or one a
// live writer holds, stays.
TEST_F(ProfileFaultsTest, ASaveClearsWhatKilledSavesLeft) {
    const platform::AtomicFileWriter live(in("elsewhere.txt"));
    writeBytes(in(".zelvane-save-killed"), "x");
    for (const auto& entry : std::filesystem::directory_iterator(m_folder)) {
        std::filesystem::last_write_time(
            entry.path(), std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
    }
    writeBytes(in(".zelvane-save-justmade"), "x");
    store.saveProfile(numberedTable("1"), "k");
    EXPECT_EQ(snapshot().size(), 3U);
    EXPECT_FALSE(snapshot().contains(".zelvane-save-killed"));
}

// Save keeps the file what it was, and whose: its mode, owner and group
// stay. The saver, an ordinary user in a child process, is nobody, in the
// group users too, where the test may switch users; else the test's own
// user, and the rows of others' files are skipped. Its own profile is
// replaced by a new file, and a disk that fills up half-way leaves the
// folder as it was. One it may write but could not hand back to its owner
// and group after a rename, or in a folder that takes no new files, is
// written in place (the same file stays), and put back whole when the disk
// fills up half-way; a new one there is refused, naming the folder. One it
// may not write is refused though its folder lets
// anyone replace it. A profile that is a link stays one, and the file it
// leads to is saved, in its own folder; a link that leads nowhere yet is
// saved through. A loop of links, or a file marked read-only, is refused.
TEST_F(ProfileFaultsTest, SaveKeepsTheFileWhatItWasAndWhose) {
    using std::filesystem::perms;
    const bool root = ::geteuid() == 0;
    const uid_t saver = root ? 65534 : ::geteuid();
    const gid_t own = root ? 65534 : ::getegid();
    constexpr gid_t users = 100;
    // Where the profile leads, when it is a link; whose the file there and
    // its folder are; their modes (none when there is no file yet); the
    // error a save raises and how its report ends; whether a new file
    // replaced the one there.
    const std::tuple<const char*, std::string, uid_t, gid_t, perms, perms, ErrorCode, std::string,
                     bool>
        table[] = {{"its own", "", saver, own, perms(0600), perms(0755), ErrorCode{}, "", true},
                   {"its own, on a full disk", "", saver, own, perms(0600), perms(0755),
                    ErrorCode::DiskFull, "", false},
                   {"its own, in a folder that takes no new files", "", saver, own, perms(0644),
                    perms(0555), ErrorCode{}, "", false},
                   {"a new one, in a folder that takes no new files", "", saver, own, perms::none,
                    perms(0555), ErrorCode::PermissionDenied,
                    "takes no new files from you. Nothing was saved.", false},
                   {"a link to another folder", "shared/real.mpf", saver, own, perms(0604),
                    perms(0755), ErrorCode{}, "", true},
                   {"a link that leads nowhere yet", "shared/new.mpf", saver, own, perms::none,
                    perms(0755), ErrorCode{}, "", true},
                   {"a loop", "vc_offset_01.mpf", saver, own, perms::none, perms(0755),
                    ErrorCode::PathFileAccessError,
                    "too many symbolic links lead to it. Nothing was saved.", false},
                   {"a file marked read-only", "shared/real.mpf", saver, own, perms(0444),
                    perms(0755), ErrorCode::PathFileAccessError,
                    "real.mpf is marked read-only. Nothing was saved.", false},
                   {"another's, in a folder of its group", "", 1, users, perms(0664), perms(0775),
                    ErrorCode{}, "", false},
                   {"another's, on a full disk", "", 1, users, perms(0664), perms(0775),
                    ErrorCode::DiskFull, "", false},
                   {"root's, in a folder anyone may write", "", 0, 0, perms(0644), perms(0777),
                    ErrorCode::PathFileAccessError,
                    "vc_offset_01.mpf may not be written by you. Nothing was saved.", false}};
    const std::string old = lines("", 60);  // under the 200 bytes of a full disk
    // 70 KiB: more than a save holds before it writes.
    const OffsetTable wide = numberedTable(std::string(1200, '1'));
    store.saveProfile(wide, "01");
    const std::string saved = readBytes(in("vc_offset_01.mpf"));
    for (const auto& [name, link, owner, group, mode, folderMode, failure, report, replaced] :
         table) {
        SCOPED_TRACE(name);
        if (owner != saver && !root) {
            GTEST_SKIP() << "only root may give files to others and save as an ordinary user";
        }
        const auto folder = in(name);
        const auto target = folder / (link.empty() ? "vc_offset_01.mpf" : link);
        std::filesystem::create_directories(target.parent_path());
        if (!link.empty()) {
            std::filesystem::create_symlink(link, folder / "vc_offset_01.mpf");
        }
        const bool existing = mode != perms::none;
        if (existing) {
            writeBytes(target, old);
            std::filesystem::permissions(target, mode);
            ASSERT_EQ(::chown(target.c_str(), owner, group), 0);
        }
        ASSERT_EQ(::chown(target.parent_path().c_str(), owner, group), 0);
        std::filesystem::permissions(target.parent_path(), folderMode);
        struct stat before {};
        ::stat(target.c_str(), &before);
        const pid_t child = ::fork();
        if (child == 0) {  // 99: the saver is not who it should be, or its report is not
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{failure == ErrorCode::DiskFull ? 200 : RLIM_INFINITY, RLIM_INFINITY};
            const bool ordinary = ::setrlimit(RLIMIT_FSIZE, &limit) == 0 &&
                                  (!root || (::setgroups(1, &users) == 0 && ::setgid(own) == 0 &&
                                             ::setuid(saver) == 0));
            const offsets::ProfileStore theirs(folder);
            std::string text;
            const ErrorCode code = failureOf([&] { theirs.saveProfile(wide, "01"); }, &text);
            ::_exit(ordinary && text.ends_with(report) ? static_cast<int>(code) : 99);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_EQ(WEXITSTATUS(status), static_cast<int>(failure));
        EXPECT_EQ(std::filesystem::is_symlink(
                      std::filesystem::symlink_status(folder / "vc_offset_01.mpf")),
                  !link.empty());
        const std::string unsaved = existing ? old : "";
        EXPECT_EQ(readBytes(target), failure == ErrorCode{} ? saved : unsaved);
        struct stat after {};
        ::stat(target.c_str(), &after);
        EXPECT_EQ(after.st_ino != before.st_ino, replaced);
        if (existing) {
            EXPECT_EQ(after.st_uid, owner);
            EXPECT_EQ(after.st_gid, group);
            EXPECT_EQ(perms(after.st_mode & 07777), mode);
        }
        for (const auto& entry : std::filesystem::directory_iterator(target.parent_path())) {
            EXPECT_FALSE(entry.path().filename().string().starts_with(".zelvane-save-"));
        }
        std::filesystem::permissions(target.parent_path(), perms(0755));
    }
}

// Special files are refused before anything is read from them, and a huge
// file is answered from its start alone: read whole, it would take all the
// time and memory there is. The file is mostly a hole: no gigabytes are
// written.
TEST_F(ProfileFaultsTest, HostileProfilesAreReadFromTheirStartOrRefusedAtOnce) {
    ASSERT_EQ(::mkfifo(in("vc_offset_fifo.mpf").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", in("vc_offset_zero.mpf"));
    writeBytes(in("vc_offset_huge.mpf"), std::string(60, '\n'));
    std::filesystem::resize_file(in("vc_offset_huge.mpf"), std::uintmax_t{64} << 30);
    const std::pair<std::string, ErrorCode> files[] = {{"fifo", ErrorCode::PathFileAccessError},
                                                       {"zero", ErrorCode::PathFileAccessError},
                                                       {"huge", ErrorCode{}}};
    for (const auto& [name, failure] : files) {
        OffsetTable table = numberedTable("old");
        EXPECT_EQ(failureOf([&] { store.readProfile("vc_offset_" + name + ".mpf", table); }),
                  failure)
            << name;
        EXPECT_EQ(table.value(0), failure == ErrorCode{} ? "" : "old0");
    }
}

}  // namespace zelvane::testing
