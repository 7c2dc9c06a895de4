#include "profile_store.h"

#include <algorithm>
#include <array>
#include <optional>

#include "platform/atomic_file_writer.h"
#include "platform/directory_listing.h"
#include "platform/field_reader.h"
#include "platform/file_name.h"
#include "platform/runtime_error.h"
#include "platform/text_encoding.h"

namespace zelvane::offsets {
namespace {

using platform::ErrorCode;
using platform::RuntimeError;

bool startsWithIgnoringCase(std::string_view text, std::string_view start) {
    return text.size() >= start.size() &&
           platform::equalIgnoringCase(text.substr(0, start.size()), start);
}

bool endsWithIgnoringCase(std::string_view text, std::string_view end) {
    return text.size() >= end.size() &&
           platform::equalIgnoringCase(text.substr(text.size() - end.size()), end);
}

// How both refusals of an over-long value say why.
constexpr std::string_view tooLong = "is longer than 65,535 characters";
static_assert(ProfileStore::longestValue == 65535, "the refusals name the bound");

// Why a value would not come back as itself from a profile, if it would not;
// bytes is the value as the profile would hold it, at its start if firstValue.
std::string unstorableReason(std::string_view value, const std::optional<std::string>& bytes,
                             bool firstValue) {
    if (value.find(',') != std::string_view::npos) {
        return "holds a comma";
    }
    if (value.find_first_of("\r\n") != std::string_view::npos) {
        return "holds a line break";
    }
    // Reading refuses it: a profile holding one is no text.
    if (value.find('\0') != std::string_view::npos) {
        return "holds a NUL character";
    }
    const auto first = value.find_first_not_of(" \t");
    if (first != std::string_view::npos && value[first] == '"') {
        return "starts with a double quote";
    }
    if (!bytes) {
        // Named by its code point: a minus sign pasted from a word processor
        // looks like the hyphen it stands for.
        return "holds " + platform::firstBeyondLatin1(value) + ", a character beyond Latin-1";
    }
    if (bytes->size() > ProfileStore::longestValue) {
        return std::string(tooLong);
    }
    // Reading skips these bytes at the start of a file: the UTF-8 byte order
    // mark that some editors write.
    if (firstValue && bytes->starts_with("\xEF\xBB\xBF")) {
        return "starts with \"\xC3\xAF\xC2\xBB\xC2\xBF\", the mark some editors put before a text";
    }
    // A file that starts with either UTF-16 mark is read as UTF-16 text.
    if (firstValue && (bytes->starts_with("\xFF\xFE") || bytes->starts_with("\xFE\xFF"))) {
        return "starts with the mark of UTF-16 text";
    }
    return {};
}

// The sixty lines as bytes, or a refusal before anything is written.
std::array<std::string, OffsetTable::size> encodeLines(const OffsetTable& table) {
    std::array<std::string, OffsetTable::size> lines;
    for (int index = 0; index < OffsetTable::size; ++index) {
        const std::string& value = table.value(index);
        std::optional<std::string> bytes = platform::utf8ToLatin1(value);
        const std::string reason = unstorableReason(value, bytes, index == 0);
        if (!reason.empty()) {
            throw RuntimeError(ErrorCode::InvalidProcedureCall,
                               "the value of " + OffsetLayout::cellName(index) + " " + reason +
                                   ", which a profile cannot store. Nothing was saved.");
        }
        lines[index] = std::move(*bytes);
    }
    return lines;
}

// What a failure is about, then the reason the system gave, if any.
std::string withCause(std::string subject, const RuntimeError& error) {
    if (!error.cause().empty()) {
        subject += ": " + error.cause();
    }
    return subject;
}

// A failure of the file system, told with what it is about: the classic
// words first (they are what people search for), then the file or folder,
// the system's reason, and what it cost ("Nothing was saved."). A failure
// that already names its subject keeps it.
[[noreturn]] void rethrowNaming(const RuntimeError& error, const std::filesystem::path& path,
                                std::string_view outcome) {
    std::string subject = error.subject();
    if (subject.empty()) {
        subject =
            error.code() == ErrorCode::PathNotFound && error.cause().empty()
                ? "the folder " + platform::utf8FromPath(path.parent_path()) + " does not exist"
                : withCause(platform::utf8FromPath(path), error);
    }
    if (!subject.ends_with(outcome)) {
        subject += ". " + std::string(outcome);
    }
    throw RuntimeError(error.code(), subject);
}

}  // namespace

std::string ProfileStore::profileFileName(std::string_view slot) {
    std::string name(prefix);
    name += slot;
    name += extension;
    return name;
}

std::vector<std::string> ProfileStore::listProfiles() const {
    try {
        return platform::listMatchingFiles(m_folder, pattern);
    } catch (const RuntimeError& error) {
        throw RuntimeError(
            error.code(),
            withCause("the folder " + platform::utf8FromPath(m_folder) + " cannot be listed",
                      error));
    }
}

std::filesystem::path ProfileStore::pathOf(std::string_view name) const {
    platform::checkNameInFolder(name);
    return m_folder / platform::pathFromUtf8(name);
}

std::string ProfileStore::spellingInFolder(std::string name) const {
    std::error_code error;
    if (std::filesystem::exists(std::filesystem::symlink_status(pathOf(name), error))) {
        return name;
    }
    try {
        for (std::string& listed : listProfiles()) {
            if (platform::equalIgnoringCase(listed, name)) {
                return std::move(listed);
            }
        }
    } catch (const RuntimeError&) {
        // Saving will say what is wrong with the folder.
    }
    return name;
}

std::string ProfileStore::saveProfile(const OffsetTable& table, std::string_view slot,
                                      platform::AtomicFileWriter::Durability durability) const {
    std::string name = profileFileName(slot);
    if (const std::string reason = platform::whyNotPlainFileName(name); !reason.empty()) {
        throw RuntimeError(ErrorCode::BadFileNameOrNumber,
                           "the slot " + platform::quotedForMessage(slot) +
                               " cannot be part of a file name: " + reason);
    }
    const auto lines = encodeLines(table);
    name = spellingInFolder(std::move(name));
    // A profile that is a link stays one: the file it leads to is saved.
    std::filesystem::path path = m_folder / platform::pathFromUtf8(name);
    try {
        path = platform::followLinks(path);
        platform::AtomicFileWriter writer(path);
        for (const auto& line : lines) {
            writer.writeLine(line);
        }
        writer.commit(durability);
    } catch (const RuntimeError& error) {
        rethrowNaming(error, path, "Nothing was saved.");
    }
    return name;
}

void ProfileStore::readProfile(std::string_view name, OffsetTable& table) const {
    const std::filesystem::path path = pathOf(name);
    std::array<std::string, OffsetTable::size> fields;
    try {
        platform::FieldReader reader(path, longestValue);
        for (std::size_t number = 1; number <= fields.size(); ++number) {
            readField(reader, name, number, fields[number - 1]);
        }
        reader.close();
    } catch (const RuntimeError& error) {
        rethrowNaming(error, path, "Nothing was read.");
    }
    for (int index = 0; index < OffsetTable::size; ++index) {
        table.setValue(index, std::move(fields[index]));
    }
}

void ProfileStore::readField(platform::FieldReader& reader, std::string_view name,
                             std::size_t number, std::string& field) {
    try {
        field = reader.readField();
    } catch (const RuntimeError& error) {
        const std::string subject(name);
        if (error.code() == ErrorCode::OutOfStringSpace) {
            throw RuntimeError(error.code(), subject + ": field " + std::to_string(number) + " " +
                                                 std::string(tooLong) +
                                                 ", which no profile holds. Nothing was read.");
        }
        if (error.code() == ErrorCode::InputPastEndOfFile) {
            throw RuntimeError(error.code(), subject + " ends after " + std::to_string(number - 1) +
                                                 " of the 60 values a profile holds. Nothing "
                                                 "was read.");
        }
        throw;
    }
    // A profile is text, and text holds no NUL byte: one is the mark of
    // another kind of file, such as UTF-16 text without its byte order mark
    // (a NUL beside each character), whose values must not be taken.
    if (field.find('\0') != std::string::npos) {
        throw RuntimeError(ErrorCode::BadFileMode,
                           std::string(name) + ": field " + std::to_string(number) +
                               " holds a NUL byte, which no text profile holds. Nothing was read.");
    }
}

std::string ProfileStore::readBack(std::string_view value) {
    constexpr std::string_view blanks = " \t";
    const std::size_t first = value.find_first_not_of(blanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return std::string(value.substr(first, value.find_last_not_of(blanks) + 1 - first));
}

std::string ProfileStore::slotFromFileName(std::string_view name) {
    if (startsWithIgnoringCase(name, prefix)) {
        name.remove_prefix(prefix.size());
    }
    if (endsWithIgnoringCase(name, extension)) {
        name.remove_suffix(extension.size());
    }
    return std::string(name);
}

}  // namespace zelvane::offsets
