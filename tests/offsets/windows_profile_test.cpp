// What only Windows can get wrong: UTF-16 names, files held open by another
// program, read-only profiles.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>

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

class WindowsProfileTest : public testing::ScratchDirectoryTest {};

TEST_F(WindowsProfileTest, NamesAreUtf16NotTheAnsiCodePage) {
    ProfileStore::saveProfile(filledTable("0"),
                              "\xC3\xA9"
                              "1");  // é1
    EXPECT_TRUE(
        std::filesystem::exists(std::filesystem::path(L"vc_offset_\u00E9"
                                                      L"1.mpf")));
    EXPECT_FALSE(
        std::filesystem::exists(std::filesystem::path(L"vc_offset_\u00C3\u00A9"
                                                      L"1.mpf")));
    OffsetTable read;
    ProfileStore::readProfile(ProfileStore::listProfiles().at(0), read);
    EXPECT_EQ(read.value(0), "0");
}

TEST_F(WindowsProfileTest, AProfileHeldOpenByAnotherProgramIsLeftWhole) {
    ProfileStore::saveProfile(filledTable("1"), "00");
    const auto before = snapshot();
    const HANDLE held = ::CreateFileW(L"vc_offset_00.mpf", GENERIC_READ, 0 /* no sharing */,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const ErrorCode failure = failureOf([] { ProfileStore::saveProfile(filledTable("2"), "00"); });
    ::CloseHandle(held);
    EXPECT_TRUE(failure == ErrorCode::PermissionDenied || failure == ErrorCode::PathFileAccessError)
        << static_cast<int>(failure);
    EXPECT_EQ(snapshot(), before);
}

TEST_F(WindowsProfileTest, AReadOnlyProfileIsNotReplaced) {
    ProfileStore::saveProfile(filledTable("1"), "00");
    ASSERT_TRUE(::SetFileAttributesW(L"vc_offset_00.mpf", FILE_ATTRIBUTE_READONLY));
    const auto before = snapshot();
    const ErrorCode failure = failureOf([] { ProfileStore::saveProfile(filledTable("2"), "00"); });
    ::SetFileAttributesW(L"vc_offset_00.mpf", FILE_ATTRIBUTE_NORMAL);
    EXPECT_TRUE(failure == ErrorCode::PermissionDenied || failure == ErrorCode::PathFileAccessError)
        << static_cast<int>(failure);
    EXPECT_EQ(snapshot(), before);
}

}  // namespace
}  // namespace zelvane::offsets
