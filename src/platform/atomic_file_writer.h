#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>

#include "file_handle.h"

namespace zelvane::platform {

// Writes a file so that a crash, a full disk or a killed process never
// leaves half a file and never costs the old one, and so that the file stays
// its owner's: the lines go to a temporary file beside the target, given the
// target's mode, owner and attributes, which replaces the target in one step
// only once everything is written (and, if asked, on the disk). Where the
// process may not give the temporary the target's owner and group, or the
// folder takes no new files, the target is written in place instead, and
// put back as it was if that fails half-way. Until commit() the target is
// untouched; a writer dropped without commit removes its temporary file. A
// target the process may not write, or one marked read-only, is refused
// (PathFileAccessError) before anything is written. A link at the target is
// replaced: whoever wants it followed hands over followLinks(target).
class AtomicFileWriter {
  public:
    // Every temporary name starts with this, so no listing pattern for
    // user files ever offers a leftover one.
    static constexpr std::string_view temporaryPrefix = ".zelvane-save-";

    explicit AtomicFileWriter(const std::filesystem::path& target);
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;
    ~AtomicFileWriter();

    // Adds one line of bytes and its CR LF, the line end on every system.
    void writeLine(std::string_view bytes);

    enum class Durability { FlushToDisk, CacheOnly };
    // Replaces the target, then removes the temporary files that writers
    // killed half-way left behind in its folder.
    void commit(Durability durability = Durability::FlushToDisk);

  private:
    AtomicFileWriter(const std::filesystem::path& target,
                     std::pair<std::filesystem::path, FileHandle> destination);
    bool inPlace() const { return m_temporary.empty(); }
    void overwriteInPlace(Durability durability);
    void flushBuffer();
    static void removeAbandonedTemporaries(const std::filesystem::path& folder) noexcept;

    std::filesystem::path m_folder;
    std::filesystem::path m_target;
    std::filesystem::path m_temporary;  // empty when the target is written in place
    FileHandle m_file;                  // the temporary's, or the target's in place
    std::string m_pending;
    bool m_committed = false;
};

}  // namespace zelvane::platform
