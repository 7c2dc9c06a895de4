// Arbitrary bytes as a profile: reading either stores all sixty values or
// raises a run-time error and leaves the table as it was; and whatever was
// read, if it can be saved, reads back as itself.
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
using offsets::ProfileStore;

namespace {

// No read stores a value that starts with a double quote.
const std::string marker = "\"";

// Blanks at either end of an unquoted field are not part of it.
std::string trimmed(const std::string& value) {
    const auto first = value.find_first_not_of(" \t");
    return first == std::string::npos
               ? ""
               : value.substr(first, value.find_last_not_of(" \t") - first + 1);
}

// The fuzzer's profiles live in a scratch folder of its own.
const ProfileStore& store() {
    static const ProfileStore scratch = [] {
        auto folder =
            std::filesystem::temp_directory_path() / ("zelvane-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        return ProfileStore(folder);
    }();
    return scratch;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::ofstream(store().folder() / "vc_offset_fz.mpf", std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    OffsetTable table;
    OffsetTable again;
    for (int index = 0; index < OffsetTable::size; ++index) {
        table.setValue(index, marker);
        again.setValue(index, marker);
    }
    try {
        store().readProfile("vc_offset_fz.mpf", table);
        store().saveProfile(table, "fz");
        store().readProfile("vc_offset_fz.mpf", again);
    } catch (const platform::RuntimeError& error) {
        // A short or overlong file, refused whole; or a value no profile can carry back.
        const bool read = table.value(0) != marker;
        const bool allowed = read ? error.code() == platform::ErrorCode::InvalidProcedureCall
                                  : error.code() == platform::ErrorCode::InputPastEndOfFile ||
                                        error.code() == platform::ErrorCode::OutOfStringSpace;
        if (!allowed || again.value(0) != marker) {
            std::abort();
        }
        return 0;
    }
    for (int index = 0; index < OffsetTable::size; ++index) {
        if (again.value(index) != trimmed(table.value(index))) {
            std::abort();
        }
    }
    return 0;
}
