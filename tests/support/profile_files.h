#pragma once

// Files as bytes, for every suite: a profile's lines, a file written or
// read whole. No test framework here, so GoogleTest and Qt Test share it.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace zelvane::testing {

// count lines of the same text, each ending in CR LF as a profile's do.
inline std::string lines(const std::string& line, std::size_t count) {
    std::string bytes;
    while (count-- > 0) {
        bytes += line + "\r\n";
    }
    return bytes;
}

inline void writeBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string readBytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

}  // namespace zelvane::testing
