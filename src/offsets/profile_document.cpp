#include "profile_document.h"

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

#include "offsets/offset_layout.h"
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

ProfileDocument::ProfileDocument(std::filesystem::path folder) : m_store(std::move(folder)) {
    m_table.reset();
    m_context.slot = "00";
    m_context.folder = m_store.folder();
    m_context.unchanged = valuesOf(m_table);
}

std::shared_ptr<const TableValues> ProfileDocument::valuesOf(const OffsetTable& table) {
    auto values = std::make_shared<TableValues>();
    for (int index = 0; index < OffsetTable::size; ++index) {
        (*values)[index] = table.value(index);
    }
    return values;
}

const std::string& ProfileDocument::unchangedValue(int index) const {
    return m_context.unchanged->at(index);
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
    return m_context.disk == DiskState::Deleted || anyValueChanged();
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
    return {m_valueVersion,   m_table.selected(), m_context.slot,
            m_context.folder, m_context.profile,  m_context.disk};
}

DocumentChanges ProfileDocument::since(const Glance& before) const {
    DocumentChanges changes;
    changes.values = before.valueVersion != m_valueVersion;
    changes.selection = before.selected != m_table.selected();
    changes.slot = before.slot != m_context.slot;
    changes.profile = before.folder != m_context.folder || before.profile != m_context.profile ||
                      before.disk != m_context.disk;
    return changes;
}

TableContext ProfileDocument::currentContext() const {
    TableContext context = m_context;
    context.selected = m_table.selected();
    return context;
}

namespace {

// The lines of a text, whatever ends them (CR LF, LF or CR); a line break
// at the end ends the last line and starts none.
std::vector<std::string> linesOf(std::string_view text) {
    std::vector<std::string> lines;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find_first_of("\r\n"), text.size());
        lines.emplace_back(text.substr(0, end));
        const bool crLf = text.substr(end).starts_with("\r\n");
        text.remove_prefix(std::min(text.size(), end + (crLf ? 2 : 1)));
    }
    return lines;
}

}  // namespace

DocumentChanges ProfileDocument::type(int index, std::string text) {
    if (text.find_first_of("\r\n") != std::string::npos) {
        return pasteColumn(index, linesOf(text));
    }
    if (m_table.value(index) == text) {
        return {};
    }
    std::string before = m_table.value(index);
    m_table.setValue(index, std::move(text));
    extendRun(Edit::Kind::Typing, index, std::move(before));
    return {.values = true};
}

// A column of lines fills the field and those after it in index order, as
// the lines of a profile do; what goes beyond the last field is dropped.
DocumentChanges ProfileDocument::pasteColumn(int index, const std::vector<std::string>& lines) {
    m_history.closeRun();
    Edit edit;
    edit.name = "paste into " + OffsetLayout::cellName(index);
    for (std::size_t line = 0; line < lines.size() && index < OffsetTable::size; ++line) {
        if (lines[line] != m_table.value(index)) {
            edit.values.push_back({index, m_table.value(index), lines[line]});
        }
        ++index;
    }
    if (edit.values.empty()) {
        return {};
    }
    restore(edit, true);
    m_history.push(std::move(edit));
    return {.values = true};
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
    DocumentChanges changes = select(index);
    std::string before = m_table.value(index);
    m_table.stepSelected(delta);  // a value that is no number stays as it was
    if (m_table.value(index) != before) {
        extendRun(Edit::Kind::Steps, index, std::move(before));
        changes.values = true;
    }
    return changes;
}

// Typing and steps in one field, one after another, are one change; one
// that comes back to where the run began is none.
void ProfileDocument::extendRun(Edit::Kind kind, int index, std::string before) {
    ++m_valueVersion;
    const std::string& after = m_table.value(index);
    if (Edit* run = m_history.openRun(kind, index)) {
        const std::size_t bytes = run->bytes();
        Edit::Value& value = run->values.front();
        value.after = after;
        if (value.after == value.before) {
            m_history.dropTop();
        } else {
            m_history.grown(bytes);
        }
        return;
    }
    const std::string cell = OffsetLayout::cellName(index);
    Edit edit;
    edit.kind = kind;
    edit.field = index;
    edit.name = (kind == Edit::Kind::Typing ? "typing in " : "steps of ") + cell;
    edit.values.push_back({index, std::move(before), after});
    m_history.push(std::move(edit));
}

DocumentChanges ProfileDocument::setSlot(std::string slot) {
    if (slot == m_context.slot) {
        return {};
    }
    m_history.closeRun();
    m_context.slot = std::move(slot);
    return {.slot = true};
}

DocumentChanges ProfileDocument::read(std::string_view name) {
    const Glance before = glance();
    OffsetTable table = m_table;
    m_store.readProfile(name, table);
    replaceWhole(table, std::string(name), "Read " + std::string(name));
    return since(before);
}

