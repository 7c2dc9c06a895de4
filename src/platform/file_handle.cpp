#include "file_handle.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <utility>

#include "file_name.h"
#include "system_error_mapping.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <sys/file.h>
#include <unistd.h>
#endif

namespace zelvane::platform {
namespace {

#ifdef _WIN32
using IoSize = unsigned int;
constexpr std::size_t maxChunk = INT_MAX;

int osOpen(const std::filesystem::path& path, int flags) {
    return ::_wopen(systemPath(path).c_str(), flags | _O_BINARY | _O_NOINHERIT,
                    _S_IREAD | _S_IWRITE);
}
constexpr int inputFlags = _O_RDONLY;
constexpr int createFlags = _O_WRONLY | _O_CREAT | _O_EXCL;
constexpr int updateFlags = _O_RDWR;
bool isRegular(int descriptor) {
    struct _stat64 status {};
    return ::_fstat64(descriptor, &status) == 0 && (status.st_mode & _S_IFMT) == _S_IFREG;
}
int osRead(int fd, char* buffer, std::size_t size) {
    return ::_read(fd, buffer, static_cast<IoSize>(size));
}
int osWrite(int fd, const char* bytes, std::size_t size) {
    return ::_write(fd, bytes, static_cast<IoSize>(size));
}
int osSync(int fd) {
    return ::_commit(fd);
}
long long osRewind(int fd) {
    return ::_lseeki64(fd, 0, SEEK_SET);
}
// Sets errno as well as returning it.
int osTruncate(int fd, std::size_t size) {
    return ::_chsize_s(fd, static_cast<long long>(size)) == 0 ? 0 : -1;
}
int osClose(int fd) {
    return ::_close(fd);
}
#else
constexpr std::size_t maxChunk = SSIZE_MAX;

int osOpen(const std::filesystem::path& path, int flags) {
    int descriptor = -1;
    do {
        descriptor = ::open(path.c_str(), flags | O_CLOEXEC, 0666);
    } while (descriptor < 0 && errno == EINTR);
    return descriptor;
}
// Non-blocking, so that opening a FIFO returns at once and is then refused.
constexpr int inputFlags = O_RDONLY | O_NONBLOCK;
constexpr int createFlags = O_WRONLY | O_CREAT | O_EXCL;
constexpr int updateFlags = O_RDWR;
bool isRegular(int descriptor) {
    struct stat status {};
    return ::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode);
}
ssize_t osRead(int fd, char* buffer, std::size_t size) {
    return ::read(fd, buffer, size);
}
ssize_t osWrite(int fd, const char* bytes, std::size_t size) {
    return ::write(fd, bytes, size);
}
int osSync(int fd) {
    return ::fsync(fd);
}
off_t osRewind(int fd) {
    return ::lseek(fd, 0, SEEK_SET);
}
int osTruncate(int fd, std::size_t size) {
    return ::ftruncate(fd, static_cast<off_t>(size));
}
int osClose(int fd) {
    return ::close(fd);
}
#endif

}  // namespace

FileHandle FileHandle::openForInput(const std::filesystem::path& path) {
    const int descriptor = osOpen(path, inputFlags);
    if (descriptor < 0) {
        const int error = errno;
        // Windows will not open a directory at all and says "access denied";
        // it is the same refusal as a directory that opens but is no file.
        std::error_code ignored;
        if (error == EACCES && std::filesystem::is_directory(systemPath(path), ignored)) {
            throw runtimeErrorFromErrno(EISDIR, FileOperation::OpenInput);
        }
        throw runtimeErrorFromErrno(error, FileOperation::OpenInput);
    }
    FileHandle handle(descriptor);
    if (!isRegular(descriptor)) {
        std::error_code ignored;
        throw std::filesystem::is_directory(systemPath(path), ignored)
            ? runtimeErrorFromErrno(EISDIR, FileOperation::OpenInput)
            : RuntimeError(ErrorCode::PathFileAccessError, {},
                           "it is a device or a pipe, not a file");
    }
    return handle;
}

