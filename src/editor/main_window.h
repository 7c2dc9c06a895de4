#pragma once

// The editor's one window. EditorForm builds its controls from FormLayout
// and shows the table in them: sixty OffsetFields, the slot box, Save,
// the ProfileList, Read, the Increase and Decrease captions and the
// FolderLine. MainWindow owns the OffsetTable and the ProfileStore of the
// folder it works in, and connects the form's members to its handlers;
// every change of a field's text goes straight into the table, and each
// handler drives the table or the store, then shows the table again. A
// path given at start or dropped on the window becomes a folder through
// offsets::ProfileLocation; FolderWatch tells when the folder changes on
// the disk, which is news shown in the list and the folder line, never a
// report. Every handler runs inside runGuarded, the one place where a
// failure is caught and shown with ErrorReport, one report at a time.

#include <QWidget>
#include <filesystem>
#include <functional>
#include <string>

#include "editor/editor_form.h"
#include "editor/folder_watch.h"
#include "offsets/offset_table.h"
#include "offsets/profile_store.h"
#include "platform/runtime_error.h"

namespace zelvane::editor {

class MainWindow : public QWidget {
    Q_OBJECT

  public:
    static constexpr const char* caption = "Zelvane utility V3";

    // Asks the person for a folder, starting at the one given; an empty
    // path when they cancel.
    using FolderChooser =
        std::function<std::filesystem::path(QWidget* parent, const std::filesystem::path& start)>;

    // Opens on the profiles of a folder: the working directory at start.
    explicit MainWindow(std::filesystem::path folder, QWidget* parent = nullptr);

    const offsets::OffsetTable& table() const { return m_table; }
    // The controls, by name.
    const EditorForm& form() const { return m_form; }

    // Works in a folder from now on, or in a profile's folder, reading that
    // profile. On any failure it is reported and the editor stays where it
    // was, with nothing changed.
    void openLocation(const std::filesystem::path& path);
    // What "Change folder" and Ctrl+O ask with: the platform's own folder
    // chooser unless replaced (a test replaces it, so as never to wait on
    // a dialog).
    void setFolderChooser(FolderChooser chooser) { m_chooseFolder = std::move(chooser); }

    void onLoad();
    void onFieldClick(int index);
    void onIncrease();
    void onDecrease();
    void onSave();
    void onRead();
    void onChangeFolder();

  protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void connectForm();
    // Up or Down in a field: selects it, as a click would, and steps it.
    void onFieldStep(int index, int delta);
    // Lists the profiles anew, keeping the selected one selected.
    void fillFileList();
    // Watches the store's folder and names it on the folder line, saying
    // whether it is there; returns whether it is.
    bool watchFolder();
    // Shows the folder as the disk has it now: a folder that is gone says
    // so on the folder line and lists nothing. It is news, never a report;
    // while a report is open it waits until that is closed.
    void onFolderChanged();
    void showSlotOf(const std::string& name);
    // The table was read from or saved to this profile: the title names it,
    // the list selects it, and the modified mark is measured from here.
    void showProfile(const std::string& name);
    void showModified();
    // On the screen the window is on now.
    void fitToScreen();
    void runGuarded(const std::function<void()>& operation);
    void report(const platform::RuntimeError& error);

    offsets::OffsetTable m_table;
    offsets::OffsetTable m_unmodified;  // as last read or saved; reset at start
    offsets::ProfileStore m_store;
    FolderChooser m_chooseFolder;
    EditorForm m_form;
    FolderWatch m_folderWatch;
    bool m_reporting = false;
    bool m_folderChangedMeanwhile = false;
};

}  // namespace zelvane::editor
