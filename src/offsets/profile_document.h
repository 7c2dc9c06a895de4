#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "offsets/edit_history.h"
#include "offsets/offset_table.h"
#include "offsets/profile_location.h"
#include "offsets/profile_record.h"
#include "offsets/profile_store.h"
#include "platform/runtime_error.h"

namespace zelvane::offsets {

// What an operation changed, so that a view redraws that much and no more.
struct DocumentChanges {
    bool values = false;     // a value, or what a value is compared with
    bool selection = false;  // the field Increase and Decrease step
    bool slot = false;
    bool profile = false;  // the current profile or its state on disk
    bool folder = false;   // the folder worked in: its list and its watch

    bool any() const { return values || selection || slot || profile || folder; }
};

// Everything a person edits, apart from any window: the sixty values and
// the selected one, the slot, the folder worked in, the current profile
// (the one last read or saved) and the history of changes. Each operation
// is all or nothing: one that fails raises platform::RuntimeError and
// changes nothing, the history included; only a failed step still selects
// the field it was asked of, as its click would have. Saving changes no
// value and is not in the history: it moves the point the values are
// compared with. Each profile has one record of what it held when last
// read or saved and of its state on disk, which every change in the
// history names, so that the title and the marks are true of the folder
// and slot that Save would write after any undo or redo.
class ProfileDocument {
  public:
    // At start every value is 0, the slot "00", and there is no current
    // profile: the values are compared with the reset table.
    explicit ProfileDocument(std::filesystem::path folder);

    const OffsetTable& table() const { return m_table; }
    const ProfileStore& store() const { return m_store; }
    const std::string& slot() const { return m_place.slot; }
    // The current profile's name in the folder; empty when there is none.
    const std::string& profile() const { return record().name; }
    DiskState diskState() const { return record().disk; }
    // What the value was when the current profile was last read or saved.
    const std::string& unchangedValue(int index) const { return record().values.at(index); }
    bool isChanged(int index) const { return m_table.value(index) != unchangedValue(index); }
    // Whether the disk lacks what the fields hold: a value changed, or the
    // profile changed on disk or deleted.
    bool isModified() const;

    // "typing in Front Y", "Read vc_offset_05.mpf"; empty when there is
    // nothing to undo (or redo).
    std::string undoName() const;
    std::string redoName() const;

    // The field's whole new text, as typing left it. Text of several values
    // (a screen reader may set it) is a paste; NULs are dropped.
    DocumentChanges type(int index, std::string text);
    // Text pasted into a field: one value typed over its whole text, or a
    // column or block of them (placePaste), as one change.
    DocumentChanges paste(int index, std::string_view text);
    DocumentChanges select(int index);
    // Selects the field and adds delta to its value.
    DocumentChanges step(int index, double delta);
    // Typing in the slot box, a change like typing in a field.
    DocumentChanges setSlot(std::string slot);
    DocumentChanges read(std::string_view name);
    // Saves under the slot; that profile becomes the current one.
    DocumentChanges save();
    // What opening a location did: the folder's profiles, what changed,
    // and why the profile given could not be read, if it could not.
    struct Opened {
        std::vector<std::string> names;
        DocumentChanges changes;
        std::optional<platform::RuntimeError> unread;
    };
    // Works in the location's folder from now on, and reads the profile
    // given, as one change. A folder that cannot be listed changes nothing
    // (and raises RuntimeError). A profile not made yet puts its slot in
    // the slot box, so that Save makes it; one that cannot be read leaves
    // the values as they are. Moving without reading leaves no current
    // profile, and the values keep what they are compared with.
    Opened open(const ProfileLocation& location);
    // What was done so far cannot be undone: the state at start.
    void forgetHistory() { m_history = EditHistory(); }
    // Undo and Redo select the field they change; one that brings the
    // values back to what another program has since changed on the disk
    // takes the disk's values, as if nothing had been edited.
    DocumentChanges undo();
    DocumentChanges redo();
    // Looks at the current profile on the disk, after another program may
    // have written or removed it. New values are taken at once when the
    // table has no edits (takes with nothing done between them are one
    // change in the history); with edits, they are left on the disk and
    // the profile is marked as changed there. A disk that holds what the
    // fields show is clean. A profile that does not read (cut short
    // mid-write) is left until it does.
    DocumentChanges takeDiskChanges();

  private:
    struct Glance;
    Glance glance() const;
    DocumentChanges since(const Glance& before) const;

    const ProfileRecord& record() const { return m_records.at(m_place.record); }
    ProfileRecord& record() { return m_records.at(m_place.record); }
    // The record of a profile, made if new.
    std::size_t recordOf(const std::filesystem::path& folder, const std::string& name);
    std::size_t recordWithoutProfile(const std::filesystem::path& folder,
                                     const TableValues& values);
    std::size_t addRecord(ProfileRecord record);
    // Forgets the records neither the place nor the history names.
    void dropUnnamedRecords();
    void learn(std::size_t record, TableValues values, TableValues onDisk);
    bool anyValueChanged() const;
    TableValues values() const;

    // Records a change of values, of the place, or both, and makes it so.
    void change(Edit edit);
    void apply(const Edit& edit, bool forward);
    void moveTo(const Place& place);
    void changeWhole(const OffsetTable& table, const Place& after, std::string name);
    DocumentChanges takeBack(bool forward);
    // Takes the disk's values once no edit is left to keep from them.
    void followDisk();

    OffsetTable m_table;
    ProfileStore m_store;
    Place m_place;  // the slot, and the record of the current profile
    std::map<std::size_t, ProfileRecord> m_records;  // by the number places name them by
    std::size_t m_nextRecord = 0;
    EditHistory m_history;
    unsigned m_valueVersion = 0;  // counts changes of a value or of what it is compared with
};

}  // namespace zelvane::offsets
