#include "directory_listing.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <memory>

#include "file_name.h"
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

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Compares the runs of digits starting at a[i] and b[j] by their value,
// moving i and j past them: negative, zero or positive.
int compareNumbers(std::string_view a, std::size_t& i, std::string_view b, std::size_t& j) {
    const auto run = [](std::string_view text, std::size_t& at) {
        while (at + 1 < text.size() && text[at] == '0' && isDigit(text[at + 1])) {
            ++at;  // leading zeros do not change the value
        }
        const std::size_t start = at;
        while (at < text.size() && isDigit(text[at])) {
            ++at;
        }
        return text.substr(start, at - start);
    };
    const std::string_view x = run(a, i);
    const std::string_view y = run(b, j);
    if (x.size() != y.size()) {
        return x.size() < y.size() ? -1 : 1;
    }
    return x.compare(y);
}

// The order people count in: runs of digits compare by their value
// (vc_offset_2 before vc_offset_10), letters without regard to case, other
// bytes unsigned (so UTF-8 names sort after ASCII ones); names still equal
// that way get one fixed order all the same.
bool lessNaturally(const std::string& a, const std::string& b) {
    // Listed names share a long start ("vc_offset_"): what is the same byte
    // for byte decides nothing, but for a run of digits the difference may
    // fall inside.
    auto same = static_cast<std::size_t>(
        std::mismatch(a.begin(), a.end(), b.begin(), b.end()).first - a.begin());
    while (same > 0 && isDigit(a[same - 1])) {
        --same;
    }
    std::size_t i = same;
    std::size_t j = same;
    while (i < a.size() && j < b.size()) {
        if (isDigit(a[i]) && isDigit(b[j])) {
            if (const int order = compareNumbers(a, i, b, j); order != 0) {
                return order < 0;
            }
            continue;
        }
        const auto x = static_cast<unsigned char>(foldCase(a[i++]));
        const auto y = static_cast<unsigned char>(foldCase(b[j++]));
        if (x != y) {
            return x < y;
        }
    }
    if (i < a.size() || j < b.size()) {
        return j < b.size();
    }
    return a < b;
}

#ifdef _WIN32
std::vector<std::string> matchingRegularFiles(const std::filesystem::path& folder,
                                              std::string_view pattern) {
    std::vector<std::string> names;
    std::error_code error;
    for (std::filesystem::directory_iterator it(systemPath(folder), error), end;
         !error && it != end; it.increment(error)) {
        std::string text = utf8FromPath(it->path().filename());
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
    std::sort(names.begin(), names.end(), lessNaturally);
    return names;
}

}  // namespace zelvane::platform
