#pragma once

#include <QFileSystemWatcher>
#include <QListWidget>
#include <QTimer>
#include <filesystem>
#include <string>
#include <vector>

namespace zelvane::editor {

// The list of the profiles in the editor's folder. It keeps the names as
// the file system spells them beside the shown text, so that a name that
// is not valid UTF-8 still opens under its own bytes; and it watches the
// folder, so that profiles other programs create, remove or rename appear
// and vanish while the editor runs. A burst of changes (a thousand files
// copied in) asks for one refill, not a thousand.
class ProfileList : public QListWidget {
    Q_OBJECT

  public:
    explicit ProfileList(QWidget* parent = nullptr);

    // Shows these names in this order, keeping the selected one selected.
    void setNames(std::vector<std::string> names);
    // The selected profile's name as the file system spells it, or "".
    std::string selectedName() const;
    // Watches this folder from now on, instead of the one before.
    void watch(const std::filesystem::path& folder);

  Q_SIGNALS:
    // The watched folder changed and has been quiet since, or has changed
    // for a while: time to list it again.
    void folderChanged();

  private:
    std::vector<std::string> m_names;
    QFileSystemWatcher m_watcher;
    QTimer m_settling;
};

}  // namespace zelvane::editor
