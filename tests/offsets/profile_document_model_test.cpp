// Random sequences of what a person and other programs do, run against a
// ProfileDocument on real folders and against a small model of what must
// hold after each step. RapidCheck shrinks a failure to the shortest
// sequence that shows it. RC_PARAMS sets the seed and the number of
// sequences (CMake gives a fixed seed; ZELVANE_MODEL_SEQUENCES sets how many).

#include <gtest/gtest.h>
#include <rapidcheck.h>
#include <rapidcheck/gtest.h>
#include <rapidcheck/state.h>

#include <numeric>

#include "offsets/profile_document.h"
#include "support/support.h"

namespace zelvane::testing {
namespace {

using offsets::DiskState;
using offsets::ProfileDocument;
using Values = std::vector<std::string>;

Values readBack(Values values) {
    std::transform(values.begin(), values.end(), values.begin(), offsets::ProfileStore::readBack);
    return values;
}

std::string nameOf(const std::string& slot) {
    return "vc_offset_" + slot + ".mpf";
}

// The sum a step writes (the table's own rule, tested on its own); none
// for a value that is no number.
std::optional<std::string> stepped(const std::string& value, int delta) {
    OffsetTable table;
    table.setValue(0, value);
    if (failureOf([&] { table.stepSelected(delta); }) != ErrorCode{}) {
        return std::nullopt;
    }
    return table.value(0);
}

// The slot, the folder (0 or 1) and the record the fields are compared with.
struct Place {
    std::string slot;
    int folder = 0;
    std::string record;

    bool operator==(const Place&) const = default;
};

struct Record {
    std::string name;  // empty for none
    Values values;     // as last read or saved; the disk holds what they read back as
    DiskState disk = DiskState::AsKnown;
};

// A change in the history: what it did to the values and the place.
struct Entry {
    char kind;  // t typing, s steps, l slot, r reload, w whole
    int field;
    Values before;
    Values after;
    std::optional<Place> placeBefore;
    std::optional<Place> placeAfter;
};

struct Model {
    Values values;
    int selected = 0;
    Place place{"00", 0, "#0"};
    std::map<std::string, Record> records;
    // What each folder's profiles read as; none for one cut short.
    std::map<std::pair<int, std::string>, std::optional<Values>> files;
    std::vector<Entry> history;
    std::size_t done = 0;
    bool runOpen = false;

    const Record& record() const { return records.at(place.record); }
    Record& record() { return records.at(place.record); }
    bool edited() const { return values != record().values; }
    const std::optional<Values>* file(const std::string& name) const {
        const auto found = files.find({place.folder, name});
        return found == files.end() ? nullptr : &found->second;
    }

    // Runs of one kind in one field are one change; one back at its start
    // is none. A person's change drops what was undone; a take from the
    // disk keeps it, and what it changed holds in each undone change until
    // the first that changes the field itself.
    void change(const Entry& entry) {
        values = entry.after;
        place = entry.placeAfter.value_or(place);
        if (entry.kind == 'r') {
            rebaseUndone(entry);
        } else {
            history.resize(done);
        }
        if (runOpen && done > 0 && history[done - 1].kind == entry.kind &&
            history[done - 1].field == entry.field) {
            Entry& top = history[done - 1];
            top.after = entry.after;
            top.placeAfter = entry.placeAfter;
            if (top.after == top.before && top.placeAfter == top.placeBefore) {
                history.erase(history.begin() + static_cast<std::ptrdiff_t>(--done));
                runOpen = false;
            }
            return;
        }
        history.insert(history.begin() + static_cast<std::ptrdiff_t>(done++), entry);
        runOpen = entry.kind != 'w';
    }

    void rebaseUndone(const Entry& taken) {
        for (int index = 0; index < OffsetTable::size; ++index) {
            for (std::size_t later = done; later < history.size(); ++later) {
                Entry& undone = history[later];
                const bool changes = undone.before[index] != undone.after[index];
                undone.before[index] = taken.after[index];
                if (changes) {
                    break;
                }
                undone.after[index] = taken.after[index];
            }
        }
    }

    void changeValues(char kind, int field, const Values& after) {
        if (after != values) {
            change({kind, field, values, after, std::nullopt, std::nullopt});
            followDisk();
        }
    }

