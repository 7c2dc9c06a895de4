#include "directory_listing.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <memory>

#include "runtime_error.h"
#include "system_error_mapping.h"

#ifndef _WIN32
#include <dirent.h>
#include <sys/stat.h>
#endif

namespace zelvane::platform {
namespace {

char foldCase(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Bytes compare unsigned, so UTF-8 names sort after ASCII ones; names equal
// but for case still get one fixed order.
bool lessIgnoringCase(const std::string& a, const std::string& b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const auto x = static_cast<unsigned char>(foldCase(a[i]));
        const auto y = static_cast<unsigned char>(foldCase(b[i]));
        if (x != y) {
            return x < y;
        }
    }
    return a.size() != b.size() ? a.size() < b.size() : a < b;
}

#ifdef _WIN32
std::vector<std::string> matchingRegularFiles(const std::filesystem::path& folder,
                                              std::string_view pattern) {
    std::vector<std::string> names;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        const std::u8string name = it->path().filename().u8string();
        std::string text(name.begin(), name.end());
        std::error_code typeError;
        if (matchesPattern(text, pattern) && it->is_regular_file(typeError)) {
            names.push_back(std::move(text));
        }
    }
    if (error) {
        throw RuntimeError(ErrorCode::PathNotFound);
    }
    return names;
}
#else
bool isRegularFile(int folder, const dirent& entry) {
    if (entry.d_type == DT_REG) {
        return true;
    }
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN) {
        return false;
    }
    struct stat status {};
    return ::fstatat(folder, entry.d_name, &status, 0) == 0 && S_ISREG(status.st_mode);
}

std::vector<std::string> matchingRegularFiles(const std::filesystem::path& folder,
                                              std::string_view pattern) {
    const std::unique_ptr<DIR, int (*)(DIR*)> directory(::opendir(folder.c_str()), ::closedir);
    if (!directory) {
        throw runtimeErrorFromErrno(errno, FileOperation::OpenInput);
    }
    std::vector<std::string> names;
    for (;;) {
        errno = 0;  // readdir tells its end from a failure only through errno
        const dirent* entry = ::readdir(directory.get());
        if (entry == nullptr) {
            break;
        }
        if (matchesPattern(entry->d_name, pattern) &&
            isRegularFile(::dirfd(directory.get()), *entry)) {
            names.emplace_back(entry->d_name);
        }
    }
    if (errno != 0) {
        throw runtimeErrorFromErrno(errno, FileOperation::Read);
    }
    return names;
}
#endif

}  // namespace

bool matchesPattern(std::string_view name, std::string_view pattern) {
    // Greedy matching with one backtrack point: linear for patterns with one
    // star, and never exponential.
    std::size_t n = 0;
    std::size_t p = 0;
    std::size_t starPattern = std::string_view::npos;
    std::size_t starName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starPattern = p++;
            starName = n;
        } else if (p < pattern.size() && foldCase(pattern[p]) == foldCase(name[n])) {
            ++n;
            ++p;
        } else if (starPattern != std::string_view::npos) {
            p = starPattern + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return foldCase(x) == foldCase(y); });
}

std::vector<std::string> listMatchingFiles(const std::filesystem::path& folder,
                                           std::string_view pattern) {
    std::vector<std::string> names = matchingRegularFiles(folder, pattern);
    std::sort(names.begin(), names.end(), lessIgnoringCase);
    return names;
}

}  // namespace zelvane::platform
