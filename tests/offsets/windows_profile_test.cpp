// What only Windows can do: a profile held open by another program.
#include <windows.h>

#include "offsets/profile_store.h"
#include "support/support.h"

namespace zelvane::offsets {
namespace {

using testing::ErrorCode;
using testing::failureOf;
using testing::numberedTable;

class WindowsProfileTest : public testing::ScratchDirectoryTest {};

TEST_F(WindowsProfileTest, AProfileHeldOpenIsNotReplaced) {
    ProfileStore::saveProfile(numberedTable("1"), "00");
    const auto before = snapshot();
    const HANDLE held = ::CreateFileW(L"vc_offset_00.mpf", GENERIC_READ, 0 /* no sharing */,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    const ErrorCode failure =
        failureOf([] { ProfileStore::saveProfile(numberedTable("2"), "00"); });
    ::CloseHandle(held);
    EXPECT_TRUE(failure == ErrorCode::PermissionDenied || failure == ErrorCode::PathFileAccessError)
        << static_cast<int>(failure);
    EXPECT_EQ(snapshot(), before);
}

}  // namespace
}  // namespace zelvane::offsets
