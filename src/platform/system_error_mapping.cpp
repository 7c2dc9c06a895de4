#include "system_error_mapping.h"

#include <cerrno>

namespace zelvane::platform {
namespace {

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

RuntimeError runtimeErrorFromErrno(int error, FileOperation operation) {
    switch (error) {
        case ENOENT:
            return RuntimeError(operation == FileOperation::OpenInput ? ErrorCode::FileNotFound
                                                                      : ErrorCode::PathNotFound);
        case ENOTDIR:
            return RuntimeError(ErrorCode::PathNotFound);
        case EACCES:
        case EPERM:
        case EBUSY:
        case ETXTBSY:
            return RuntimeError(ErrorCode::PermissionDenied);
        case ENAMETOOLONG:
        case EILSEQ:
        case EINVAL:
            return RuntimeError(ErrorCode::BadFileNameOrNumber);
        case ENOSPC:
        case EFBIG:
#ifdef EDQUOT
        case EDQUOT:
#endif
            return RuntimeError(ErrorCode::DiskFull);
        case EIO:
            return RuntimeError(ErrorCode::DeviceIoError);
        default:
            return RuntimeError(fallbackFor(operation));
    }
}

}  // namespace zelvane::platform
