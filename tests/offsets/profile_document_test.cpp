#include "offsets/profile_document.h"

#include <algorithm>
#include <sstream>

#include "support/support.h"

namespace zelvane::testing {

using offsets::DiskState;
using offsets::ProfileDocument;
using offsets::ProfileLocation;

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

}  // namespace

class ProfileDocumentTest : public ProfileFolderTest {
  protected:
    // Plays what a person and other programs do, "; " between steps: type
    // INDEX TEXT (a key at a time), paste INDEX LINES (| ending each line),
    // step INDEX DELTA, slot
    // SLOT, read SLOT, save, undo, redo, open PATH (a folder or a profile, in
    // folder); another program's write of vc_offset_07.mpf with VALUE last
    // (write VALUE), cut short (cut) or removed (remove), then look (the
    // folder's watch heard it). A step that fails is refused and ignored.
    static void play(ProfileDocument& document, const std::filesystem::path& folder,
                     const std::string& script) {
        std::istringstream steps(script);
        for (std::string step; std::getline(steps, step, ';');) {
            std::istringstream words(step);
            std::string verb;
            std::string first;
            std::string second;
            words >> verb >> first >> second;
            failureOf([&] { act(document, folder, verb, first, second); });
        }
    }

    static void act(ProfileDocument& document, const std::filesystem::path& folder,
                    const std::string& verb, const std::string& first, const std::string& second) {
        const std::filesystem::path profile = folder / "vc_offset_07.mpf";
        if (verb == "type") {
            for (std::size_t length = 1; length <= second.size(); ++length) {
                document.type(std::stoi(first), second.substr(0, length));
            }
        } else if (verb == "paste") {
            std::string text = second;
            std::replace(text.begin(), text.end(), '|', '\n');
            document.type(std::stoi(first), text);
        } else if (verb == "step") {
            document.step(std::stoi(first), std::stod(second));
        } else if (verb == "slot") {
            document.setSlot(first);
        } else if (verb == "read") {
            document.read("vc_offset_" + first + ".mpf");
        } else if (verb == "save") {
            document.save();
        } else if (verb == "undo") {
            document.undo();
        } else if (verb == "redo") {
            document.redo();
        } else if (verb == "open") {
            document.open(ProfileLocation::resolve(folder / first));
        } else if (verb == "write") {
            writeBytes(profile, lines("0", 59) + lines(first, 1));
        } else if (verb == "cut") {
            writeBytes(profile, lines("0", 30));
        } else if (verb == "remove") {
            std::filesystem::remove(profile);
        } else if (verb == "look") {
            document.takeDiskChanges();
        }
    }

    ProfileDocument document{m_folder};
};

// What one Undo takes back and Redo brings again: a run of typing or of
// steps in one field, a Read with its slot and profile; Save is a point the
// values are compared with, not a change. Another program's write of the
// current profile is taken while nothing is edited, and only named while
// something is, until it is read again; the same values, or a file cut
// short mid-write, change nothing. A profile names its folder's file only.
TEST_F(ProfileDocumentTest, TakesBackOneChangeAtATimeAndFollowsTheDisk) {
    struct Row {
        const char* name;
        std::string script;
        std::string seen;
    };
    const auto table = rows(
        Row{"a run of typing", "type 4 123; undo", "slot 00"},
        Row{"typing in another field ends the run", "type 4 12; type 5 3; type 4 4; undo",
            "4=12 5=3 slot 00 *"},
        Row{"a run of steps, up and down", "step 4 1; step 4 1; step 4 -1; undo", "slot 00"},
        Row{"steps end a run of typing", "type 4 5; step 4 1; undo", "4=5 slot 00 *"},
        Row{"a column longer than the fields left", "type 57 9; paste 57 1|2|3|4|",
            "57=9 slot 00 *"},
        Row{"a line pasted", "paste 4 5|", "4=5 slot 00 *"},
        Row{"typing back to the start", "type 5 2; type 4 1; type 4 0; undo", "slot 00"},
        Row{"a Read with its slot and profile", "slot 42; read 07; undo", "slot 42"},
        Row{"Save is the point of no mark", "type 4 1; save; type 4 2; undo",
            "4=1 slot 00, vc_offset_00.mpf"},
        Row{"a Read redone after Save over it", "read 07; type 4 1; save; undo; undo; redo",
            "59=7 slot 07, vc_offset_07.mpf *"},
        Row{"a failure adds nothing", "type 4 x; step 4 1; read 09; undo", "slot 00"},
        Row{"a new change drops what was undone", "type 4 1; undo; type 5 2; redo",
            "5=2 slot 00 *"},
        Row{"new values on disk", "read 07; write 9; look", "59=9 slot 07, vc_offset_07.mpf"},
        Row{"new values on disk undone", "read 07; write 9; look; undo",
            "59=7 slot 07, vc_offset_07.mpf *"},
        Row{"new values over edits", "read 07; type 4 5; write 9; look",
            "4=5 59=7 slot 07, vc_offset_07.mpf (changed on disk) *"},
        Row{"new values over edits read", "read 07; type 4 5; write 9; look; read 07",
            "59=9 slot 07, vc_offset_07.mpf"},
        Row{"cut short", "read 07; cut; look", "59=7 slot 07, vc_offset_07.mpf"},
        Row{"removed", "read 07; remove; look", "59=7 slot 07, vc_offset_07.mpf (deleted) *"},
        Row{"another folder", "read 07; type 4 1; open other", "4=1 59=7 slot 07 *"},
        Row{"a profile not made yet", "open other/vc_offset_99.mpf", "slot 99"},
        Row{"a profile of another folder", "read 07; type 4 1; open other; save; undo; undo; redo",
            "4=1 59=7 slot 07, vc_offset_07.mpf *"});
    for (const auto& [name, script, expected] : table) {
        SCOPED_TRACE(name);
        std::filesystem::remove_all(in("row"));
        std::filesystem::create_directories(in("row/other"));
        writeBytes(in("row/vc_offset_07.mpf"), lines("0", 59) + lines("7", 1));
        ProfileDocument fresh(in("row"));
        play(fresh, in("row"), script);
        EXPECT_EQ(seen(fresh), expected);
    }
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
    for (int read = 0; read < 10; ++read) {
        document.read(read % 2 == 0 ? "vc_offset_1.mpf" : "vc_offset_2.mpf");
    }
    EXPECT_EQ(undoAll(), 8);
}

}  // namespace zelvane::testing
