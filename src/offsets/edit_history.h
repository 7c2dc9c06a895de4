#pragma once

#include <array>
#include <cstddef>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "offsets/offset_table.h"

namespace zelvane::offsets {

using TableValues = std::array<std::string, OffsetTable::size>;

// What the current profile's file looked like when last seen.
enum class DiskState {
    AsKnown,  // holds the values the document last read or saved
    Changed,  // another program wrote other values while the table had edits
    Deleted,  // removed or renamed away
};

// Everything of the document but the values: what a Read, or opening a
// profile, changes besides them, and what undoing it brings back.
struct TableContext {
    int selected = 0;
    std::string slot;
    std::filesystem::path folder;
    std::string profile;  // its name in folder; empty for none
    // The values the profile held when last read or saved, which the
    // fields are compared with. Shared: many contexts hold the same.
    std::shared_ptr<const TableValues> unchanged;
    DiskState disk = DiskState::AsKnown;
};

// One change a person can take back: a run of typing or of steps in one
// field, or a change of the whole table, which also carries its context.
struct Edit {
    enum class Kind { Typing, Steps, WholeTable };
    struct Value {
        int index;
        std::string before;
        std::string after;
    };

    Kind kind = Kind::WholeTable;
    int field = -1;    // the one field a run of typing or steps is in
    std::string name;  // what the person did, for "Undo " + name
    std::vector<Value> values;
    std::optional<TableContext> before;
    std::optional<TableContext> after;

    // What it keeps in memory, near enough to bound the history by.
    std::size_t bytes() const;
};

// The changes made to the table, oldest first, and how far they are done.
// A new change drops those undone; the oldest go when there are more than
// mostEdits, or when together they hold more than mostBytes (a value may
// be 65,535 characters long), but the newest always stays. A run goes on
// (the same field, the same kind) until closeRun.
class EditHistory {
  public:
    static constexpr std::size_t mostEdits = 300;
    static constexpr std::size_t mostBytes = std::size_t{64} << 20U;

    // The open run's edit, if it is of this kind on this field.
    Edit* openRun(Edit::Kind kind, int field);
    // The top edit grew (a run went on) or was taken back to nothing.
    void grown(std::size_t bytesBefore);
    void dropTop();
    void push(Edit edit);
    void closeRun() { m_runOpen = false; }

    // The edit to take back (or bring again), now counted as such; null
    // when there is none.
    const Edit* undo();
    const Edit* redo();
    const Edit* nextUndo() const { return m_done > 0 ? &m_edits[m_done - 1] : nullptr; }
    const Edit* nextRedo() const { return m_done < m_edits.size() ? &m_edits[m_done] : nullptr; }

    // Every context kept, to learn what the disk now holds.
    void forEachContext(const std::function<void(TableContext&)>& visit);

  private:
    void bound();

    std::deque<Edit> m_edits;
    std::size_t m_done = 0;  // edits [0, m_done) are done
    std::size_t m_bytes = 0;
    bool m_runOpen = false;
};

}  // namespace zelvane::offsets
