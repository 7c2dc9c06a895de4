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
// bytes is the value as the profile would hold it.
std::string_view unstorableReason(std::string_view value, const std::optional<std::string>& bytes) {
    if (value.find(',') != std::string_view::npos) {
        return "holds a comma";
    }
    if (value.find_first_of("\r\n") != std::string_view::npos) {
        return "holds a line break";
    }
    const auto first = value.find_first_not_of(" \t");
    if (first != std::string_view::npos && value[first] == '"') {
        return "starts with a double quote";
    }
    if (!bytes) {
        return "holds a character beyond Latin-1";
    }
    if (bytes->size() > ProfileStore::longestValue) {
        return tooLong;
    }
    return {};
}

// The sixty lines as bytes, or a refusal before anything is written.
std::array<std::string, OffsetTable::size> encodeLines(const OffsetTable& table) {
    std::array<std::string, OffsetTable::size> lines;
    for (int index = 0; index < OffsetTable::size; ++index) {
        const std::string& value = table.value(index);
        std::optional<std::string> bytes = platform::utf8ToLatin1(value);
        const std::string_view reason = unstorableReason(value, bytes);
        if (!reason.empty()) {
            throw RuntimeError(ErrorCode::InvalidProcedureCall,
                               "The value of " + OffsetLayout::cellName(index) + " " +
                                   std::string(reason) +
                                   ", which a profile cannot store. Nothing was saved.");
        }
        lines[index] = std::move(*bytes);
    }
    return lines;
}

}  // namespace

std::string ProfileStore::profileFileName(std::string_view slot) {
    std::string name(prefix);
    name += slot;
    name += extension;
    return name;
}

std::vector<std::string> ProfileStore::listProfiles() const {
    return platform::listMatchingFiles(m_folder, pattern);
}

std::filesystem::path ProfileStore::pathOf(std::string_view name) const {
    platform::checkPlainFileName(name);
    return m_folder / platform::pathFromUtf8(name);
}

void ProfileStore::saveProfile(const OffsetTable& table, std::string_view slot,
                               platform::AtomicFileWriter::Durability durability) const {
    const std::filesystem::path path = pathOf(profileFileName(slot));
    const auto lines = encodeLines(table);
    platform::AtomicFileWriter writer(path);
    for (const auto& line : lines) {
        writer.writeLine(line);
    }
    writer.commit(durability);
}

void ProfileStore::readProfile(std::string_view name, OffsetTable& table) const {
    platform::FieldReader reader(pathOf(name), longestValue);
    std::array<std::string, OffsetTable::size> fields;
    for (std::size_t number = 1; number <= fields.size(); ++number) {
        try {
            fields[number - 1] = reader.readField();
        } catch (const RuntimeError& error) {
            if (error.code() != ErrorCode::OutOfStringSpace) {
                throw;
            }
            throw RuntimeError(ErrorCode::OutOfStringSpace,
                               "Field " + std::to_string(number) + " of " + std::string(name) +
                                   " " + std::string(tooLong) +
                                   ", which no profile holds. Nothing was read.");
        }
    }
    reader.close();
    for (int index = 0; index < OffsetTable::size; ++index) {
        table.setValue(index, std::move(fields[index]));
    }
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
