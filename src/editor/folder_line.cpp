#include "folder_line.h"

namespace zelvane::editor {
namespace {

const QString prefix = QStringLiteral("Folder: ");

}  // namespace

FolderLine::FolderLine(QWidget* parent) : QLabel(parent) {
    setFocusPolicy(Qt::NoFocus);
    setTextFormat(Qt::PlainText);
}

void FolderLine::setFolder(const QString& path) {
    m_path = path;
    setToolTip(path);
    setAccessibleName(prefix + path);
    showElided();
}

void FolderLine::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    showElided();
}

void FolderLine::showElided() {
    const int room = contentsRect().width() - fontMetrics().horizontalAdvance(prefix);
    setText(prefix + fontMetrics().elidedText(m_path, Qt::ElideMiddle, room));
}

}  // namespace zelvane::editor
