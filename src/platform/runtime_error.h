#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace zelvane::platform {

// The run-time errors the tool can raise. Each has a fixed number and fixed
// words ("Type mismatch" for 13), which are what people search for, so a
// report always shows both.
enum class ErrorCode : int {
    InvalidProcedureCall = 5,
    Overflow = 6,
    OutOfMemory = 7,
    TypeMismatch = 13,
    OutOfStringSpace = 14,
    InternalError = 51,
    BadFileNameOrNumber = 52,
    FileNotFound = 53,
    BadFileMode = 54,
    DeviceIoError = 57,
    DiskFull = 61,
    InputPastEndOfFile = 62,
    PermissionDenied = 70,
    PathFileAccessError = 75,
    PathNotFound = 76,
};

// The standard description of a run-time error, e.g. "Type mismatch" for 13.
std::string_view standardDescription(ErrorCode code);

// A text as a message quotes it: in double quotes, at most its first 40
// bytes and "..." when it is longer, never cutting a UTF-8 character in two.
// A control character, or a byte that is no part of a UTF-8 character,
// shows as \xHH (visibleText): a NUL would end the message where it stood,
// a line break would split it, and a tab would look like blanks.
std::string quotedForMessage(std::string_view text);

// A failed operation, carried unhandled up to the one place that reports it.
// It is its number and its subject (what it is about: "Front Y holds
// \"abc\", which is not a number"); its description is composed here alone,
// the standard words first, so that no report can lose them.
class RuntimeError : public std::runtime_error {
  public:
    explicit RuntimeError(ErrorCode code, std::string subject = {});
    // A failure the system gave a reason for ("the file system is
    // read-only"), which whoever knows the subject names after it.
    RuntimeError(ErrorCode code, std::string subject, std::string cause);

    ErrorCode code() const noexcept { return m_code; }
    int number() const noexcept { return static_cast<int>(m_code); }
    // Empty while nothing has said what the error is about.
    const std::string& subject() const noexcept { return m_subject; }
    // Empty when the system gave no reason.
    const std::string& cause() const noexcept { return m_cause; }
    // "Type mismatch: Front Y holds ...", or the standard words alone.
    std::string description() const { return what(); }

  private:
    ErrorCode m_code;
    std::string m_subject;
    std::string m_cause;
};

}  // namespace zelvane::platform
