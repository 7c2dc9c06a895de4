#pragma once

#include <QLineEdit>
#include <filesystem>

class QDropEvent;
class QMimeData;

namespace zelvane::editor {

// A text box of the form: it holds any text of any length, and a file or
// folder dragged onto it from a file manager is offered to the window
// (pathDropped) instead of being typed in as its path. Undo and Redo keys
// are the window's, which takes back changes to the table: a text box
// keeps no history of its own that one key could mean instead.
class TextBox : public QLineEdit {
    Q_OBJECT

  public:
    explicit TextBox(const QString& text, QWidget* parent = nullptr);

    // The local file or folder a drag carries, or an empty path when it
    // carries several, a link that is no local file, or no link at all.
    static std::filesystem::path droppedPath(const QMimeData& data);
    // Accepts a drag (or its drop) that carries one local file or folder,
    // and refuses any other; returns the path, empty when refused. The
    // window takes what its text boxes do not, by the same rule.
    static std::filesystem::path takeDrop(QDropEvent* event);

  Q_SIGNALS:
    void pathDropped(const std::filesystem::path& path);

  protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};

}  // namespace zelvane::editor
