#pragma once

// What the profile suites share: a store on a scratch folder per test, the
// bytes of files, whole tables, and the run-time error an operation raises.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <random>
#include <vector>

#include "offsets/profile_store.h"
#include "platform/runtime_error.h"
#include "support/profile_files.h"

namespace zelvane::testing {

using offsets::OffsetTable;
using platform::ErrorCode;

// Each test works in a fresh empty folder of its own, removed afterwards:
// the working directory is never changed, so suites run side by side.
class ProfileFolderTest : public ::testing::Test {
  protected:
    ProfileFolderTest() { std::filesystem::create_directory(m_folder); }
    ~ProfileFolderTest() override { std::filesystem::remove_all(m_folder, m_ignored); }

    std::filesystem::path in(const std::filesystem::path& name) const { return m_folder / name; }

    // Every file of the folder with its bytes: what "the file system is
    // exactly as it was" compares.
    std::map<std::string, std::string> snapshot() const {
        std::map<std::string, std::string> files;
        for (const auto& entry : std::filesystem::directory_iterator(m_folder)) {
            files[entry.path().filename().string()] = readBytes(entry.path());
        }
        return files;
    }

    std::error_code m_ignored;
    const std::filesystem::path m_folder =
        std::filesystem::temp_directory_path() /
        ("zelvane-test-" + std::to_string(std::random_device()()));
    const offsets::ProfileStore store{m_folder};
};

// The run-time error an operation raises (ErrorCode{} if none), and its text.
inline ErrorCode failureOf(const std::function<void()>& operation, std::string* text = nullptr) {
    std::string ignored;
    try {
        operation();
    } catch (const platform::RuntimeError& error) {
        (text != nullptr ? *text : ignored) = error.description();
        return error.code();
    }
    return ErrorCode{};
}

// The rows of a table, as arguments so that they pack into few lines.
template <typename Row, typename... Rows>
std::vector<Row> rows(Row first, Rows... rest) {
    return {first, rest...};
}

// A table whose value i is tag + i, so that a moved or lost value shows.
inline OffsetTable numberedTable(const std::string& tag) {
    OffsetTable table;
    for (int index = 0; index < OffsetTable::size; ++index) {
        table.setValue(index, tag + std::to_string(index));
    }
    return table;
}

inline std::vector<std::string> valuesOf(const OffsetTable& table) {
    std::vector<std::string> values;
    for (int index = 0; index < OffsetTable::size; ++index) {
        values.push_back(table.value(index));
    }
    return values;
}

}  // namespace zelvane::testing
