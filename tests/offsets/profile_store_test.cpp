#include "offsets/profile_store.h"

#include "platform/file_name.h"
#include "platform/text_encoding.h"
#include "support/support.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace zelvane::testing {

using offsets::ProfileStore;
using ProfileStoreTest = ProfileFolderTest;

static const std::string longest(65535, '7');

TEST_F(ProfileStoreTest, NamesProfilesBySlotAndListsThemInTheOrderPeopleCount) {
    for (const std::string slot : {"", "7", "123", "..", " a", "B", "Z", "\xC3\xA9\x31"}) {
        SCOPED_TRACE(slot);
        store.saveProfile(numberedTable(""), slot);
        EXPECT_EQ(ProfileStore::slotFromFileName(ProfileStore::profileFileName(slot)), slot);
    }
    for (const char* name :
         {"VC_OFFSET_A.MPF", "VC_OFFSET_B.MPF.mpf", "vc_offset_c.mpf.mpf", "vc_offset_10.mpf",
          "vc_offset_12.mpf", "vc_offset_100.mpf", "vc_offset_007.mpf", "vc_offset_0.mpf.bak",
          "xvc_offset_0.mpf", "vc_offset0.mpf", "vc_offset_0.mp", ".zelvane-save-a"}) {
        writeBytes(in(name), lines("0", 60));
    }
    std::filesystem::create_directory(in("vc_offset_dir.mpf"));
    std::vector<std::string> expected{
        "vc_offset_ a.mpf",   "vc_offset_...mpf", "vc_offset_.mpf",   "vc_offset_007.mpf",
        "vc_offset_7.mpf",    "vc_offset_10.mpf", "vc_offset_12.mpf", "vc_offset_100.mpf",
        "vc_offset_123.mpf",  "VC_OFFSET_A.MPF",  "vc_offset_B.mpf",  "VC_OFFSET_B.MPF.mpf",
        "vc_offset_c.mpf.mpf"};
#ifndef _WIN32  // links count for what they lead to
    std::filesystem::create_symlink("vc_offset_B.mpf", in("vc_offset_link.mpf"));
    std::filesystem::create_symlink("missing", in("vc_offset_dangling.mpf"));
    std::filesystem::create_symlink("/dev/zero", in("vc_offset_zero.mpf"));
    std::filesystem::create_symlink("vc_offset_dir.mpf", in("vc_offset_dirlink.mpf"));
    expected.push_back("vc_offset_link.mpf");
    // Names only Windows or the slot box refuse, from a Linux program.
    for (const char* name : {"vc_offset_m:.mpf", "vc_offset_n\n.mpf", "vc_offset_p<>\"|?*\\.mpf"}) {
        writeBytes(in(name), lines("0", 60));
        expected.push_back(name);
    }
#endif
    // A UTF-8 slot names its file in Unicode (UTF-16 on Windows), not the
    // ANSI code page, and lists under the same name.
    expected.insert(expected.end(), {"vc_offset_Z.mpf", "vc_offset_\xC3\xA9\x31.mpf"});
    EXPECT_EQ(store.listProfiles(), expected);
    for (const std::string& name : expected) {  // each one listed reads
        OffsetTable table;
        EXPECT_EQ(failureOf([&] { store.readProfile(name, table); }), ErrorCode{}) << name;
    }
#ifndef _WIN32  // where either spelling opens the one file
    // A name that differs only in case is the slot's profile, never joined
    // by a second one.
    EXPECT_EQ(store.saveProfile(numberedTable(""), "a"), "VC_OFFSET_A.MPF");
    EXPECT_EQ(store.listProfiles(), expected);
#endif
}

TEST_F(ProfileStoreTest, RefusesWhatItCannotSaveAndWritesNothing) {
    store.saveProfile(numberedTable("old"), "00");
    store.saveProfile(numberedTable("old"), std::string(241, 'a'));  // a name of 255 bytes
    const auto before = snapshot();
    // 256 bytes, the last, is a name longer than any file system holds.
    for (const std::string& slot : std::vector<std::string>{
             "../x", "a/b", "a\\b", "C:x", "a\x1F", "a\x7F", "a*", "|", std::string(242, 'a')}) {
        SCOPED_TRACE(slot);
        EXPECT_EQ(failureOf([&] { store.saveProfile(numberedTable(""), slot); }),
                  ErrorCode::BadFileNameOrNumber);
    }
    // Values that would not come back: with a comma, a line break, a NUL, a
    // leading double quote, a character beyond Latin-1 (whole or cut after
    // its first byte), over 65,535 characters, or starting with a byte order
    // mark as Latin-1 text (UTF-8's, or UTF-16's "þÿ").
    const std::string mark = "\xC3\xAF\xC2\xBB\xC2\xBF";
    for (const std::string& value :
         {std::string("1,5"), std::string("a\nb"), std::string("1\0", 2), std::string("  \"5"),
          std::string("\xE2\x88\x92"), std::string("a\xC3"), longest + "7", mark, mark + "1",
          std::string("\xC3\xBE\xC3\xBF"
                      "1")}) {
        SCOPED_TRACE(value.substr(0, 10));
        OffsetTable table;
        table.setValue(0, value);
        std::string text;
        EXPECT_EQ(failureOf([&] { store.saveProfile(table, "00"); }, &text),
                  ErrorCode::InvalidProcedureCall);
        const std::string start = "Invalid procedure call or argument: the value of Up X ";
        EXPECT_EQ(text.substr(0, start.size()), start);
    }
    EXPECT_EQ(snapshot(), before);
}