    void changePlace(const Place& after) {
        if (after != place) {
            change({'w', -1, values, values, place, after});
        }
    }

    void followDisk() {
        if (record().disk == DiskState::Changed && !edited()) {
            look();
        }
    }

    void look() {
        const std::optional<Values>* onDisk = file(record().name);
        if (record().name.empty() || (onDisk != nullptr && !*onDisk)) {
            return;
        }
        if (onDisk == nullptr) {
            record().disk = DiskState::Deleted;
        } else if (**onDisk == readBack(record().values)) {
            record().disk = DiskState::AsKnown;
        } else if (**onDisk == values || !edited()) {
            record() = {record().name, **onDisk, DiskState::AsKnown};
            changeValues('r', -1, **onDisk);
        } else {
            record().disk = DiskState::Changed;
        }
    }

    void takeBack(bool forward) {
        runOpen = false;
        if (forward ? done == history.size() : done == 0) {
            return;
        }
        const Entry& entry = history[forward ? done++ : --done];
        values = forward ? entry.after : entry.before;
        const Place kept = (forward ? entry.placeAfter : entry.placeBefore).value_or(place);
        const bool moved = kept.record != place.record;
        place = kept;
        selected = entry.field >= 0 ? entry.field : selected;
        if (moved) {
            look();
        } else {
            followDisk();
        }
    }

    void select(int index) {
        runOpen = runOpen && index == selected;
        selected = index;
    }

    void read(const std::string& slot) {
        const Values read = **file(nameOf(slot));
        const Place after{slot, place.folder, std::to_string(place.folder) + nameOf(slot)};
        records[after.record] = {nameOf(slot), read, DiskState::AsKnown};
        runOpen = false;
        if (read != values) {
            change({'w', -1, values, read, place, after});
        }
        changePlace(after);
    }

    void save() {
        files[{place.folder, nameOf(place.slot)}] = readBack(values);
        place.record = std::to_string(place.folder) + nameOf(place.slot);
        records[place.record] = {nameOf(place.slot), values, DiskState::AsKnown};
        runOpen = false;
    }

    void open(int folder) {
        runOpen = false;
        if (folder != place.folder) {
            const std::string kept = "#" + std::to_string(records.size());
            records[kept] = {"", record().values, DiskState::AsKnown};
            changePlace({place.slot, folder, kept});
        }
    }
};

struct Sut {
    explicit Sut(const std::filesystem::path& root)
        : folders{root / "a", root / "b"}, document(folders[0]) {}
    std::array<std::filesystem::path, 2> folders;
    ProfileDocument document;
};

void checkShows(const Model& model, const Sut& sut) {
    const ProfileDocument& document = sut.document;
    Values unchanged;
    for (int index = 0; index < OffsetTable::size; ++index) {
        unchanged.push_back(document.unchangedValue(index));
    }
    RC_ASSERT(valuesOf(document.table()) == model.values);
    RC_ASSERT(unchanged == model.record().values);
    RC_ASSERT(document.table().selected() == model.selected);
    RC_ASSERT(document.slot() == model.place.slot);
    RC_ASSERT(document.store().folder() == sut.folders[model.place.folder]);
    RC_ASSERT(document.profile() == model.record().name);
    RC_ASSERT(document.diskState() == model.record().disk);
    RC_ASSERT(document.isModified() ==
              (model.edited() || model.record().disk != DiskState::AsKnown));
    RC_ASSERT(document.undoName().empty() == (model.done == 0));
    RC_ASSERT(document.redoName().empty() == (model.done == model.history.size()));
}

const std::vector<std::string> texts{"0", "1", "-2.5", " 5", "7 ", "x", ""};
const std::vector<std::string> slots{"00", "07", "x1"};

std::string bytesOf(const Values& values) {
    return std::accumulate(
        values.begin(), values.end(), std::string(),
        [](const std::string& bytes, const std::string& value) { return bytes + lines(value, 1); });
}

// What a person does (type a field's whole text, with a NUL that must go;
// paste a column; select; step; type a slot; read; save; open the other
// folder; undo; redo; undo everything and redo it), or another program
// (writes what the fields hold, writes one value other than the profile
// held, cuts it short mid-write, removes it; or writes a profile not
// shown), done to the model and to the document. The document must fail
// exactly when the model says, and then show what the model does.
struct Do : rc::state::Command<Model, Sut> {
    // Round undoes everything, then redoes it; Away is another program
    // writing a profile not shown, which only a later look tells.
    enum Verb { Type, Paste, Select, Step, Slot, Read, Save, Open, Undo, Redo, Round, Other, Away };
    enum Other { WritesTheFields = 1, WritesAValue, CutsShort, Removes };  // by count