FileHandle FileHandle::createNew(const std::filesystem::path& path) {
    const int descriptor = osOpen(path, createFlags);
    if (descriptor < 0) {
        throw runtimeErrorFromErrno(errno, FileOperation::Create);
    }
    return FileHandle(descriptor);
}

FileHandle FileHandle::openForUpdate(const std::filesystem::path& path) {
    const int descriptor = osOpen(path, updateFlags);
    if (descriptor < 0) {
        throw runtimeErrorFromErrno(errno, FileOperation::Create);
    }
    return FileHandle(descriptor);
}

FileHandle::FileHandle(FileHandle&& other) noexcept
    : m_descriptor(std::exchange(other.m_descriptor, -1)) {}

FileHandle& FileHandle::operator=(FileHandle&& other) noexcept {
    if (this != &other) {
        if (m_descriptor >= 0) {
            osClose(m_descriptor);
        }
        m_descriptor = std::exchange(other.m_descriptor, -1);
    }
    return *this;
}

FileHandle::~FileHandle() {
    if (m_descriptor >= 0) {
        osClose(m_descriptor);  // failures on this path are already being reported
    }
}

std::size_t FileHandle::readSome(char* buffer, std::size_t size) {
    for (;;) {
        const auto count = osRead(m_descriptor, buffer, std::min(size, maxChunk));
        if (count >= 0) {
            return static_cast<std::size_t>(count);
        }
        if (errno != EINTR) {
            throw runtimeErrorFromErrno(errno, FileOperation::Read);
        }
    }
}

void FileHandle::writeAll(std::string_view bytes) {
    while (!bytes.empty()) {
        const auto count = osWrite(m_descriptor, bytes.data(), std::min(bytes.size(), maxChunk));
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw runtimeErrorFromErrno(errno, FileOperation::Write);
        }
        bytes.remove_prefix(static_cast<std::size_t>(count));
    }
}

void FileHandle::overwrite(std::string_view bytes) {
    if (osRewind(m_descriptor) < 0) {
        throw runtimeErrorFromErrno(errno, FileOperation::Write);
    }
    writeAll(bytes);
    if (osTruncate(m_descriptor, bytes.size()) != 0) {
        throw runtimeErrorFromErrno(errno, FileOperation::Write);
    }
}

void FileHandle::flushToDisk() {
    if (osSync(m_descriptor) != 0) {
        throw runtimeErrorFromErrno(errno, FileOperation::Write);
    }
}

void FileHandle::close() {
    const int descriptor = std::exchange(m_descriptor, -1);
    if (descriptor >= 0 && osClose(descriptor) != 0 && errno != EINTR) {
        throw runtimeErrorFromErrno(errno, FileOperation::Write);
    }
}

#ifdef _WIN32
namespace {

// Windows refuses to replace a file another program holds open and says
// only "access denied": opening it for nobody else tells the two apart.
bool isHeldByAnotherProgram(const std::filesystem::path& path) {
    const HANDLE file = ::CreateFileW(systemPath(path).c_str(), GENERIC_READ, 0, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        ::CloseHandle(file);
        return false;
    }
    return ::GetLastError() == ERROR_SHARING_VIOLATION;
}

// The errno of a Windows error that a replace can meet, so that one table
// gives both systems' errors their meaning.
int errnoOf(DWORD error) {
    switch (error) {
        case ERROR_ACCESS_DENIED:
            return EACCES;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return ENOSPC;
        case ERROR_PATH_NOT_FOUND:
            return ENOENT;
        case ERROR_WRITE_PROTECT:
            return EROFS;
        case ERROR_FILENAME_EXCED_RANGE:
            return ENAMETOOLONG;
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
            return EINVAL;
        default:
            return 0;
    }
}

}  // namespace

// Windows keeps a file that any process holds open from being deleted.
void FileHandle::markInUse() noexcept {}

void removeIfAbandoned(const std::filesystem::path& path) noexcept {
    removeFileQuietly(path);
}

