#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "offsets/offset_table.h"
#include "platform/atomic_file_writer.h"
#include "platform/field_reader.h"

namespace zelvane::offsets {

// Profiles are plain-text files in one folder, one per slot:
// vc_offset_<slot>.mpf holds sixty lines, value 0 first, each ending in
// CR LF. The store knows its folder and nothing else; every call opens,
// works through and closes its file, and names never leave the folder.
// Failures are raised as platform::RuntimeError.
class ProfileStore {
  public:
    static constexpr std::string_view prefix = "vc_offset_";
    static constexpr std::string_view extension = ".mpf";
    static constexpr std::string_view pattern = "vc_offset_*.mpf";
    // The most characters a value can have in a profile, so that every
    // program that reads profiles can hold each value in a text box of its
    // own. Longer text can be typed but not saved, and a file that holds it
    // is refused, not read: a hostile file costs no more than its start.
    static constexpr std::size_t longestValue = 65535;

    // The folder is kept with the system's own separators, as people see it.
    explicit ProfileStore(std::filesystem::path folder)
        : m_folder(std::move(folder.make_preferred())) {}

    const std::filesystem::path& folder() const { return m_folder; }

    static std::string profileFileName(std::string_view slot);

    std::vector<std::string> listProfiles() const;

    // Replaces the slot's profile as platform::AtomicFileWriter does: the old
    // file stays whole until the new one is complete, and the profile stays
    // its owner's. Refuses, before touching the disk, a slot that is no plain
    // file name part (BadFileNameOrNumber) and a value that would not read
    // back as itself (InvalidProcedureCall, naming the value's row and axis).
    // A profile whose name differs only in case (VC_OFFSET_16.MPF, from a
    // Windows disk) is the slot's profile: it is replaced, never joined by
    // a second one. Returns the name written. CacheOnly skips the wait for
    // the disk; it is there for measuring.
    std::string saveProfile(const OffsetTable& table, std::string_view slot,
                            platform::AtomicFileWriter::Durability durability =
                                platform::AtomicFileWriter::Durability::FlushToDisk) const;

    // Reads the first sixty fields of a listed file into the table, all or
    // nothing: on any failure (InputPastEndOfFile for a short file,
    // OutOfStringSpace for a field longer than longestValue, BadFileMode
    // for one holding a NUL byte, ...) the table keeps every value it had.
    // Fields after the sixtieth are ignored. The name is the listing's,
    // taken whatever no new name may hold (a colon, a line break): only one
    // that could lead out of the folder is refused (BadFileNameOrNumber),
    // so every listed profile can be read.
    void readProfile(std::string_view name, OffsetTable& table) const;

    // A value as a profile gives it back once saved: reading takes the
    // blanks at either end of an unquoted field.
    static std::string readBack(std::string_view value);

    // The slot a profile was saved under: the text between "vc_offset_" and
    // ".mpf", in whatever case the name spells them.
    static std::string slotFromFileName(std::string_view name);

  private:
    // Reads field number (from 1) of a profile into field, naming the
    // profile and the field when it is cut short, too long or no text.
    static void readField(platform::FieldReader& reader, std::string_view name, std::size_t number,
                          std::string& field);

    // The name as the folder spells it, if it holds one that differs only
    // in case.
    std::string spellingInFolder(std::string name) const;
    // A name of the folder's, refused (BadFileNameOrNumber) if it could lead
    // out of it.
    std::filesystem::path pathOf(std::string_view name) const;

    std::filesystem::path m_folder;
};

}  // namespace zelvane::offsets
