#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "offsets/edit_history.h"
#include "offsets/offset_table.h"
#include "offsets/profile_location.h"
#include "offsets/profile_store.h"
#include "platform/runtime_error.h"

namespace zelvane::offsets {

// What an operation changed, so that a view redraws that much and no more.
struct DocumentChanges {
    bool values = false;     // a value, or what a value is compared with
    bool selection = false;  // the field Increase and Decrease step
    bool slot = false;
    bool profile = false;  // the current profile, its state on disk, or the folder

    bool any() const { return values || selection || slot || profile; }
};

// Everything a person edits, apart from any window: the sixty values and
// the selected one, the slot, the folder's store, the current profile (the
// one last read or saved, with the values it held then) and the history of
// changes to the table. Each operation is all or nothing: one that fails
// raises platform::RuntimeError and changes nothing, the history included.
// Saving changes no value and is not in the history: it moves the point
// the values are compared with.
class ProfileDocument {
  public:
    // At start every value is 0, the slot "00", and there is no current
    // profile: the values are compared with the reset table.
    explicit ProfileDocument(std::filesystem::path folder);

    const OffsetTable& table() const { return m_table; }
    const ProfileStore& store() const { return m_store; }
    const std::string& slot() const { return m_context.slot; }
    // The current profile's name in the folder; empty when there is none.
    const std::string& profile() const { return m_context.profile; }
    DiskState diskState() const { return m_context.disk; }
    // What the value was when the current profile was last read or saved.
    const std::string& unchangedValue(int index) const;
    bool isChanged(int index) const { return m_table.value(index) != unchangedValue(index); }
    // Whether the disk lacks what the fields hold: a value changed, or the
    // profile deleted.
    bool isModified() const;

    // "typing in Front Y", "Read vc_offset_05.mpf"; empty when there is
    // nothing to undo (or redo).
    std::string undoName() const;
    std::string redoName() const;

    // Text of several lines (a column pasted) fills this field and the
    // ones after it, a line each: one change.
    DocumentChanges type(int index, std::string text);
    DocumentChanges select(int index);
    // Selects the field and adds delta to its value.
    DocumentChanges step(int index, double delta);
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
    // given. A folder that cannot be listed changes nothing (and raises
    // RuntimeError). A profile not made yet puts its slot in the slot box,
    // so that Save makes it; one that cannot be read leaves the values as
    // they are. Moving without reading leaves no current profile, and the
    // values keep what they are compared with.
    Opened open(const ProfileLocation& location);
    // What was done so far cannot be undone: the state at start.
    void forgetHistory() { m_history = EditHistory(); }
    DocumentChanges undo();
    DocumentChanges redo();
    // Looks at the current profile on the disk, after another program may
    // have written or removed it. New values are taken at once when the
    // table has no edits (a change in the history); with edits, they are
    // kept and the profile is marked as changed on disk. A profile that
    // does not read (cut short mid-write) is left until it does.
    DocumentChanges takeDiskChanges();

  private:
    DocumentChanges pasteColumn(int index, const std::vector<std::string>& lines);
    struct Glance;
    Glance glance() const;
    DocumentChanges since(const Glance& before) const;
    TableContext currentContext() const;
    bool anyValueChanged() const;

    void extendRun(Edit::Kind kind, int index, std::string before);
    // Replaces the table and its context as one change in the history.
    void replaceWhole(const OffsetTable& table, const std::string& profile, std::string name);
    void replaceWhole(const OffsetTable& table, const TableContext& after, std::string name);
    void restore(const Edit& edit, bool forward);
    void keepToTheFolder();
    // The disk holds these values for the current profile: every context
    // of it, kept in the history or current, compares with them.
    void learnDisk(const std::shared_ptr<const TableValues>& values, DiskState disk);
    static std::shared_ptr<const TableValues> valuesOf(const OffsetTable& table);

    OffsetTable m_table;
    ProfileStore m_store;
    TableContext m_context;  // its selected is unused: the table's selection is the one
    EditHistory m_history;
    unsigned m_valueVersion = 0;  // counts changes of a value or of unchanged
};

}  // namespace zelvane::offsets