void replaceFile(const std::filesystem::path& source, const std::filesystem::path& target) {
    if (::MoveFileExW(systemPath(source).c_str(), systemPath(target).c_str(),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0) {
        return;
    }
    const DWORD error = ::GetLastError();
    if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
        (error == ERROR_ACCESS_DENIED && isHeldByAnotherProgram(target))) {
        throw RuntimeError(ErrorCode::PermissionDenied,
                           utf8FromPath(target.filename()) + " is open in another program");
    }
    std::error_code ignored;
    if (error == ERROR_ACCESS_DENIED &&
        std::filesystem::is_directory(systemPath(target), ignored)) {
        throw runtimeErrorFromErrno(EISDIR, FileOperation::Replace);
    }
    throw runtimeErrorFromErrno(errnoOf(error), FileOperation::Replace);
}

// MOVEFILE_WRITE_THROUGH already waited.
void syncDirectory(const std::filesystem::path& /*folder*/) noexcept {}
// Windows makes a file its maker's and lets only an administrator give one
// away: the attributes are what a save can hand over there.
bool FileHandle::keepAttributesOf(const std::filesystem::path& replaced,
                                  const std::filesystem::path& created) noexcept {
    constexpr DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                           FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    const DWORD attributes = ::GetFileAttributesW(systemPath(replaced).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        ::SetFileAttributesW(systemPath(created).c_str(), attributes & kept);
    }
    return true;
}

bool mayWrite(const std::filesystem::path& path) noexcept {
    return ::_waccess(systemPath(path).c_str(), 2) == 0 || errno != EACCES;
}

// A link on Windows is rare and needs rights to make: it is replaced.
std::filesystem::path followLinks(const std::filesystem::path& path) {
    return path;
}
#else
// An advisory lock: the system drops it when the process ends, however it
// ends.
void FileHandle::markInUse() noexcept {
    ::flock(m_descriptor, LOCK_EX | LOCK_NB);
}

void removeIfAbandoned(const std::filesystem::path& path) noexcept {
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (descriptor < 0) {
        return;
    }
    if (::flock(descriptor, LOCK_EX | LOCK_NB) == 0) {
        ::unlink(path.c_str());
    }
    ::close(descriptor);
}

void replaceFile(const std::filesystem::path& source, const std::filesystem::path& target) {
    if (::rename(source.c_str(), target.c_str()) != 0) {
        throw runtimeErrorFromErrno(errno, FileOperation::Replace);
    }
}

void syncDirectory(const std::filesystem::path& folder) noexcept {
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor >= 0) {
        ::fsync(descriptor);
        ::close(descriptor);
    }
}

// Through the open file, not its name: in a folder others may write, the
// name could meanwhile lead to a file of theirs. The owner goes first, as
// changing it clears the set-id bits that the mode then gives back.
bool FileHandle::keepAttributesOf(const std::filesystem::path& replaced,
                                  const std::filesystem::path& /*created*/) noexcept {
    struct stat status {};
    if (::stat(replaced.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return true;
    }
    return ::fchown(m_descriptor, status.st_uid, status.st_gid) == 0 &&
           ::fchmod(m_descriptor, status.st_mode & 07777) == 0;
}

// The effective ids decide, as they do when the file is opened; the
// system's answer takes the access list into account, where mode bits alone
// would not.
bool mayWrite(const std::filesystem::path& path) noexcept {
    return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0 || errno != EACCES;
}

std::filesystem::path followLinks(const std::filesystem::path& path) {
    constexpr int mostLinks = 40;  // as the system's own lookup allows
    std::filesystem::path followed = path;
    for (int link = 0; link <= mostLinks; ++link) {
        std::error_code error;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(followed, error))) {
            return followed;
        }
        const std::filesystem::path target = std::filesystem::read_symlink(followed, error);
        if (error) {
            return followed;
        }
        followed = target.is_absolute() ? target : followed.parent_path() / target;
    }
    throw runtimeErrorFromErrno(ELOOP, FileOperation::Create);
}
#endif

void removeFileQuietly(const std::filesystem::path& path) noexcept {
    std::error_code ignored;
    std::filesystem::remove(systemPath(path), ignored);
}

}  // namespace zelvane::platform
