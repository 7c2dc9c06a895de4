#include "folder_watch.h"

namespace zelvane::editor {
namespace {

// The watcher takes paths as text; a path that is not UTF-8 loses its
// bytes on the way and is then not watched, which costs no more than a
// list that follows the folder only on Save.
QString watchedPath(const std::filesystem::path& path) {
#ifdef _WIN32
    return QString::fromStdWString(path.native());
#else
    return QString::fromStdString(path.native());
#endif
}

bool isFolder(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

// The folder and its parent while it exists; else the nearest folder above
// it that does.
QStringList pathsToWatch(std::filesystem::path folder, bool present) {
    if (present) {
        QStringList paths{watchedPath(folder)};
        if (folder.has_relative_path()) {
            paths.append(watchedPath(folder.parent_path()));
        }
        return paths;
    }
    while (folder.has_relative_path() && !isFolder(folder)) {
        folder = folder.parent_path();
    }
    return {watchedPath(folder)};
}

}  // namespace

FolderWatch::FolderWatch(QObject* parent) : QObject(parent) {
    // The first change starts the clock; those that follow within it ride
    // along, so a look comes at most this long after any change.
    constexpr int settleMilliseconds = 150;
    m_settling.setSingleShot(true);
    m_settling.setInterval(settleMilliseconds);
    const auto settle = [this] {
        if (!m_settling.isActive()) {
            m_settling.start();
        }
    };
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, settle);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, settle);
    connect(&m_settling, &QTimer::timeout, this, &FolderWatch::rearm);
}

void FolderWatch::rearm() {
    Q_EMIT changed(watch(m_folder, m_file));
}

// Always anew: a folder renamed away and made again at its path is another
// folder, which the watch made on the first would not hear. The old watch
// goes before the folder is looked at: on Windows a removed folder that a
// watch still holds open is only pending deletion, and still looks there.
bool FolderWatch::watch(const std::filesystem::path& folder, const std::filesystem::path& file) {
    m_folder = folder;
    m_file = file;
    const QStringList watched = m_watcher.directories() + m_watcher.files();
    if (!watched.isEmpty()) {
        m_watcher.removePaths(watched);
    }
    const bool present = isFolder(folder);
    QStringList paths = pathsToWatch(folder, present);
    std::error_code error;
    if (present && !file.empty() && std::filesystem::is_regular_file(file, error)) {
        paths.append(watchedPath(file));
    }
    m_watcher.addPaths(paths);
    return present;
}

}  // namespace zelvane::editor
