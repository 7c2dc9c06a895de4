#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>
#include <filesystem>

namespace zelvane::editor {

// Hears what other programs do to the folder the editor works in: files
// made, removed or renamed in it, and the folder itself renamed away,
// removed, unmounted or made again. Qt's watch on a folder does not hear
// the folder itself being renamed away (on Linux it asks inotify for no
// IN_MOVE_SELF), so its parent is watched as well; while the folder is
// gone, the nearest folder above it that exists is watched instead, to hear
// it come back. A burst of changes (a thousand files copied in) asks for
// one look, not a thousand.
class FolderWatch : public QObject {
    Q_OBJECT

  public:
    explicit FolderWatch(QObject* parent = nullptr);

    // Watches for changes to this folder from now on, and says whether it
    // is there. Called again after each change, as the folder may have gone
    // or come back since.
    bool watch(const std::filesystem::path& folder);

  Q_SIGNALS:
    // The folder changed and has been quiet since, or has changed for a
    // while: time to look at it again.
    void changed();

  private:
    QFileSystemWatcher m_watcher;
    QTimer m_settling;
};

}  // namespace zelvane::editor
