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
// it come back. A file of the folder can be watched too (the profile being
// edited), to hear another program write it in place, which changes
// nothing the folder's own watch hears. A burst of changes (a thousand
// files copied in) asks for one look, not a thousand: the look comes 150 ms
// after the first change, whatever follows it meanwhile.
class FolderWatch : public QObject {
    Q_OBJECT

  public:
    explicit FolderWatch(QObject* parent = nullptr);

    // Watches for changes to this folder (and this file of it, if one is
    // named) from now on, and says whether the folder is there.
    bool watch(const std::filesystem::path& folder, const std::filesystem::path& file = {});

  Q_SIGNALS:
    // The folder or the file changed: time to look at them again. The
    // watch is armed anew before this is said, as the folder may have gone
    // or come back; present says whether it is there.
    void changed(bool present);

  private:
    void rearm();

    QFileSystemWatcher m_watcher;
    QTimer m_settling;
    std::filesystem::path m_folder;
    std::filesystem::path m_file;
};

}  // namespace zelvane::editor
