#include "runtime_error.h"

#include <algorithm>

#include "text_encoding.h"

namespace zelvane::platform {

std::string_view standardDescription(ErrorCode code) {
    switch (code) {
        case ErrorCode::InvalidProcedureCall:
            return "Invalid procedure call or argument";
        case ErrorCode::Overflow:
            return "Overflow";
        case ErrorCode::OutOfMemory:
            return "Out of memory";
        case ErrorCode::TypeMismatch:
            return "Type mismatch";
        case ErrorCode::OutOfStringSpace:
            return "Out of string space";
        case ErrorCode::InternalError:
            return "Internal error";
        case ErrorCode::BadFileNameOrNumber:
            return "Bad file name or number";
        case ErrorCode::FileNotFound:
            return "File not found";
        case ErrorCode::BadFileMode:
            return "Bad file mode";
        case ErrorCode::DeviceIoError:
            return "Device I/O error";
        case ErrorCode::DiskFull:
            return "Disk full";
        case ErrorCode::InputPastEndOfFile:
            return "Input past end of file";
        case ErrorCode::PermissionDenied:
            return "Permission denied";
        case ErrorCode::PathFileAccessError:
            return "Path/File access error";
        case ErrorCode::PathNotFound:
            return "Path not found";
    }
    return "Application-defined or object-defined error";
}

std::string quotedForMessage(std::string_view text) {
    constexpr std::size_t shown = 40;
    std::size_t end = std::min(text.size(), shown);
    while (end < text.size() && end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
        --end;  // a continuation byte: the character began before it
    }
    std::string quoted(1, '"');
    quoted.append(visibleText(text.substr(0, end)));
    quoted.append(end < text.size() ? "...\"" : "\"");
    return quoted;
}

namespace {

std::string composed(ErrorCode code, const std::string& subject) {
    std::string text(standardDescription(code));
    if (!subject.empty()) {
        text += ": ";
        text += subject;
    }
    return text;
}

}  // namespace

RuntimeError::RuntimeError(ErrorCode code, std::string subject)
    : std::runtime_error(composed(code, subject)), m_code(code), m_subject(std::move(subject)) {}

RuntimeError::RuntimeError(ErrorCode code, std::string subject, std::string cause)
    : RuntimeError(code, std::move(subject)) {
    m_cause = std::move(cause);
}

}  // namespace zelvane::platform