    // Typing, selecting and undoing most, and few fields, at both ends, so
    // that runs of changes meet, break and are taken back often.
    Verb verb = *rc::gen::weightedElement<Verb>({{3, Type},
                                                 {1, Paste},
                                                 {2, Select},
                                                 {1, Step},
                                                 {1, Slot},
                                                 {1, Read},
                                                 {1, Save},
                                                 {1, Open},
                                                 {2, Undo},
                                                 {1, Redo},
                                                 {1, Round},
                                                 {2, Other},
                                                 {1, Away}});
    int index = *rc::gen::elementOf(std::vector{0, 1, 2, 58, 59});
    std::string text = *rc::gen::elementOf(texts);
    int count = *rc::gen::inRange(1, 5);  // a paste's lines, a step's sign, what another does

    std::string slot() const { return slots[index % slots.size()]; }
    int delta() const { return count % 2 == 0 ? 1 : -1; }
    int late() const { return OffsetTable::size - 1 - index % 5; }  // where others write

    void checkPreconditions(const Model& model) const override {
        RC_PRE(verb != Other || !model.record().name.empty());
        RC_PRE(verb != Away || index % 2 != model.place.folder ||
               nameOf(slot()) != model.record().name);
        RC_PRE(verb != Round ||
               std::none_of(model.records.begin(), model.records.end(), [](const auto& kept) {
                   return kept.second.disk == DiskState::Changed;
               }));
    }

    bool fails(const Model& model) const {
        const std::optional<Values>* file = model.file(nameOf(slot()));
        return (verb == Paste && index + count > OffsetTable::size) ||
               (verb == Step && !stepped(model.values[index], delta())) ||
               (verb == Read && (file == nullptr || !*file));
    }

    // What another program writes, round by round: one writing a value
    // keeps writing, one more value each round, as a simulator saving each
    // second does.
    std::vector<std::optional<Values>> writes(const Model& model) const {
        Values values = count == WritesTheFields ? model.values : readBack(model.record().values);
        std::vector<std::optional<Values>> rounds;
        for (int round = 0; round < (count == WritesAValue ? 2 : 1); ++round) {
            values[late() - round] = count == WritesAValue ? text : values[late() - round];
            rounds.push_back(count == CutsShort ? std::nullopt : std::optional(readBack(values)));
        }
        return rounds;
    }

    void apply(Model& model) const override {
        Values after = model.values;
        if (fails(model)) {
            model.select(verb == Step ? index : model.selected);
            return;
        }
        switch (verb) {
            case Type:
                after[index] = text;
                return model.changeValues('t', index, after);
            case Paste:
                std::fill_n(after.begin() + index, count, text);
                return model.changeValues('w', index, after);
            case Select:
                return model.select(index);
            case Step:
                model.select(index);
                after[index] = *stepped(model.values[index], delta());
                return model.changeValues('s', index, after);
            case Slot: {
                Place place = model.place;
                place.slot = slot();
                return place == model.place
                           ? void()
                           : model.change({'l', -1, after, after, model.place, place});
            }
            case Read:
                return model.read(slot());
            case Save:
                return model.save();
            case Open:
                return model.open(index % 2);
            case Undo:
            case Redo:
                return model.takeBack(verb == Redo);
            case Round:
                while (model.done > 0) {
                    model.takeBack(false);
                }
                while (model.done < model.history.size()) {
                    model.takeBack(true);
                }
                return;
            case Other:
                for (const std::optional<Values>& written : writes(model)) {
                    model.files.erase({model.place.folder, model.record().name});
                    if (count != Removes) {
                        model.files[{model.place.folder, model.record().name}] = written;
                    }
                    model.look();
                }
                return;
            case Away:
                model.files[{index % 2, nameOf(slot())}] = away();
                return;
        }
    }

