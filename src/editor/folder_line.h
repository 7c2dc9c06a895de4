#pragma once

#include <QLabel>

namespace zelvane::editor {

// The line that says which folder the editor lists, reads and saves in. A
// path too long for it loses its middle, so both the drive or home and the
// folder's own name stay in sight; the whole path is in its tooltip and
// its accessible name. It takes no focus and reacts to nothing.
class FolderLine : public QLabel {
    Q_OBJECT

  public:
    explicit FolderLine(QWidget* parent = nullptr);

    void setFolder(const QString& path);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void showElided();

    QString m_path;
};

}  // namespace zelvane::editor
