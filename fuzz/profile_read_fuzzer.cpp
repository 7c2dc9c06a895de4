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

using zelvane::offsets::OffsetTable;
using zelvane::offsets::ProfileStore;
using zelvane::platform::ErrorCode;
using zelvane::platform::RuntimeError;

namespace {

const char* const profileName = "vc_offset_fz.mpf";

// Profiles live in the working directory; each input is tried in a scratch
// directory, and the fuzzer gets its own back afterwards because it reads
// its corpus through relative paths.
class ScratchDirectory {
  public:
    ScratchDirectory() : m_previous(std::filesystem::current_path()) {
        static const auto directory = [] {
            auto path = std::filesystem::temp_directory_path() /
                        ("zelvane-fuzz-" + std::to_string(::getpid()));
            std::filesystem::create_directories(path);
            return path;
        }();
        std::filesystem::current_path(directory);
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;
    ~ScratchDirectory() { std::filesystem::current_path(m_previous); }

  private:
    std::filesystem::path m_previous;
};

OffsetTable markedTable() {
    OffsetTable table;
    for (int index = 0; index < OffsetTable::size; ++index) {
        table.setValue(index, "old" + std::to_string(index));
    }
    return table;
}

bool sameValues(const OffsetTable& a, const OffsetTable& b) {
    for (int index = 0; index < OffsetTable::size; ++index) {
        if (a.value(index) != b.value(index)) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const ScratchDirectory scratch;
    std::ofstream(profileName, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

    OffsetTable table = markedTable();
    try {
        ProfileStore::readProfile(profileName, table);
    } catch (const RuntimeError& error) {
        if (error.code() != ErrorCode::InputPastEndOfFile || !sameValues(table, markedTable())) {
            std::abort();
        }
        return 0;
    }
    try {
        ProfileStore::saveProfile(table, "fz");
    } catch (const RuntimeError& error) {
        if (error.code() != ErrorCode::InvalidProcedureCall) {
            std::abort();
        }
        return 0;  // a value the file format cannot carry back, refused
    }
    OffsetTable again = markedTable();
    ProfileStore::readProfile(profileName, again);
    for (int index = 0; index < OffsetTable::size; ++index) {
        // Blanks at either end of an unquoted field are not part of it.
        const std::string& value = table.value(index);
        const auto first = value.find_first_not_of(" \t");
        const auto last = value.find_last_not_of(" \t");
        const std::string trimmed =
            first == std::string::npos ? std::string() : value.substr(first, last - first + 1);
        if (again.value(index) != trimmed) {
            std::abort();
        }
    }
    return 0;
}
