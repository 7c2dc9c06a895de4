#include "profile_document.h"

#include <algorithm>
#include <set>
#include <utility>

#include "offsets/offset_layout.h"
#include "offsets/paste_placement.h"
#include "platform/file_name.h"
#include "platform/runtime_error.h"

namespace zelvane::offsets {

using platform::ErrorCode;
using platform::RuntimeError;

// What a view shows of the document, to tell what an operation changed.
struct ProfileDocument::Glance {
    unsigned valueVersion;
    int selected;
    std::string slot;
    std::filesystem::path folder;
    std::string profile;
    DiskState disk;
};

namespace {

TableValues valuesOf(const OffsetTable& table) {
    TableValues values;
    for (int index = 0; index < OffsetTable::size; ++index) {
        values[index] = table.value(index);
    }
    return values;
}

// The values that differ between two tables, as a change from the first.
std::vector<Edit::Value> differences(const OffsetTable& from, const OffsetTable& to) {
    std::vector<Edit::Value> values;
    for (int index = 0; index < OffsetTable::size; ++index) {
        if (from.value(index) != to.value(index)) {
            values.push_back({index, from.value(index), to.value(index)});
        }
    }
    return values;
}

// A change of one kind, as a run of them starts.
Edit runOf(Edit::Kind kind, int field, std::string name, std::vector<Edit::Value> values) {
    Edit edit;
    edit.kind = kind;
    edit.field = field;
    edit.name = std::move(name);
    edit.values = std::move(values);
    return edit;
}

}  // namespace

ProfileDocument::ProfileDocument(std::filesystem::path folder) : m_store(std::move(folder)) {
    m_table.reset();
    m_place.slot = "00";
    m_place.record = recordWithoutProfile(m_store.folder(), values());
}

TableValues ProfileDocument::values() const {
    return valuesOf(m_table);
}

std::size_t ProfileDocument::addRecord(ProfileRecord record) {
    m_records.emplace(m_nextRecord, std::move(record));
    return m_nextRecord++;
}

std::size_t ProfileDocument::recordOf(const std::filesystem::path& folder,
                                      const std::string& name) {
    for (const auto& [number, record] : m_records) {
        if (record.folder == folder && record.name == name) {
            return number;
        }
    }
    ProfileRecord made;
    made.folder = folder;
    made.name = name;
    return addRecord(std::move(made));
}

std::size_t ProfileDocument::recordWithoutProfile(const std::filesystem::path& folder,
                                                  const TableValues& values) {
    ProfileRecord made;
    made.folder = folder;
    made.values = values;
    made.onDisk = values;
    return addRecord(std::move(made));
}

void ProfileDocument::dropUnnamedRecords() {
    std::set<std::size_t> named{m_place.record};
    m_history.forEachPlace([&](const Place& place) { named.insert(place.record); });
    std::erase_if(m_records, [&](const auto& kept) { return !named.contains(kept.first); });
}

// The profile holds these values now, as far as the editor knows: the
// fields are compared with them.
void ProfileDocument::learn(std::size_t record, TableValues values, TableValues onDisk) {
    ProfileRecord& learnt = m_records.at(record);
    learnt.values = std::move(values);
    learnt.onDisk = std::move(onDisk);
    learnt.disk = DiskState::AsKnown;
    ++m_valueVersion;
}

bool ProfileDocument::anyValueChanged() const {
    for (int index = 0; index < OffsetTable::size; ++index) {
        if (isChanged(index)) {
            return true;
        }
    }
    return false;
}

bool ProfileDocument::isModified() const {
    return diskState() != DiskState::AsKnown || anyValueChanged();
}

std::string ProfileDocument::undoName() const {
    const Edit* edit = m_history.nextUndo();
    return edit != nullptr ? edit->name : std::string();
}

std::string ProfileDocument::redoName() const {
    const Edit* edit = m_history.nextRedo();
    return edit != nullptr ? edit->name : std::string();
}

ProfileDocument::Glance ProfileDocument::glance() const {
    return {m_valueVersion, m_table.selected(), slot(), m_store.folder(), profile(), diskState()};
}

DocumentChanges ProfileDocument::since(const Glance& before) const {
    DocumentChanges changes;
    changes.values = before.valueVersion != m_valueVersion;
    changes.selection = before.selected != m_table.selected();
    changes.slot = before.slot != slot();
    changes.folder = before.folder != m_store.folder();
    changes.profile = changes.folder || before.profile != profile() || before.disk != diskState();
    return changes;
}

DocumentChanges ProfileDocument::type(int index, std::string text) {
    if (isSeveralValues(text)) {
        return paste(index, text);
    }
    std::erase(text, '\0');
    if (m_table.value(index) == text) {
        return {};
    }
    const Glance before = glance();
    change(runOf(Edit::Kind::Typing, index, "typing in " + OffsetLayout::cellName(index),
                 {{index, m_table.value(index), std::move(text)}}));
    followDisk();
    return since(before);
}

DocumentChanges ProfileDocument::paste(int index, std::string_view text) {
    Edit edit = runOf(Edit::Kind::Whole, index, "paste into " + OffsetLayout::cellName(index), {});
    for (auto& [at, value] : placePaste(index, text)) {
        if (m_table.value(at) != value) {
            edit.values.push_back({at, m_table.value(at), std::move(value)});
        }
    }
    if (edit.values.empty()) {
        return {};
    }
    const Glance before = glance();
    m_history.closeRun();
    change(std::move(edit));
    followDisk();
    return since(before);
}

DocumentChanges ProfileDocument::select(int index) {
    if (index == m_table.selected()) {
        return {};
    }
    m_history.closeRun();
    m_table.select(index);
    return {.selection = true};
}

DocumentChanges ProfileDocument::step(int index, double delta) {
    const Glance before = glance();
    select(index);  // stays, as the click on the field would, when the step fails
    OffsetTable stepped = m_table;
    stepped.stepSelected(delta);
    if (stepped.value(index) != m_table.value(index)) {
        change(runOf(Edit::Kind::Steps, index, "steps of " + OffsetLayout::cellName(index),
                     {{index, m_table.value(index), stepped.value(index)}}));
        followDisk();
    }
    return since(before);
}

DocumentChanges ProfileDocument::setSlot(std::string slot) {
    if (slot == m_place.slot) {
        return {};
    }
    Place after = m_place;
    after.slot = std::move(slot);
    Edit edit = runOf(Edit::Kind::Slot, -1, "typing in the slot box", {});
    edit.before = m_place;
    edit.after = std::move(after);
    change(std::move(edit));
    return {.slot = true};
}

DocumentChanges ProfileDocument::read(std::string_view name) {
    const Glance before = glance();
    OffsetTable table = m_table;
    m_store.readProfile(name, table);
    const std::size_t record = recordOf(m_store.folder(), std::string(name));
    learn(record, valuesOf(table), valuesOf(table));
    changeWhole(table, {ProfileStore::slotFromFileName(name), record}, "Read " + std::string(name));
    dropUnnamedRecords();
    return since(before);
}

DocumentChanges ProfileDocument::save() {
    const Glance before = glance();
    const std::string name = m_store.saveProfile(m_table, m_place.slot);
    m_history.closeRun();
    TableValues readBack = values();
    for (std::string& value : readBack) {
        value = ProfileStore::readBack(value);
    }
    m_place.record = recordOf(m_store.folder(), name);
    learn(m_place.record, values(), std::move(readBack));
    dropUnnamedRecords();
    return since(before);
}

ProfileDocument::Opened ProfileDocument::open(const ProfileLocation& location) {
    const Glance before = glance();
    const ProfileStore store(location.folder);
    Opened opened;
    opened.names = store.listProfiles();
    OffsetTable table = m_table;
    bool read = !location.profile.empty();
    if (read) {
        try {
            store.readProfile(location.profile, table);
        } catch (const RuntimeError& error) {
            read = false;
            if (error.code() != ErrorCode::FileNotFound) {
                opened.unread = error;
            }
        }
    }
    Place after = m_place;
    if (read) {
        after.record = recordOf(store.folder(), location.profile);
        learn(after.record, valuesOf(table), valuesOf(table));
    } else if (store.folder() != m_store.folder()) {
        after.record = recordWithoutProfile(store.folder(), record().values);
    }
    if (!location.profile.empty() && !opened.unread) {
        after.slot = ProfileStore::slotFromFileName(location.profile);
    }
    const std::string name = location.profile.empty()
                                 ? platform::utf8FromPath(store.folder().filename())
                                 : location.profile;
    changeWhole(table, after, "Open " + name);
    dropUnnamedRecords();
    opened.changes = since(before);
    return opened;
}

void ProfileDocument::changeWhole(const OffsetTable& table, const Place& after, std::string name) {
    m_history.closeRun();
    Edit edit = runOf(Edit::Kind::Whole, -1, std::move(name), differences(m_table, table));
    if (!edit.values.empty() || after != m_place) {
        edit.before = m_place;
        edit.after = after;
        change(std::move(edit));
    }
}

void ProfileDocument::change(Edit edit) {
    apply(edit, true);
    m_history.add(std::move(edit));
}

void ProfileDocument::apply(const Edit& edit, bool forward) {
    ++m_valueVersion;
    for (const Edit::Value& value : edit.values) {
        m_table.setValue(value.index, forward ? value.after : value.before);
    }
    if (const auto& place = forward ? edit.after : edit.before) {
        moveTo(*place);
    }
}

// The folder goes with the place: Save, the list and the watch follow.
void ProfileDocument::moveTo(const Place& place) {
    m_place = place;
    if (record().folder != m_store.folder()) {
        m_store = ProfileStore(record().folder);
    }
}

DocumentChanges ProfileDocument::undo() {
    return takeBack(false);
}

DocumentChanges ProfileDocument::redo() {
    return takeBack(true);
}

// A change taken back or brought again selects its field. One that moves
// to another profile looks at it on the disk: nothing watched it meanwhile.
DocumentChanges ProfileDocument::takeBack(bool forward) {
    const Glance before = glance();
    const std::size_t record = m_place.record;
    if (const Edit* edit = forward ? m_history.redo() : m_history.undo()) {
        apply(*edit, forward);
        if (edit->field >= 0) {
            m_table.select(edit->field);
        }
    }
    if (m_place.record != record) {
        takeDiskChanges();
    } else {
        followDisk();
    }
    return since(before);
}

void ProfileDocument::followDisk() {
    if (diskState() == DiskState::Changed && !anyValueChanged()) {
        takeDiskChanges();
    }
}

DocumentChanges ProfileDocument::takeDiskChanges() {
    if (profile().empty()) {
        return {};
    }
    const Glance before = glance();
    OffsetTable onDisk = m_table;
    try {
        m_store.readProfile(profile(), onDisk);
    } catch (const RuntimeError& error) {
        const bool gone =
            error.code() == ErrorCode::FileNotFound || error.code() == ErrorCode::PathNotFound;
        if (gone) {
            record().disk = DiskState::Deleted;
        }
        return since(before);  // anything else may be a write not yet finished
    }
    const TableValues disk = valuesOf(onDisk);
    if (disk == record().onDisk) {
        record().disk = DiskState::AsKnown;
    } else if (disk == values()) {
        learn(m_place.record, disk, disk);  // the disk holds what the fields show
    } else if (!anyValueChanged()) {
        learn(m_place.record, disk, disk);
        Edit taken =
            runOf(Edit::Kind::Reload, -1, "reload of " + profile(), differences(m_table, onDisk));
        apply(taken, true);
        m_history.insert(std::move(taken));
    } else {
        record().disk = DiskState::Changed;
    }
    return since(before);
}

}  // namespace zelvane::offsets
