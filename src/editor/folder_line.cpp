#include "folder_line.h"

namespace zelvane::editor {
namespace {

const QString prefix = QStringLiteral("Folder: ");

}  // namespace

FolderLine::FolderLine(QWidget* parent) : QLabel(parent) {
    setFocusPolicy(Qt::NoFocus);
    setTextFormat(Qt::PlainText);
}

void FolderLine::setFolder(const QString& path, bool present) {
    m_path = path;
    m_note = present ? QString() : QStringLiteral(" (no longer there)");
    setToolTip(path + m_note);
    setAccessibleName(prefix + path + m_note);
    showElided();
}

void FolderLine::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    showElided();
}

void FolderLine::showElided() {
    const int room = contentsRect().width() - fontMetrics().horizontalAdvance(prefix + m_note);
    setText(prefix + fontMetrics().elidedText(m_path, Qt::ElideMiddle, room) + m_note);
}

}  // namespace zelvane::editor
