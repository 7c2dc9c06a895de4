#pragma once

#include <array>
#include <filesystem>
#include <string>

#include "offsets/offset_table.h"

namespace zelvane::offsets {

using TableValues = std::array<std::string, OffsetTable::size>;

// What the profile's file looked like when last seen.
enum class DiskState {
    AsKnown,  // holds what the editor last read or saved there
    Changed,  // another program wrote other values while the table had edits
    Deleted,  // removed or renamed away
};

// What the editor knows of one profile, a name in a folder: one record
// per profile, which every change in the history names, so that news from
// the disk is learnt once and holds for all of them. A record without a
// name stands for the values the table was compared with before any
// profile of its folder was read or saved.
struct ProfileRecord {
    std::filesystem::path folder;
    std::string name;
    // The fields' values when the profile was last read or saved: what a
    // field is marked changed against.
    TableValues values;
    // What the file then held as the reading rules give it back: a value
    // saved with blanks around it reads back without them, and the editor's
    // own write is never news from another program.
    TableValues onDisk;
    DiskState disk = DiskState::AsKnown;
};

}  // namespace zelvane::offsets
