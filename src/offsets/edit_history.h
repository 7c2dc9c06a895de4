#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace zelvane::offsets {

// Where the table stands besides its values: the slot and the profile
// whose record (ProfileRecords) the fields are compared with, which also
// names the folder. A Read, opening a folder or a profile, and typing in
// the slot box move it; undoing them moves it back.
struct Place {
    std::string slot;
    std::size_t record = 0;

    bool operator==(const Place&) const = default;
};

// One change a person can take back: a run of typing or of steps in one
// field, a run of typing in the slot box, a run of takes from the disk, or
// a change of many values at once (a paste, a Read, opening a folder).
struct Edit {
    enum class Kind { Typing, Steps, Slot, Reload, Whole };
    struct Value {
        int index;
        std::string before;
        std::string after;
    };

    Kind kind = Kind::Whole;
    int field = -1;    // the field it is in, or starts at; -1 for none
    std::string name;  // what the person did, for "Undo " + name
    std::vector<Value> values;
    std::optional<Place> before;  // both set, or neither
    std::optional<Place> after;

    // What it keeps in memory, near enough to bound the history by.
    std::size_t bytes() const;
    // Takes the next change of the same run into this one; says whether
    // anything is left to take back.
    bool absorb(Edit next);
};

// The changes made to the table, oldest first, and how far they are done.
// A new change drops those undone; the oldest go when there are more than
// mostEdits, or when together they hold more than mostBytes (a value may
// be 65,535 characters long), but the newest always stays. Changes of one
// kind in one field, one after another, are one run and one change, until
// closeRun; a run that comes back to where it began is none.
class EditHistory {
  public:
    static constexpr std::size_t mostEdits = 300;
    static constexpr std::size_t mostBytes = std::size_t{64} << 20U;

    void add(Edit edit);
    // Adds a change no person made (a take from the disk) where the history
    // stands, keeping what was undone to be redone on top of it: each
    // undone change to a field it changed now starts from its value.
    void insert(Edit edit);
    void closeRun() { m_runOpen = false; }

    // The edit to take back (or bring again), now counted as such; null
    // when there is none. Either ends the run.
    const Edit* undo();
    const Edit* redo();
    const Edit* nextUndo() const { return m_done > 0 ? &m_edits[m_done - 1] : nullptr; }
    const Edit* nextRedo() const { return m_done < m_edits.size() ? &m_edits[m_done] : nullptr; }

    // Calls visit with every place an edit kept.
    template <typename Visit>
    void forEachPlace(Visit visit) const {
        for (const Edit& edit : m_edits) {
            for (const auto* place : {&edit.before, &edit.after}) {
                if (*place) {
                    visit(**place);
                }
            }
        }
    }
    // What the edits kept hold, as bytes() counts them.
    std::size_t bytes() const { return m_bytes; }

  private:
    bool continuesRun(const Edit& edit) const;
    // Takes the next change of the open run into it.
    void extendRun(Edit edit);
    void rebaseFirstUndone(const Edit::Value& taken);
    void bound();

    std::deque<Edit> m_edits;
    std::size_t m_done = 0;  // edits [0, m_done) are done
    std::size_t m_bytes = 0;
    bool m_runOpen = false;
};

}  // namespace zelvane::offsets
