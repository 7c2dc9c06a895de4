#include "clickable_label.h"

#include <QMouseEvent>

namespace zelvane::editor {

ClickableLabel::ClickableLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
    // Raised like a button, so that it is plain that it can be clicked.
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setAlignment(Qt::AlignCenter);
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
    // Like a button: a press that is released outside the caption is no click.
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
    QLabel::mouseReleaseEvent(event);
}

}  // namespace zelvane::editor