DocumentChanges ProfileDocument::save() {
    const Glance before = glance();
    m_context.profile = m_store.saveProfile(m_table, m_context.slot);
    m_history.closeRun();
    learnDisk(valuesOf(m_table), DiskState::AsKnown);
    return since(before);
}

ProfileDocument::Opened ProfileDocument::open(const ProfileLocation& location) {
    const Glance before = glance();
    ProfileStore store(location.folder);
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
    m_store = std::move(store);
    m_history.closeRun();
    keepToTheFolder();
    if (read) {
        replaceWhole(table, location.profile, "Open " + location.profile);
    } else if (!location.profile.empty() && !opened.unread) {
        m_context.slot = ProfileStore::slotFromFileName(location.profile);
    }
    opened.changes = since(before);
    return opened;
}

// The values and everything around them come from the profile of this
// name in the folder, as it was just read.
void ProfileDocument::replaceWhole(const OffsetTable& table, const std::string& profile,
                                   std::string name) {
    TableContext after = currentContext();
    after.slot = ProfileStore::slotFromFileName(profile);
    after.profile = profile;
    after.unchanged = valuesOf(table);
    after.disk = DiskState::AsKnown;
    replaceWhole(table, after, std::move(name));
}

void ProfileDocument::replaceWhole(const OffsetTable& table, const TableContext& after,
                                   std::string name) {
    Edit edit;
    edit.name = std::move(name);
    edit.before = currentContext();
    for (int index = 0; index < OffsetTable::size; ++index) {
        if (table.value(index) != m_table.value(index)) {
            edit.values.push_back({index, m_table.value(index), table.value(index)});
        }
    }
    const TableContext& before = *edit.before;
    const bool sameContext = before.slot == after.slot && before.profile == after.profile &&
                             before.folder == after.folder && before.disk == after.disk &&
                             *before.unchanged == *after.unchanged;
    if (!edit.values.empty() || !sameContext) {
        edit.after = after;
        restore(edit, true);
        m_history.push(std::move(edit));
    }
    learnDisk(after.unchanged, DiskState::AsKnown);
}

DocumentChanges ProfileDocument::undo() {
    const Glance before = glance();
    if (const Edit* edit = m_history.undo()) {
        restore(*edit, false);
    }
    return since(before);
}

DocumentChanges ProfileDocument::redo() {
    const Glance before = glance();
    if (const Edit* edit = m_history.redo()) {
        restore(*edit, true);
    }
    return since(before);
}

void ProfileDocument::restore(const Edit& edit, bool forward) {
    ++m_valueVersion;
    for (const Edit::Value& value : edit.values) {
        m_table.setValue(value.index, forward ? value.after : value.before);
    }
    const std::optional<TableContext>& context = forward ? edit.after : edit.before;
    if (!context) {
        return;
    }
    m_table.select(context->selected);
    m_context = *context;
    keepToTheFolder();
}

// A profile of another folder is no profile here: the editor left it, or
// an undone change brought back a context from before it moved. The values
// stay what the fields are compared with.
void ProfileDocument::keepToTheFolder() {
    if (m_context.folder != m_store.folder()) {
        m_context.folder = m_store.folder();
        m_context.profile.clear();
        m_context.disk = DiskState::AsKnown;
    }
}

DocumentChanges ProfileDocument::takeDiskChanges() {
    if (m_context.profile.empty()) {
        return {};
    }
    const Glance before = glance();
    OffsetTable onDisk = m_table;
    try {
        m_store.readProfile(m_context.profile, onDisk);
    } catch (const RuntimeError& error) {
        const bool gone =
            error.code() == ErrorCode::FileNotFound || error.code() == ErrorCode::PathNotFound;
        if (gone && m_context.disk != DiskState::Deleted) {
            learnDisk(nullptr, DiskState::Deleted);
        }
        return since(before);  // anything else may be a write not yet finished
    }
    const auto values = valuesOf(onDisk);
    if (*values == *m_context.unchanged) {
        if (m_context.disk != DiskState::AsKnown) {
            learnDisk(nullptr, DiskState::AsKnown);
        }
    } else if (!anyValueChanged()) {
        TableContext after = currentContext();
        after.unchanged = values;
        after.disk = DiskState::AsKnown;
        replaceWhole(onDisk, after, "reload of " + m_context.profile);
    } else if (m_context.disk != DiskState::Changed) {
        learnDisk(nullptr, DiskState::Changed);
    }
    return since(before);
}

void ProfileDocument::learnDisk(const std::shared_ptr<const TableValues>& values, DiskState disk) {
    ++m_valueVersion;
    const std::filesystem::path folder = m_context.folder;
    const std::string profile = m_context.profile;
    const auto learn = [&](TableContext& context) {
        if (context.folder == folder && context.profile == profile) {
            if (values) {
                context.unchanged = values;
            }
            context.disk = disk;
        }
    };
    learn(m_context);
    m_history.forEachContext(learn);
}

}  // namespace zelvane::offsets
