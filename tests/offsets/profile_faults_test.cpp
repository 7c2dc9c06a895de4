// Real faults on a real file system and real processes: a save killed at
// random moments, a disk that fills up half-way, special files, hostile
// profiles. Nothing here is mocked.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <functional>
#include <random>
#include <string>
#include <thread>

#include "filled_table.h"
#include "offsets/profile_store.h"
#include "platform/runtime_error.h"
#include "support/failure_of.h"
#include "support/scratch_directory.h"

namespace zelvane::offsets {
namespace {

using platform::ErrorCode;
using platform::RuntimeError;
using testing::failureOf;

// Runs work in a child process and returns its exit status as waitpid
// reports it.
int runInChild(const std::function<int()>& work) {
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(work());  // never back into the test runner
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return status;
}

class ProfileFaultsTest : public testing::ScratchDirectoryTest {};

TEST_F(ProfileFaultsTest, ASaveKilledAtAnyMomentLeavesOneWholeProfile) {
    // Values of different lengths, so that a mixed or cut-off file shows.
    const OffsetTable shortValues = filledTable("1");
    const OffsetTable longValues = filledTable("-123456.789");
    ProfileStore::saveProfile(shortValues, "k");
    std::mt19937 random(20261206);
    std::uniform_int_distribution<int> pause(0, 3000);
    constexpr int kills = 200;
    for (int kill = 0; kill < kills; ++kill) {
        const pid_t saver = ::fork();
        ASSERT_GE(saver, 0);
        if (saver == 0) {
            try {
                for (int round = 0;; ++round) {
                    ProfileStore::saveProfile(round % 2 == 0 ? longValues : shortValues, "k");
                }
            } catch (const RuntimeError& error) {
                ::_exit(error.number());
            }
        }
        std::this_thread::sleep_for(std::chrono::microseconds(pause(random)));
        ::kill(saver, SIGKILL);
        int status = 0;
        ::waitpid(saver, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the saver failed with " << WEXITSTATUS(status);

        OffsetTable read;
        ProfileStore::readProfile("vc_offset_k.mpf", read);
        ASSERT_TRUE(allValuesAre(read, "1") || allValuesAre(read, "-123456.789"))
            << "after kill " << kill << ": " << readBytes("vc_offset_k.mpf");
    }
    EXPECT_EQ(ProfileStore::listProfiles(), std::vector<std::string>{"vc_offset_k.mpf"});
    // What the killed savers left behind goes with the next save, once it is
    // older than a live saver could be.
    for (const auto& entry : std::filesystem::directory_iterator(".")) {
        std::filesystem::last_write_time(
            entry.path(), std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
    }
    ProfileStore::saveProfile(shortValues, "k");
    EXPECT_EQ(snapshot().size(), 1U);
}

TEST_F(ProfileFaultsTest, ADiskThatFillsUpHalfWayKeepsTheOldProfile) {
    ProfileStore::saveProfile(filledTable("7"), "00");
    const auto before = snapshot();
    const int status = runInChild([] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{200, 200};  // the new profile needs 660 bytes
        ::setrlimit(RLIMIT_FSIZE, &limit);
        return static_cast<int>(
            failureOf([] { ProfileStore::saveProfile(filledTable("123456789"), "00"); }));
    });
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), static_cast<int>(ErrorCode::DiskFull));
    EXPECT_EQ(snapshot(), before);
}

TEST_F(ProfileFaultsTest, SpecialFilesAreRefusedAtOnceInsteadOfRead) {
    ASSERT_EQ(::mkfifo("vc_offset_fifo.mpf", 0600), 0);
    std::filesystem::create_symlink("/dev/zero", "vc_offset_zero.mpf");
    for (const char* name : {"vc_offset_fifo.mpf", "vc_offset_zero.mpf"}) {
        OffsetTable table = filledTable("old");
        EXPECT_EQ(failureOf([&] { ProfileStore::readProfile(name, table); }),
                  ErrorCode::PathFileAccessError)
            << name;
        EXPECT_TRUE(allValuesAre(table, "old"));
    }
    EXPECT_TRUE(ProfileStore::listProfiles().empty());
}

struct HostileFile {
    const char* name;
    std::function<std::string()> bytes;
    ErrorCode failure;  // ErrorCode{} when the file reads
    friend void PrintTo(const HostileFile& file, std::ostream* os) { *os << file.name; }
};

class HostileProfiles : public ProfileFaultsTest,
                        public ::testing::WithParamInterface<HostileFile> {};

TEST_P(HostileProfiles, ReadByTheRulesOrRefusedWholly) {
    writeBytes("vc_offset_h.mpf", GetParam().bytes());
    OffsetTable table = filledTable("old");
    if (GetParam().failure == ErrorCode{}) {
        ProfileStore::readProfile("vc_offset_h.mpf", table);
    } else {
        EXPECT_EQ(failureOf([&] { ProfileStore::readProfile("vc_offset_h.mpf", table); }),
                  GetParam().failure);
        EXPECT_TRUE(allValuesAre(table, "old"));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, HostileProfiles,
    ::testing::Values(HostileFile{"TenMegabytesOnOneLine",
                                  [] { return std::string(10 << 20, '9') + "\r\n"; },
                                  ErrorCode::InputPastEndOfFile},
                      HostileFile{"HundredThousandEmptyLines",
                                  [] { return std::string(100000, '\n'); }, ErrorCode{}},
                      HostileFile{"NulBytes", [] { return std::string(120, '\0'); },
                                  ErrorCode::InputPastEndOfFile},
                      HostileFile{"UnterminatedQuote",
                                  [] { return "\"" + std::string(100000, ','); },
                                  ErrorCode::InputPastEndOfFile},
                      HostileFile{"InvalidUtf8",
                                  [] {
                                      std::string bytes;
                                      for (int line = 0; line < 60; ++line) {
                                          bytes += "\xC3\x28\xFF\xFE\r\n";
                                      }
                                      return bytes;
                                  },
                                  ErrorCode{}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProfileFaultsTest, OnlyTheFirstSixtyLinesOfAHugeFileAreRead) {
    // 64 GiB, almost all of it a hole: reading more than the first sixty
    // lines would take far longer than the test may run.
    std::string start;
    for (int line = 0; line < 60; ++line) {
        start += "5\r\n";
    }
    writeBytes("vc_offset_big.mpf", start);
    std::filesystem::resize_file("vc_offset_big.mpf", std::uintmax_t{64} << 30);
    OffsetTable table;
    ProfileStore::readProfile("vc_offset_big.mpf", table);
    EXPECT_TRUE(allValuesAre(table, "5"));
}

}  // namespace
}  // namespace zelvane::offsets
