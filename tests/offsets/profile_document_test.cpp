#include "offsets/profile_document.h"

#include "support/support.h"

namespace zelvane::testing {

using offsets::DiskState;
using offsets::ProfileDocument;
using offsets::ProfileLocation;
using Act = std::function<void(ProfileDocument&)>;

namespace {

// What a person sees of a document in a line: the values that are not 0,
// the slot, the current profile and its state on disk, the modified mark.
std::string seen(const ProfileDocument& document) {
    std::string text;
    for (int index = 0; index < OffsetTable::size; ++index) {
        if (document.table().value(index) != "0") {
            text += std::to_string(index) + "=" + document.table().value(index) + " ";
        }
    }
    text += "slot " + document.slot();
    if (!document.profile().empty()) {
        text += ", " + document.profile();
    }
    const std::map<DiskState, std::string> disk{{DiskState::AsKnown, ""},
                                                {DiskState::Changed, " (changed on disk)"},
                                                {DiskState::Deleted, " (deleted)"}};
    return text + disk.at(document.diskState()) + (document.isModified() ? " *" : "");
}

void typeEach(ProfileDocument& document, int index, const std::string& text) {
    for (std::size_t length = 1; length <= text.size(); ++length) {
        document.type(index, text.substr(0, length));
    }
}

}  // namespace

class ProfileDocumentTest : public ProfileFolderTest {
  protected:
    ProfileDocumentTest() { writeBytes(in("vc_offset_07.mpf"), lines("0", 59) + lines("7", 1)); }

    static std::string undone(ProfileDocument& document) {
        document.undo();
        return seen(document);
    }