    Values away() const {
        Values values(OffsetTable::size, "0");
        values[late()] = offsets::ProfileStore::readBack(text);
        return values;
    }

    offsets::DocumentChanges act(const Model& model, Sut& sut) const {
        ProfileDocument& document = sut.document;
        switch (verb) {
            case Type:
                return document.type(index, text + std::string(count % 2, '\0'));
            case Paste:
                return document.paste(index, lines(text, count));
            case Select:
                return document.select(index);
            case Step:
                return document.step(index, delta());
            case Slot:
                return document.setSlot(slot());
            case Read:
                return document.read(nameOf(slot()));
            case Save:
                return checkSave(model, sut);
            case Open:
                return document.open({sut.folders[index % 2], ""}).changes;
            case Undo:
                return document.undo();
            case Redo:
                return document.redo();
            case Round:
                return checkRound(sut);
            case Other:
                return otherProgram(model, sut);
            case Away:
                writeBytes(sut.folders[index % 2] / nameOf(slot()), bytesOf(away()));
                return {};
        }
        return {};
    }

    // What Save wrote reads back, in the folder and under the slot shown.
    static offsets::DocumentChanges checkSave(const Model& model, Sut& sut) {
        const offsets::DocumentChanges changes = sut.document.save();
        OffsetTable read;
        offsets::ProfileStore(sut.folders[model.place.folder])
            .readProfile(nameOf(model.place.slot), read);
        RC_ASSERT(valuesOf(read) == readBack(model.values));
        return changes;
    }

    // Undoing everything comes back to the start, redoing to the end.
    static offsets::DocumentChanges checkRound(Sut& sut) {
        ProfileDocument& document = sut.document;
        while (!document.undoName().empty()) {
            document.undo();
        }
        RC_ASSERT(valuesOf(document.table()) == Values(OffsetTable::size, "0"));
        RC_ASSERT(document.slot() == "00");
        RC_ASSERT(document.store().folder() == sut.folders[0]);
        while (!document.redoName().empty()) {
            document.redo();
        }
        return {};
    }

    offsets::DocumentChanges otherProgram(const Model& model, Sut& sut) const {
        const auto path = sut.folders[model.place.folder] / model.record().name;
        for (const std::optional<Values>& written : writes(model)) {
            if (count == Removes) {
                std::filesystem::remove(path);
            } else {
                writeBytes(path, written ? bytesOf(*written) : lines("1", 30));
            }
            sut.document.takeDiskChanges();
        }
        return {};
    }

    void run(const Model& model, Sut& sut) const override {
        const ErrorCode failure = failureOf([&] { act(model, sut); });
        RC_ASSERT((failure != ErrorCode{}) == fails(model));
        checkShows(nextState(model), sut);
    }

    void show(std::ostream& out) const override {
        static constexpr std::array names{"type",  "paste",   "select", "step", "slot",
                                          "read",  "save",    "open",   "undo", "redo",
                                          "round", "another", "away"};
        out << names.at(verb) << " (index " << index << ", '" << text << "', " << count << ")";
    }
};

}  // namespace

// Each folder starts with a vc_offset_07.mpf of its own, the same name.
RC_GTEST_FIXTURE_PROP(ProfileFolderTest, DocumentAgreesWithItsModelAfterEveryStep, ()) {
    Sut sut(m_folder);
    Model model;
    model.values.assign(OffsetTable::size, "0");
    model.records["#0"] = {"", model.values, DiskState::AsKnown};
    for (int folder = 0; folder < 2; ++folder) {
        std::filesystem::create_directories(sut.folders[folder]);
        Values start = model.values;
        start[59] = std::to_string(7 + folder);
        model.files[{folder, nameOf("07")}] = start;
        writeBytes(sut.folders[folder] / nameOf("07"), lines("0", 59) + lines(start[59], 1));
    }
    rc::state::check(model, sut, rc::state::gen::execOneOfWithArgs<Do>());
}

}  // namespace zelvane::testing
