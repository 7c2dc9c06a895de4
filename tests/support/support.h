#pragma once

// What every suite shares: a scratch working directory per test, the bytes
// of files, whole tables, and the run-time error an operation raises.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <random>
#include <vector>

#include "offsets/offset_table.h"
#include "platform/runtime_error.h"

namespace zelvane::testing {

using platform::ErrorCode;

// Profiles are always read and written in the working directory, so each
// test runs in a fresh empty one, removed afterwards.
class ScratchDirectoryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_previous = std::filesystem::current_path();
        m_directory = std::filesystem::temp_directory_path() /
                      ("zelvane-test-" + std::to_string(std::random_device()()));
        std::filesystem::create_directory(m_directory);
        std::filesystem::current_path(m_directory);
    }

    void TearDown() override {
        std::filesystem::current_path(m_previous);
        std::filesystem::remove_all(m_directory);
    }

    static void writeBytes(const std::filesystem::path& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }

    static std::string readBytes(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    // Every file of the working directory with its bytes, in name order:
    // what "the file system is exactly as it was" compares.
    static std::map<std::string, std::string> snapshot() {
        std::map<std::string, std::string> files;
        for (const auto& entry : std::filesystem::directory_iterator(".")) {
            files[entry.path().filename().string()] = readBytes(entry.path());
        }
        return files;
    }

  private:
    std::filesystem::path m_previous;
    std::filesystem::path m_directory;
};

// The run-time error an operation raises, with its description if asked;
// ErrorCode{} when it raises none.
inline ErrorCode failureOf(const std::function<void()>& operation,
                           std::string* description = nullptr) {
    try {
        operation();
    } catch (const platform::RuntimeError& error) {
        if (description != nullptr) {
            *description = error.description();
        }
        return error.code();
    }
    return ErrorCode{};
}

// The rows of a table, given as arguments so that they pack into few lines.
template <typename Row, typename... Rows>
std::vector<Row> rows(Row first, Rows... rest) {
    return {first, rest...};
}

// A table whose value i is tag + i, so that a moved or lost value shows.
inline offsets::OffsetTable numberedTable(const std::string& tag) {
    offsets::OffsetTable table;
    for (int index = 0; index < offsets::OffsetTable::size; ++index) {
        table.setValue(index, tag + std::to_string(index));
    }
    return table;
}

inline std::vector<std::string> valuesOf(const offsets::OffsetTable& table) {
    std::vector<std::string> values;
    for (int index = 0; index < offsets::OffsetTable::size; ++index) {
        values.push_back(table.value(index));
    }
    return values;
}

}  // namespace zelvane::testing
