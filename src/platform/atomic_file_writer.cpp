#include "atomic_file_writer.h"

#include <chrono>
#include <random>
#include <utility>

#include "directory_listing.h"
#include "file_name.h"
#include "runtime_error.h"

namespace zelvane::platform {
namespace {

constexpr std::size_t flushThreshold = std::size_t{64} * 1024;

// Seeded afresh for every name: a generator kept in the process would be
// copied into every forked child, and they would all try the same names.
std::string randomTemporaryName() {
    static constexpr std::string_view letters = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device entropy;
    std::seed_seq seed{entropy(), entropy()};
    std::mt19937_64 generator(seed);
    std::uniform_int_distribution<std::size_t> pick(0, letters.size() - 1);
    std::string name(AtomicFileWriter::temporaryPrefix);
    for (int i = 0; i < 12; ++i) {
        name.push_back(letters[pick(generator)]);
    }
    return name;
}

// The folder a target is written in: its own, or the working directory for
// a bare name.
std::filesystem::path folderOf(const std::filesystem::path& target) {
    return target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
}

// Another process may hold a temporary of the same name; a fresh name
// always wins within a few tries.
std::pair<std::filesystem::path, FileHandle> createTemporary(const std::filesystem::path& folder) {
    constexpr int attempts = 16;
    for (int attempt = 1;; ++attempt) {
        auto name = folder / randomTemporaryName();
        try {
            auto file = FileHandle::createNew(name);
            file.markInUse();
            return {std::move(name), std::move(file)};
        } catch (const RuntimeError&) {
            std::error_code error;
            if (attempt == attempts || !std::filesystem::exists(systemPath(name), error)) {
                throw;
            }
        }
    }
}

// A file its owner marked read-only is not replaced: truncating it in place
// would have failed, and the mark is how people protect a good profile.
void refuseReadOnlyTarget(const std::filesystem::path& target) {
    std::error_code error;
    const auto status = std::filesystem::symlink_status(systemPath(target), error);
    if (!error && std::filesystem::is_regular_file(status) &&
        (status.permissions() & std::filesystem::perms::owner_write) ==
            std::filesystem::perms::none) {
        throw RuntimeError(ErrorCode::PathFileAccessError,
                           utf8FromPath(target) + " is marked read-only. Nothing was saved.");
    }
}

std::pair<std::filesystem::path, FileHandle> createTemporaryFor(
    const std::filesystem::path& target) {
    refuseReadOnlyTarget(target);
    auto temporary = createTemporary(folderOf(target));
    keepAttributesOf(target, temporary.first);
    return temporary;
}

}  // namespace

AtomicFileWriter::AtomicFileWriter(const std::filesystem::path& target)
    : AtomicFileWriter(target, createTemporaryFor(target)) {}

AtomicFileWriter::AtomicFileWriter(const std::filesystem::path& target,
                                   std::pair<std::filesystem::path, FileHandle> temporary)
    : m_folder(folderOf(target)),
      m_target(target),
      m_temporary(std::move(temporary.first)),
      m_file(std::move(temporary.second)) {}

AtomicFileWriter::~AtomicFileWriter() {
    if (!m_committed) {
        // Windows removes no file that is still open, so close it first.
        { const FileHandle closing = std::move(m_file); }
        removeFileQuietly(m_temporary);
    }
}

void AtomicFileWriter::writeLine(std::string_view bytes) {
    m_pending.append(bytes);
    m_pending.append("\r\n");
    if (m_pending.size() >= flushThreshold) {
        flushBuffer();
    }
}

void AtomicFileWriter::commit(Durability durability) {
    flushBuffer();
    if (durability == Durability::FlushToDisk) {
        m_file.flushToDisk();
    }
    m_file.close();
    replaceFile(m_temporary, m_target);
    m_committed = true;
    if (durability == Durability::FlushToDisk) {
        syncDirectory(m_folder);
    }
    removeAbandonedTemporaries(m_folder);
}

void AtomicFileWriter::removeAbandonedTemporaries(const std::filesystem::path& folder) noexcept {
    // A temporary is only abandoned once it has had time to be marked in use
    // by the process that created it.
    constexpr auto settled = std::chrono::seconds(10);
    try {
        const auto now = std::filesystem::file_time_type::clock::now();
        for (const auto& name : listMatchingFiles(folder, std::string(temporaryPrefix) + "*")) {
            const auto path = folder / pathFromUtf8(name);
            std::error_code error;
            const auto written = std::filesystem::last_write_time(systemPath(path), error);
            if (!error && now - written > settled) {
                removeIfAbandoned(path);
            }
        }
    } catch (const RuntimeError&) {
        // The profile is saved; tidying up can wait for the next save.
    }
}

void AtomicFileWriter::flushBuffer() {
    m_file.writeAll(m_pending);
    m_pending.clear();
}

}  // namespace zelvane::platform
