#pragma once

#include "runtime_error.h"

namespace zelvane::platform {

// What the user was doing when the operating system said no; one errno can
// mean different things (ENOENT is "File not found" when opening for input,
// "Path not found" when the directory itself has gone).
enum class FileOperation { OpenInput, Create, Read, Write, Replace };

// The run-time error an errno means, with the system's reason as its cause.
RuntimeError runtimeErrorFromErrno(int error, FileOperation operation);

}  // namespace zelvane::platform
