#pragma once

#include <QLabel>

namespace zelvane::editor {

// The line that says which folder the editor lists, reads and saves in,
// and when that folder is no longer there (renamed away, removed or
// unmounted while the editor runs). A path too long for it loses its
// middle, so both the drive or home and the folder's own name stay in
// sight; the whole path is in its tooltip and its accessible name. It takes
// no focus and reacts to nothing.
class FolderLine : public QLabel {
    Q_OBJECT

  public:
    explicit FolderLine(QWidget* parent = nullptr);

    void setFolder(const QString& path, bool present = true);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void showElided();

    QString m_path;
    QString m_note;  // what is said after the path
};

}  // namespace zelvane::editor
