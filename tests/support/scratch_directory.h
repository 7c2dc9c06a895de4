#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace zelvane::testing {

// Each test runs in a fresh empty working directory of its own, removed
// afterwards, because profiles are always read and written in the working
// directory.
class ScratchDirectoryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_previous = std::filesystem::current_path();
        std::random_device seed;
        m_directory = std::filesystem::temp_directory_path() /
                      ("zelvane-test-" + std::to_string(seed()) + std::to_string(seed()));
        std::filesystem::create_directory(m_directory);
        std::filesystem::current_path(m_directory);
    }

    void TearDown() override {
        std::filesystem::current_path(m_previous);
        std::filesystem::permissions(m_directory, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add);
        std::filesystem::remove_all(m_directory);
    }

    static void writeBytes(const std::filesystem::path& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }

    static std::string readBytes(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    // Every entry of the working directory with its bytes (empty for a
    // non-file): what "the file system is exactly as it was" compares.
    static std::vector<std::pair<std::string, std::string>> snapshot() {
        std::vector<std::pair<std::string, std::string>> entries;
        for (const auto& entry : std::filesystem::directory_iterator(".")) {
            const auto name = entry.path().filename().string();
            entries.emplace_back(name, entry.is_regular_file() ? readBytes(entry.path()) : "");
        }
        std::sort(entries.begin(), entries.end());
        return entries;
    }

    const std::filesystem::path& directory() const { return m_directory; }

  private:
    std::filesystem::path m_previous;
    std::filesystem::path m_directory;
};

}  // namespace zelvane::testing