#ifndef _WIN32
// On Linux a name is bytes. A slot that is not UTF-8 shows its stray bytes as
// \xHH, and so do characters a person cannot see; the slot shown gives its
// own bytes back, for Save to name the very file it was read from.
TEST(VisibleText, ShowsStrayBytesAsEscapesAndGivesThemBack) {
    struct Name {
        std::string slot;
        std::string shown;
    };
    const auto names =
        rows(Name{"\xE9\xE9", "\\xE9\\xE9"}, Name{"a\xC3", "a\\xC3"},
             Name{"\xC3\xA9\xE9", "\xC3\xA9\\xE9"}, Name{"\xED\xA0\x80", "\\xED\\xA0\\x80"},
             Name{"\xE2\x82\xAC", "\xE2\x82\xAC"}, Name{"\xC2\xB0", "\xC2\xB0"},
             Name{"\xC1\xBF", "\\xC1\\xBF"}, Name{"\xE0\xA4\x85", "\xE0\xA4\x85"},
             Name{"\xE0\x9F\xBF", "\\xE0\\x9F\\xBF"}, Name{"\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"},
             Name{"\xF4\x8F\xBF\xBF", "\xF4\x8F\xBF\xBF"},
             Name{"\xF4\x90\x80\x80", "\\xF4\\x90\\x80\\x80"}, Name{"\xC2\x85", "\\xC2\\x85"},
             Name{"a\xE2\x80\xAE", "a\\xE2\\x80\\xAE"});
    for (const auto& [slot, shown] : names) {
        SCOPED_TRACE(shown);
        EXPECT_EQ(platform::visibleText(slot), shown);
        EXPECT_EQ(platform::bytesOfVisibleText(shown), slot);
    }
}
#endif

#ifdef _WIN32
// Windows is handed every path in its extended-length form, so that no
// path is too long for it.
TEST(SystemPath, IsTheExtendedLengthFormOfTheAbsolutePath) {
    struct Case {
        std::wstring given;
        std::wstring expected;
    };
    const std::wstring here = std::filesystem::current_path().native();
    const auto cases =
        rows(Case{L"C:\\a\\b", L"\\\\?\\C:\\a\\b"}, Case{L"C:/a/./b/../c", L"\\\\?\\C:\\a\\c"},
             Case{L"\\\\server\\share\\x", L"\\\\?\\UNC\\server\\share\\x"},
             Case{L"\\\\?\\C:\\a\\..\\b", L"\\\\?\\C:\\a\\..\\b"},
             Case{L"sub\\..\\x.mpf", L"\\\\?\\" + here + L"\\x.mpf"});
    for (const auto& [given, expected] : cases) {
        SCOPED_TRACE(std::filesystem::path(given).string());
        EXPECT_EQ(platform::systemPath(given).native(), expected);
    }
}