    ProfileDocument document{m_folder};
};

// What one Undo takes back, and what Redo brings again: a run of typing or
// of steps in one field, a Read with its slot and profile; Save is a point
// the values are compared with, not a change.
TEST_F(ProfileDocumentTest, TakesBackOneChangeAtATime) {
    struct Row {
        const char* name;
        Act act;
        int undos;
        int redos;
        std::string seen;
    };
    const auto table =
        rows(Row{"a run of typing", [](auto& d) { typeEach(d, 4, "123"); }, 1, 0, "slot 00"},
             Row{"typing in another field ends the run",
                 [](auto& d) {
                     typeEach(d, 4, "12");
                     typeEach(d, 5, "3");
                     typeEach(d, 4, "4");
                 },
                 1, 0, "4=12 5=3 slot 00 *"},
             Row{"a run of steps, up and down",
                 [](auto& d) {
                     d.step(4, +1);
                     d.step(4, +1);
                     d.step(4, -1);
                 },
                 1, 0, "slot 00"},
             Row{"steps end a run of typing",
                 [](auto& d) {
                     typeEach(d, 4, "5");
                     d.step(4, +1);
                 },
                 1, 0, "4=5 slot 00 *"},
             Row{"typing back to the start is no change",
                 [](auto& d) {
                     typeEach(d, 5, "2");
                     typeEach(d, 4, "1");
                     d.type(4, "0");
                 },
                 1, 0, "slot 00"},
             Row{"a Read with its slot and profile",
                 [](auto& d) {
                     d.setSlot("42");
                     d.read("vc_offset_07.mpf");
                 },
                 1, 0, "slot 42"},
             Row{"Save is the point of no mark",
                 [](auto& d) {
                     typeEach(d, 4, "1");
                     d.save();
                     typeEach(d, 4, "2");
                 },
                 1, 0, "4=1 slot 00, vc_offset_00.mpf"},
             Row{"redone to Save",
                 [](auto& d) {
                     typeEach(d, 4, "1");
                     d.save();
                 },
                 2, 1, "4=1 slot 00, vc_offset_00.mpf"},
             Row{"a Read redone after Save over it",
                 [](auto& d) {
                     d.read("vc_offset_07.mpf");
                     typeEach(d, 4, "1");
                     d.save();
                 },
                 2, 1, "59=7 slot 07, vc_offset_07.mpf *"},
             Row{"a failure adds nothing",
                 [](auto& d) {
                     typeEach(d, 4, "x");
                     d.select(5);
                     EXPECT_EQ(failureOf([&] { d.step(4, +1); }), ErrorCode::TypeMismatch);
                 },
                 1, 0, "slot 00"},
             Row{"a new change drops what was undone",
                 [](auto& d) {
                     typeEach(d, 4, "1");
                     d.undo();
                     typeEach(d, 5, "2");
                 },
                 0, 1, "5=2 slot 00 *"});
    for (const auto& [name, act, undos, redos, expected] : table) {
        SCOPED_TRACE(name);
        ProfileDocument document(m_folder);
        act(document);
        for (int undo = 0; undo < undos; ++undo) {
            document.undo();
        }
        for (int redo = 0; redo < redos; ++redo) {
            document.redo();
        }
        EXPECT_EQ(seen(document), expected);
    }
}

// Another program writes or removes the current profile: with no edits the
// values follow it as one change; with edits they stay and the profile is
// marked until it is read again; the same values, or a file cut short
// mid-write, change nothing.
TEST_F(ProfileDocumentTest, FollowsTheProfileOnTheDisk) {
    struct Row {
        const char* name;
        std::string edit;   // typed into field 4 first, if any
        std::string bytes;  // the profile's new contents; empty when removed
        bool readAgain;
        std::string seen;
        std::string undone;
    };
    const std::string nines = lines("0", 59) + lines("9", 1);
    const auto table = rows(
        Row{"new values", "", nines, false, "59=9 slot 07, vc_offset_07.mpf",
            "59=7 slot 07, vc_offset_07.mpf *"},
        Row{"new values over edits", "5", nines, false,
            "4=5 59=7 slot 07, vc_offset_07.mpf (changed on disk) *",
            "59=7 slot 07, vc_offset_07.mpf (changed on disk)"},
        Row{"new values over edits, read again", "5", nines, true, "59=9 slot 07, vc_offset_07.mpf",
            "4=5 59=7 slot 07, vc_offset_07.mpf *"},
        Row{"the same values", "", lines("0", 59) + lines("7", 1), false,
            "59=7 slot 07, vc_offset_07.mpf", "slot 00"},
        Row{"cut short", "", lines("0", 30), false, "59=7 slot 07, vc_offset_07.mpf", "slot 00"},
        Row{"removed", "", "", false, "59=7 slot 07, vc_offset_07.mpf (deleted) *", "slot 00"});
    for (const auto& [name, edit, bytes, readAgain, expected, expectedUndone] : table) {
        SCOPED_TRACE(name);
        writeBytes(in("vc_offset_07.mpf"), lines("0", 59) + lines("7", 1));
        ProfileDocument document(m_folder);
        document.read("vc_offset_07.mpf");
        typeEach(document, 4, edit);
        if (bytes.empty()) {
            std::filesystem::remove(in("vc_offset_07.mpf"));
        } else {
            writeBytes(in("vc_offset_07.mpf"), bytes);
        }
        document.takeDiskChanges();
        if (readAgain) {
            document.read("vc_offset_07.mpf");
        }
        EXPECT_EQ(seen(document), expected);
        EXPECT_EQ(undone(document), expectedUndone);
    }
}

// Moving to another folder leaves no current profile, and what was changed
// stays changed; undoing a profile of another folder does not name it.
TEST_F(ProfileDocumentTest, NamesOnlyAProfileOfItsFolder) {
    std::filesystem::create_directory(in("other"));
    document.read("vc_offset_07.mpf");
    typeEach(document, 4, "1");
    offsets::DocumentChanges changes;
    document.open(ProfileLocation{in("other"), {}}, changes);
    EXPECT_EQ(seen(document), "4=1 59=7 slot 07 *");
    document.save();
    EXPECT_EQ(undone(document), "59=7 slot 07, vc_offset_07.mpf *");
    document.undo();
    document.redo();
    EXPECT_EQ(seen(document), "59=7 slot 07");
}

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
    for (int read = 0; read < 6; ++read) {
        document.read(read % 2 == 0 ? "vc_offset_1.mpf" : "vc_offset_2.mpf");
    }
    EXPECT_EQ(undoAll(), 4);
}

}  // namespace zelvane::testing
