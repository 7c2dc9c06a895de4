#include "text_box.h"

#include <QContextMenuEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <limits>

#include "editor/shown_text.h"

namespace zelvane::editor {

TextBox::TextBox(const QString& text, QWidget* parent) : QLineEdit(text, parent) {
    setMaxLength(std::numeric_limits<int>::max());  // a value may be of any length
}

namespace {

bool isUndoOrRedo(const QEvent* event) {
    const auto* key = static_cast<const QKeyEvent*>(event);
    return key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo);
}

}  // namespace

// A line edit claims Undo and Redo for itself before shortcuts are looked
// up; left unclaimed, they reach the window's.
bool TextBox::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride && isUndoOrRedo(event)) {
        event->ignore();
        return true;
    }
    return QLineEdit::event(event);
}

void TextBox::keyPressEvent(QKeyEvent* event) {
    if (isUndoOrRedo(event)) {
        event->ignore();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

std::filesystem::path TextBox::droppedPath(const QMimeData& data) {
    const QList<QUrl> urls = data.urls();
    if (urls.size() != 1 || !urls.front().isLocalFile()) {
        return {};
    }
#ifdef _WIN32
    return pathFromQt(urls.front().toLocalFile());
#else
    // A name that is not UTF-8 comes percent-encoded byte for byte; decoded
    // as text it would lose those bytes.
    return QByteArray::fromPercentEncoding(urls.front().path(QUrl::FullyEncoded).toLatin1())
        .toStdString();
#endif
}

std::filesystem::path TextBox::takeDrop(QDropEvent* event) {
    std::filesystem::path path = droppedPath(*event->mimeData());
    if (path.empty()) {
        event->ignore();
    } else {
        event->acceptProposedAction();
    }
    return path;
}

// A drag that carries links is never text to type: it is taken by the rule
// of takeDrop. Plain text is dropped as a text box drops it.
void TextBox::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) {
        takeDrop(event);
    } else {
        QLineEdit::dragEnterEvent(event);
    }
}

QAction* TextBox::menuAction(const QMenu& menu, MenuAction which) {
    return menu.actions().value(static_cast<qsizetype>(which));
}

void TextBox::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    adjustMenu(menu);
    Q_EMIT menuShown(menu);
    menu->popup(event->globalPos());
}

void TextBox::dropEvent(QDropEvent* event) {
    if (!event->mimeData()->hasUrls()) {
        QLineEdit::dropEvent(event);
    } else if (const std::filesystem::path path = takeDrop(event); !path.empty()) {
        Q_EMIT pathDropped(path);
    }
}

}  // namespace zelvane::editor