TEST_F(ProfileStoreTest, SaysWhenAnotherProgramHoldsTheProfile) {
    store.saveProfile(numberedTable("old"), "00");
    const HANDLE held = ::CreateFileW(in("vc_offset_00.mpf").c_str(), GENERIC_READ, 0, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    std::string text;
    EXPECT_EQ(failureOf([&] { store.saveProfile(numberedTable("new"), "00"); }, &text),
              ErrorCode::PermissionDenied);
    EXPECT_EQ(text,
              "Permission denied: vc_offset_00.mpf is open in another program. Nothing was saved.");
    ::CloseHandle(held);
    EXPECT_EQ(readBytes(in("vc_offset_00.mpf")).substr(0, 6), "old0\r\n");
}
#endif

// What is saved reads back as itself. Each file: its bytes (a readable one
// begins with as many 0 lines as it needs), its last values (all before
// them are 0), or the failure that leaves the whole table as it was.
TEST_F(ProfileStoreTest, ReadsFieldByFieldAllOrNothing) {
    OffsetTable saved = numberedTable("");
    saved.setValue(4, "a\"b");
    saved.setValue(57, longest);
    saved.setValue(59, "\x01\xC2\x80\xC3\xA9\xC3\xBF");  // beyond ASCII: U+0080, é, ÿ
    store.saveProfile(saved, "00");
    OffsetTable read;
    store.readProfile("vc_offset_00.mpf", read);
    EXPECT_EQ(valuesOf(read), valuesOf(saved));
    std::filesystem::create_directory(in("vc_offset_dir.mpf"));
    const auto utf16 = [](const std::string& latin1, bool little) {
        std::string bytes = little ? "\xFF\xFE" : "\xFE\xFF";
        for (const char unit : latin1) {
            bytes += little ? std::string{unit, '\0'} : std::string{'\0', unit};
        }
        return bytes;
    };
    // Over 64 KiB, so that the units are read in more than one go.
    const std::string wide(40000, 'x');
    std::vector<std::string> ones(58, "1");
    ones.emplace_back(wide);
    ones.emplace_back("\xC3\xA9");
    struct File {
        std::string bytes;
        std::vector<std::string> last;
        ErrorCode failure = {};
    };
    const auto files = rows(
        File{"9\r\n", {}},  // what follows the sixtieth field is ignored
        File{"1\r\n2\n3\r4,5,,6\r\n", {"1", "2", "3", "4", "5", "", "6"}},
        File{"\r\n\r\n5\r\n", {"", "", "5"}}, File{"  12  \r\n\t7\t,8\r\n", {"12", "7", "8"}},
        File{"\"a,b\"\r\n\"\"\r\n\"a\r\nb\"\r\n\"a\"  ,b\r\n\"ab\"cd\n\"e\"\nf",
             {"a,b", "", "a\r\nb", "a", "b", "ab", "cd", "e", "f"}},
        File{"a\"b\r\n#1#\r\n", {"a\"b", "#1#"}},
        File{"\xE9\xFF\x80\r\n", {"\xC3\xA9\xC3\xBF\xC2\x80"}},
        File{"  " + longest + "\r\n\"" + longest + "\"\r\n" + longest, {longest, longest, longest}},
        File{"\"ab,c\r\nd", {"ab,c\r\nd"}},
        // 59 lines of 0, then a value that ends the file 64 KiB and one
        // byte in: its last read brings the value's last byte.
        File{std::string(65360, 'x'), {std::string(65360, 'x')}},
        File{"\xEF\xBB\xBF" + lines("1", 60), std::vector<std::string>(60, "1")},  // a marked file
        // Notepad's "Unicode" and "Unicode big endian": their text, which
        // must be Latin-1.
        File{utf16(lines("1", 58) + lines(wide, 1) + "\xE9\r\n", true), ones},
        File{utf16(lines("1", 58) + lines(wide, 1) + "\xE9\r\n", false), ones},
        File{"\xFF\xFE\x01\x01", {}, ErrorCode::BadFileMode},
        // NUL bytes, as UTF-16 text without its mark has beside each
        // character: no text profile.
        File{"1,2," + std::string("\0,x\0y\r\n", 7) + lines("1", 60), {}, ErrorCode::BadFileMode},
        File{lines("1", 59), {}, ErrorCode::InputPastEndOfFile},
        File{"   ", {}, ErrorCode::InputPastEndOfFile},
        File{"1,2," + lines(longest + "7", 60), {}, ErrorCode::OutOfStringSpace},
        File{"1,2,\"" + longest + "7\"", {}, ErrorCode::OutOfStringSpace},
        File{"1,2," + std::string(65536, ' ') + "5", {}, ErrorCode::OutOfStringSpace},
        File{"vc_offset_gone.mpf", {}, ErrorCode::FileNotFound},  // names, not bytes
        File{"vc_offset_dir.mpf", {}, ErrorCode::PathFileAccessError},
#ifdef _WIN32  // a separator, and a drive or a stream of another file
        File{"..\\vc_offset_01.mpf", {}, ErrorCode::BadFileNameOrNumber},
        File{"vc_offset_01.mpf:x", {}, ErrorCode::BadFileNameOrNumber},
#endif
        File{"..", {}, ErrorCode::BadFileNameOrNumber},
        File{std::string("vc_offset_01.mpf\0", 17), {}, ErrorCode::BadFileNameOrNumber},
        File{"../vc_offset_01.mpf", {}, ErrorCode::BadFileNameOrNumber});
    for (const auto& [bytes, last, failure] : files) {
        SCOPED_TRACE(bytes.substr(0, 40));
        const bool readable = failure == ErrorCode{};
        writeBytes(in("vc_offset_01.mpf"), (readable ? lines("0", 60 - last.size()) : "") + bytes);
        const bool named = bytes.starts_with("vc_offset_") || bytes.starts_with("..");
        OffsetTable table = numberedTable("old");
        std::string text;
        EXPECT_EQ(
            failureOf([&] { store.readProfile(named ? bytes : "vc_offset_01.mpf", table); }, &text),
            failure);
        std::vector<std::string> expected(60 - last.size(), "0");
        expected.insert(expected.end(), last.begin(), last.end());
        EXPECT_EQ(valuesOf(table), readable ? expected : valuesOf(numberedTable("old")));
        if (bytes.starts_with("1,2,")) {  // refused at the third field, the first at fault
            EXPECT_NE(text.find(": vc_offset_01.mpf: field 3 "), std::string::npos);
        }
        if (bytes.starts_with("\xFF\xFE\x01")) {
            EXPECT_NE(text.find("UTF-16 text holding the character U+0101"), std::string::npos);
        }
    }
}

}  // namespace zelvane::testing
