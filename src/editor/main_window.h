#pragma once

// The editor's one window. It owns the OffsetTable (offsets library) and
// the ProfileStore of the folder it works in, and shows the table in sixty
// fields built from FormLayout, wired by each control's ControlAction; every
// change of a field's text goes straight into the table, and each click
// handler below drives the table or the store, then shows the table again.
// ProfileList lists and watches the folder, FolderLine names it; a path
// given at start or dropped on the window becomes a folder through
// offsets::ProfileLocation. Every handler runs inside runGuarded, the one
// place where a platform::RuntimeError is caught and shown with ErrorReport.

#include <QWidget>
#include <array>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "editor/form_layout.h"
#include "offsets/offset_table.h"
#include "offsets/profile_store.h"

class QLineEdit;

namespace zelvane::editor {

class FolderLine;
class ProfileList;

class MainWindow : public QWidget {
    Q_OBJECT

  public:
    static constexpr const char* caption = "Zelvane utility V3";

    // Opens on the profiles of a folder: the working directory at start.
    explicit MainWindow(std::filesystem::path folder, QWidget* parent = nullptr);

    const offsets::OffsetTable& table() const { return m_table; }
    // The control whose click does what is asked (Increase, Decrease, Save,
    // Read), whatever the form calls it.
    QWidget* commandControl(ControlAction action) const;

    // Works in a folder from now on, or in a profile's folder, reading that
    // profile. On any failure it is reported and the editor stays where it
    // was, with nothing changed.
    void openLocation(const QString& path);

    void onLoad();
    void onFieldClick(int index);
    void onIncrease();
    void onDecrease();
    void onSave();
    void onRead();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void buildControls();
    QWidget* createControl(const ControlDescription& control);
    QLineEdit* createTextBox(const ControlDescription& control);
    template <typename Control, typename Signal>
    void connectAction(Control* control, Signal signal, ControlAction action);
    void setTabOrder(const std::vector<QWidget*>& focusOrder);
    // Lists the profiles anew, keeping the selected one selected.
    void fillFileList();
    // Works in the store's folder from now on.
    void workIn(offsets::ProfileStore store);
    // Names the store's folder on the folder line, and watches it.
    void showFolder();
    // Takes a drag from a file manager, or a drop of it, if it carries one
    // local file or folder; fields and the slot box hand such drags here.
    void takeDrop(QEvent* event);
    // Marks the field the steps act on, or takes the mark away.
    void markSelected(int index, bool selected);
    // Reads a profile of a store into the table and shows its slot.
    void readProfile(const offsets::ProfileStore& store, const std::string& name);
    // Brings every field in line with the table, leaving alone the fields
    // that already show their value (and so the cursor of the one in use).
    void showValues();
    void runGuarded(const std::function<void()>& operation);

    offsets::OffsetTable m_table;
    offsets::ProfileStore m_store;
    std::array<QWidget*, static_cast<std::size_t>(ControlAction::Read) + 1> m_commands{};
    std::array<QLineEdit*, offsets::OffsetTable::size> m_fields{};
    QLineEdit* m_slotBox = nullptr;
    ProfileList* m_fileList = nullptr;
    FolderLine* m_folderLine = nullptr;
};

}  // namespace zelvane::editor
