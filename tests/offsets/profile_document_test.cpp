#include "offsets/profile_document.h"

#include "support/support.h"

namespace zelvane::testing {

using offsets::ProfileDocument;

class ProfileDocumentTest : public ProfileFolderTest {
  protected:
    ProfileDocument document{m_folder};
};

// The oldest changes go beyond a few hundred, or beyond what memory
// allows when values are long; the newest always stays.
TEST_F(ProfileDocumentTest, KeepsABoundedHistory) {
    for (int change = 0; change < 400; ++change) {
        document.type(change % 2, std::to_string(change));
    }
    const auto undoAll = [this] {
        int undos = 0;
        while (!document.undoName().empty()) {
            document.undo();
            ++undos;
        }
        return undos;
    };
    EXPECT_EQ(undoAll(), offsets::EditHistory::mostEdits);
    writeBytes(in("vc_offset_1.mpf"), lines(std::string(65535, '1'), 60));
    writeBytes(in("vc_offset_2.mpf"), lines(std::string(65535, '2'), 60));
    for (int read = 0; read < 10; ++read) {
        document.read(read % 2 == 0 ? "vc_offset_1.mpf" : "vc_offset_2.mpf");
    }
    EXPECT_EQ(undoAll(), 8);
}

// A run counts what it holds as it grows, and nothing once it is back
// at its start, so that the bound on memory stays true.
TEST(EditHistory, CountsExactlyWhatARunHolds) {
    offsets::EditHistory history;
    const auto type = [&history](const std::string& before, const std::string& after) {
        offsets::Edit typed;
        typed.kind = offsets::Edit::Kind::Typing;
        typed.field = 0;
        typed.values = {{0, before, after}};
        history.add(typed);
    };
    type("0", "1");
    type("1", std::string(1000, '1'));
    EXPECT_GE(history.bytes(), 1000U);
    type(std::string(1000, '1'), "0");
    EXPECT_EQ(history.bytes(), 0U);
}

}  // namespace zelvane::testing
