#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace zelvane::platform {

// The run-time error numbers the tool can raise, with the numbering users of
// the original program know from its error reports.
enum class ErrorCode : int {
    InvalidProcedureCall = 5,
    Overflow = 6,
    TypeMismatch = 13,
    OutOfStringSpace = 14,
    BadFileNameOrNumber = 52,
    FileNotFound = 53,
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
std::string quotedForMessage(std::string_view text);

// A failed operation, carried unhandled up to the one place that reports it.
class RuntimeError : public std::runtime_error {
  public:
    explicit RuntimeError(ErrorCode code);
    RuntimeError(ErrorCode code, const std::string& description);

    ErrorCode code() const noexcept { return m_code; }
    int number() const noexcept { return static_cast<int>(m_code); }
    std::string description() const { return what(); }
    // Whether the description is still the standard one, naming nothing.
    bool isStandard() const { return description() == standardDescription(m_code); }

  private:
    ErrorCode m_code;
};

}  // namespace zelvane::platform
