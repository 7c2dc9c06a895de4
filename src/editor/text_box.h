#pragma once

#include <QLineEdit>
#include <filesystem>

class QAction;
class QDropEvent;
class QMenu;
class QMimeData;

namespace zelvane::editor {

// A text box of the form: it holds any text of any length, and a file or
// folder dragged onto it from a file manager is offered to the window
// (pathDropped) instead of being typed in as its path. Undo and Redo, keys
// and menu, are the window's, which takes back changes to the table: a
// text box keeps no history of its own that one of them could mean.
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

    // The actions of a box's own menu, which Qt gives no names: found by
    // where it puts them in a box that is not read-only.
    enum class MenuAction { Undo = 0, Redo = 1, Paste = 5 };
    static QAction* menuAction(const QMenu& menu, MenuAction which);

  Q_SIGNALS:
    void pathDropped(const std::filesystem::path& path);
    // The box's menu is about to show: the window puts its own Undo and
    // Redo in place of the box's.
    void menuShown(QMenu* menu);

  protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    // What a kind of box changes in its menu before the window does.
    virtual void adjustMenu(QMenu* /*menu*/) {}
};

}  // namespace zelvane::editor
