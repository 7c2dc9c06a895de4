#pragma once

#include <cstddef>
#include <filesystem>
#include <string_view>

namespace zelvane::platform {

// An open file of the operating system, closed when the handle goes away.
// Every failure is raised as a RuntimeError with the number users know
// (53 File not found, 70 Permission denied, 61 Disk full, ...).
class FileHandle {
  public:
    // Opens an existing regular file for reading. Anything else (a FIFO, a
    // device, a directory) is refused at once rather than read, so a name
    // that turns out to be /dev/zero or a pipe can never hang the tool.
    static FileHandle openForInput(const std::filesystem::path& path);

    // Creates a file that must not exist yet, for writing.
    static FileHandle createNew(const std::filesystem::path& path);

    // Opens an existing file for reading and for writing over in place.
    static FileHandle openForUpdate(const std::filesystem::path& path);

    FileHandle(FileHandle&& other) noexcept;
    FileHandle& operator=(FileHandle&& other) noexcept;
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle();

    // Reads up to size bytes; 0 at the end of the file.
    std::size_t readSome(char* buffer, std::size_t size);
    void writeAll(std::string_view bytes);
    // Makes the file hold exactly these bytes: written over the old ones from
    // its start, then the file cut to their length.
    void overwrite(std::string_view bytes);
    // Waits until what was written is on the disk, not only in the cache.
    void flushToDisk();
    // Closes now and reports a failure that a silent close would hide.
    void close();
    // Marks the file as in use by this process for as long as it is open, so
    // that removeIfAbandoned leaves it alone.
    void markInUse() noexcept;

    // Gives this new file what a person set on the one at replaced: its mode,
    // owner and group; on Windows its attributes (hidden, archive, ...),
    // through created, the name it was made under. False when the process
    // may not give it that owner and group, which a rename would then take
    // from the file; true when there is no file at replaced.
    bool keepAttributesOf(const std::filesystem::path& replaced,
                          const std::filesystem::path& created) noexcept;

  private:
    explicit FileHandle(int descriptor) : m_descriptor(descriptor) {}

    int m_descriptor = -1;
};

// Replaces target by source in one step: a reader sees the old file or the
// new one, never a mixture. A link at target is replaced, not followed.
void replaceFile(const std::filesystem::path& source, const std::filesystem::path& target);

// The path a path leads to through its symbolic links (a chain of them
// too): where a link points, whether anything is there or not. The path
// itself when it is no link. Raises RuntimeError for a loop of links.
std::filesystem::path followLinks(const std::filesystem::path& path);

// False only when the system says this process has no right to write the
// file: by its mode, its access list, or (on Windows) its read-only mark.
bool mayWrite(const std::filesystem::path& path) noexcept;

// Removes a file; a file already gone is no failure.
void removeFileQuietly(const std::filesystem::path& path) noexcept;

// Removes a file that no running process holds open and marked in use: the
// leftover of a process that was killed while writing it. Best effort.
void removeIfAbandoned(const std::filesystem::path& path) noexcept;

// Makes a rename in a folder durable; best effort, because the rename has
// already happened and some file systems cannot sync directories.
void syncDirectory(const std::filesystem::path& folder) noexcept;

}  // namespace zelvane::platform
