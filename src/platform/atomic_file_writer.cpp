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

// A plain file, that is: a link at the target is replaced, never written
// through.
bool isPlainFile(const std::filesystem::path& target) {
    std::error_code error;
    return std::filesystem::is_regular_file(
        std::filesystem::symlink_status(systemPath(target), error));
}

// A file the person may not write is not replaced, even where the folder's
// rights would let a rename replace it. A file its owner marked read-only is
// refused even to someone who could write it all the same: the mark is how
// people protect a good profile.
void refuseUnwritableTarget(const std::filesystem::path& target) {
    std::error_code error;
    const auto status = std::filesystem::symlink_status(systemPath(target), error);
    if (error || !std::filesystem::is_regular_file(status)) {
        return;
    }
    if ((status.permissions() & std::filesystem::perms::owner_write) ==
        std::filesystem::perms::none) {
        throw RuntimeError(ErrorCode::PathFileAccessError,
                           utf8FromPath(target) + " is marked read-only. Nothing was saved.");
    }
    if (!mayWrite(target)) {
        throw RuntimeError(ErrorCode::PathFileAccessError,
                           utf8FromPath(target) + " may not be written by you. Nothing was saved.");
    }
}

// A rename would make the file the saver's, so a file is replaced only once
// the temporary holds its owner, group and mode: the system lets only root,
// or the owner giving a group of their own, hand them over. Anyone else
// writes it in place, which keeps them, and its access list, as they are;
// so does someone whose folder takes no new files. Trying the hand-over,
// rather than comparing ids, also decides rightly where the file system
// maps ids (root squashed on a share, a user namespace). Nothing of the file
// is written before the choice. An empty path means in place.
std::pair<std::filesystem::path, FileHandle> destinationFor(const std::filesystem::path& target) {
    refuseUnwritableTarget(target);
    const bool replacing = isPlainFile(target);
    try {
        auto temporary = createTemporary(folderOf(target));
        if (temporary.second.keepAttributesOf(target, temporary.first) || !replacing) {
            return temporary;
        }
        { const FileHandle closing = std::move(temporary.second); }  // Windows removes no open file
        removeFileQuietly(temporary.first);
    } catch (const RuntimeError& error) {
        if (error.code() != ErrorCode::PermissionDenied) {
            throw;
        }
        if (!replacing) {  // the file is not there: the folder is the cause
            throw RuntimeError(error.code(),
                               "the folder " + utf8FromPath(folderOf(target)) +
                                   " takes no new files from you. Nothing was saved.");
        }
    }
    return {std::filesystem::path(), FileHandle::openForUpdate(target)};
}

std::string bytesToEnd(FileHandle& file) {
    std::string bytes;
    std::string chunk(flushThreshold, '\0');
    while (const std::size_t count = file.readSome(chunk.data(), chunk.size())) {
        bytes.append(chunk, 0, count);
    }
    return bytes;
}

}  // namespace

AtomicFileWriter::AtomicFileWriter(const std::filesystem::path& target)
    : AtomicFileWriter(target, destinationFor(target)) {}

AtomicFileWriter::AtomicFileWriter(const std::filesystem::path& target,
                                   std::pair<std::filesystem::path, FileHandle> destination)
    : m_folder(folderOf(target)),
      m_target(target),
      m_temporary(std::move(destination.first)),
      m_file(std::move(destination.second)) {}

AtomicFileWriter::~AtomicFileWriter() {
    if (!m_committed && !inPlace()) {
        // Windows removes no file that is still open, so close it first.
        { const FileHandle closing = std::move(m_file); }
        removeFileQuietly(m_temporary);
    }
}

void AtomicFileWriter::writeLine(std::string_view bytes) {
    m_pending.append(bytes);
    m_pending.append("\r\n");
    // In place, nothing is written before commit().
    if (!inPlace() && m_pending.size() >= flushThreshold) {
        flushBuffer();
    }
}

void AtomicFileWriter::commit(Durability durability) {
    if (inPlace()) {
        overwriteInPlace(durability);
        m_committed = true;
        return;
    }
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

// The old contents are read before anything is written, and written back if
// the new ones fail half-way. The new bytes go over the old from the start
// and the file is cut to their length only after: a save killed between the
// two leaves every new line whole, the old file's tail after them.
void AtomicFileWriter::overwriteInPlace(Durability durability) {
    const std::string old = bytesToEnd(m_file);
    try {
        m_file.overwrite(m_pending);
        if (durability == Durability::FlushToDisk) {
            m_file.flushToDisk();
        }
    } catch (const RuntimeError&) {
        try {
            m_file.overwrite(old);
            m_file.flushToDisk();
        } catch (const RuntimeError&) {
            // What went wrong first is what the person is told.
        }
        throw;
    }
    m_file.close();
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
