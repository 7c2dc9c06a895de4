// Arbitrary bytes as a profile: reading either stores all sixty values or
// raises a run-time error and leaves the table as it was; and whatever was
// read, if it can be saved, reads back as the store says a saved value
// does (a quoted value's blanks at either end go).
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "offsets/profile_store.h"
#include "platform/runtime_error.h"

using namespace zelvane;
using offsets::OffsetTable;
using platform::ErrorCode;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The fuzzer's profiles live in a scratch folder of its own.
    static const auto folder = [] {
        auto made =
            std::filesystem::temp_directory_path() / ("zelvane-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(made);
        return made;
    }();
    static const offsets::ProfileStore store(folder);
    std::ofstream(folder / "vc_offset_fz.mpf", std::ios::binary)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    OffsetTable table;  // a double quote marks a value no read stored: none starts with one
    for (int index = 0; index < OffsetTable::size; ++index) {
        table.setValue(index, "\"");
    }
    OffsetTable again = table;
    try {
        store.readProfile("vc_offset_fz.mpf", table);
        store.saveProfile(table, "fz");
        store.readProfile("vc_offset_fz.mpf", again);
    } catch (const platform::RuntimeError& error) {
        // A short or overlong file, one holding a NUL byte in its values,
        // or UTF-16 text beyond Latin-1, is refused whole (62, 14, 54), and a
        // value no profile can carry back is refused on saving (5).
        const ErrorCode code = error.code();
        const bool read = table.value(0) != "\"";
        if (again.value(0) != "\"" ||
            (read ? code != ErrorCode::InvalidProcedureCall
                  : code != ErrorCode::InputPastEndOfFile && code != ErrorCode::OutOfStringSpace &&
                        code != ErrorCode::BadFileMode)) {
            std::abort();
        }
        return 0;
    }
    for (int index = 0; index < OffsetTable::size; ++index) {
        if (again.value(index) != offsets::ProfileStore::readBack(table.value(index))) {
            std::abort();
        }
    }
    return 0;
}
