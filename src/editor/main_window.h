#pragma once

// The editor's one window, the view of one offsets::ProfileDocument.
// EditorForm builds its controls from FormLayout: sixty OffsetFields, the
// slot box, Save, the ProfileList, Read, the Increase and Decrease
// captions, and the foot with the FolderLine, Change folder, Undo and
// Redo. What the person does goes to the document; what the document
// changed is shown, one way each: a field shown a value does not hand it
// back as typing. A path given at start or dropped on the window becomes a
// folder through offsets::ProfileLocation; FolderWatch tells when the
// folder or the current profile changes on the disk, which is news shown
// in the list, the folder line, the fields and the title, never a report.
// Every handler runs inside runGuarded, the one place where a failure is
// caught and handed to the reporter. F1 opens the HelpWindow, made only
// then, so that start-up does not pay for it.

#include <QWidget>
#include <filesystem>
#include <functional>
#include <string>

#include "editor/editor_form.h"
#include "editor/folder_watch.h"
#include "offsets/profile_document.h"
#include "platform/runtime_error.h"

class QMenu;
class QShortcut;

namespace zelvane::editor {

class HelpWindow;

class MainWindow : public QWidget {
    Q_OBJECT

  public:
    static constexpr const char* caption = "Zelvane utility V3";

    // Asks the person for a folder, starting at the one given; an empty
    // path when they cancel. Paths as Qt spells them (qtPath).
    using FolderChooser = std::function<QString(QWidget* parent, const QString& start)>;
    // Tells the person of a failure; by default a message box over the
    // window.
    using Reporter = std::function<void(QWidget* window, const platform::RuntimeError& error)>;

    // Opens on the profiles of a folder: the working directory at start.
    explicit MainWindow(std::filesystem::path folder, QWidget* parent = nullptr);

    const offsets::ProfileDocument& document() const { return m_document; }
    // The controls, by name.
    const EditorForm& form() const { return m_form; }

    // Works in a folder from now on, or in a profile's folder, reading that
    // profile, or putting its slot in the slot box when it is not made yet.
    // A folder that is not there, or cannot be listed, is reported and
    // changes nothing; a profile that cannot be read is reported, and the
    // editor works in its folder all the same.
    void openLocation(const std::filesystem::path& path);
    // As openLocation, for the path given at start: nothing to undo.
    void openAtStart(const std::filesystem::path& path);
    // What "Change folder" and Ctrl+O ask with: the platform's own folder
    // chooser unless replaced (a test replaces it, so as never to wait on
    // a dialog).
    void setFolderChooser(FolderChooser chooser) { m_chooseFolder = std::move(chooser); }
    void setReporter(Reporter reporter) { m_report = std::move(reporter); }

    void onLoad();
    void onFieldClick(int index);
    void onIncrease();
    void onDecrease();
    void onSave();
    void onRead();
    void onChangeFolder();
    void onUndo();
    void onRedo();
    void onHelp();

  Q_SIGNALS:
    // The window's first frame is on the screen: what it did not need may
    // start now.
    void firstFrameShown();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void connectForm();
    void connectFields();
    void connectProfiles();
    void connectFoot();
    QShortcut* windowKey(const QKeySequence& keys);
    // Up or Down in a field: selects it, as a click would, and steps it.
    void onFieldStep(int index, double delta);
    void onFieldEdited(int index, const QString& text);
    void onFieldPasted(int index, const QString& text);
    void continueInSelected();
    void putHistoryIn(QMenu* menu);
    // The folder or the current profile changed on the disk: the folder
    // line, the list and the document follow it, without a report.
    void onFolderChanged(bool present);
    // Fills the list from the folder, or empties it when it is gone.
    void listFolder(bool present);
    // Watches the document's folder and current profile, and names the
    // folder on the folder line; says whether it is there.
    bool watchFolder();
    // Shows what the document changed; a new current profile is selected
    // in the list and watched.
    void showChanges(const offsets::DocumentChanges& changes);
    void showTitle();
    void showHistory();
    // On the screen the window is on now.
    void fitToScreen();
    // Runs an operation of the document and shows what it changed, or
    // reports its failure, which changed nothing; says whether it ran.
    bool runGuarded(const std::function<offsets::DocumentChanges()>& operation);
    void report(const platform::RuntimeError& error);

    offsets::ProfileDocument m_document;
    FolderChooser m_chooseFolder;
    Reporter m_report;
    EditorForm m_form;
    FolderWatch m_folderWatch;
    HelpWindow* m_help = nullptr;  // made on the first F1
    bool m_shown = false;          // the first frame is on the screen
};

}  // namespace zelvane::editor
