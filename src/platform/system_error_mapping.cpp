#include "system_error_mapping.h"

#include <cerrno>
#include <string_view>

namespace zelvane::platform {
namespace {

// What each system error a save, a read or a listing can meet means to a
// person: the number and classic words they search for, and the reason in
// plain words, which a report names after its subject.
struct SystemErrorMeaning {
    int error;
    ErrorCode code;
    std::string_view cause;
};

constexpr SystemErrorMeaning meanings[] = {
    {EACCES, ErrorCode::PermissionDenied, "access to it is not allowed"},
    {EPERM, ErrorCode::PermissionDenied, "the system does not permit it"},
    {EBUSY, ErrorCode::PermissionDenied, "it is in use"},
    {ETXTBSY, ErrorCode::PermissionDenied, "it is in use"},
    {EROFS, ErrorCode::PathFileAccessError, "the file system is read-only"},
    {ENOSPC, ErrorCode::DiskFull, "no space is left on the disk"},
#ifdef EDQUOT
    {EDQUOT, ErrorCode::DiskFull, "the disk quota is exceeded"},
#endif
    {EFBIG, ErrorCode::DiskFull, "the file would be larger than the system allows"},
    {ENAMETOOLONG, ErrorCode::BadFileNameOrNumber, "the name is too long"},
    {EILSEQ, ErrorCode::BadFileNameOrNumber, "the file system does not take the name"},
    {EINVAL, ErrorCode::BadFileNameOrNumber, "the file system does not take the name"},
    {EISDIR, ErrorCode::PathFileAccessError, "a folder stands where the profile should be"},
    {ELOOP, ErrorCode::PathFileAccessError, "too many symbolic links lead to it"},
    {EMLINK, ErrorCode::PathFileAccessError, "it has too many links"},
    {ENOTDIR, ErrorCode::PathNotFound, "a part of its path is not a folder"},
    {EIO, ErrorCode::DeviceIoError, "the device failed to read or write"},
    {EMFILE, ErrorCode::PathFileAccessError, "too many files are open"},
    {ENFILE, ErrorCode::PathFileAccessError, "too many files are open"},
};

ErrorCode fallbackFor(FileOperation operation) {
    switch (operation) {
        case FileOperation::Read:
        case FileOperation::Write:
            return ErrorCode::DeviceIoError;
        case FileOperation::OpenInput:
        case FileOperation::Create:
        case FileOperation::Replace:
            break;
    }
    return ErrorCode::PathFileAccessError;
}

}  // namespace

// A name that is not there is a file not found when opened for reading,
// and a path not found otherwise (the folder itself has gone): its subject
// says which, so it has no cause of its own.
RuntimeError runtimeErrorFromErrno(int error, FileOperation operation) {
    if (error == ENOENT) {
        return RuntimeError(operation == FileOperation::OpenInput ? ErrorCode::FileNotFound
                                                                  : ErrorCode::PathNotFound);
    }
    for (const SystemErrorMeaning& meaning : meanings) {
        if (meaning.error == error) {
            return {meaning.code, {}, std::string(meaning.cause)};
        }
    }
    return RuntimeError(fallbackFor(operation));
}

}  // namespace zelvane::platform
