#include "clickable_label.h"

#include <QAccessibleWidget>
#include <QMouseEvent>

namespace zelvane::editor {
namespace {

// What a screen reader sees: a button named by its caption, with a press
// action that clicks it.
class ClickableLabelAccessible : public QAccessibleWidget {
  public:
    explicit ClickableLabelAccessible(ClickableLabel* label)
        : QAccessibleWidget(label, QAccessible::Button) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name) {
            return static_cast<const ClickableLabel*>(widget())->text();
        }
        return QAccessibleWidget::text(kind);
    }

    QStringList actionNames() const override { return {pressAction()}; }

    void doAction(const QString& action) override {
        if (action == pressAction()) {
            static_cast<ClickableLabel*>(widget())->click();
        }
    }
};

QAccessibleInterface* accessibleFor(const QString& /*className*/, QObject* object) {
    if (auto* label = qobject_cast<ClickableLabel*>(object)) {
        return new ClickableLabelAccessible(label);
    }
    return nullptr;
}

// While QLabel's constructor ran, an active accessibility bridge may already
// have made (and cached) a plain label's interface for this widget; drop it,
// so that the next query makes the button's.
void offerAsButton(ClickableLabel* label) {
    static const bool installed = (QAccessible::installFactory(accessibleFor), true);
    Q_UNUSED(installed);
    if (!QAccessible::isActive()) {
        return;
    }
    QAccessibleInterface* made = QAccessible::queryAccessibleInterface(label);
    if (made != nullptr && made->role() != QAccessible::Button) {
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
    }
}

}  // namespace

ClickableLabel::ClickableLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
    // Raised like a button, so that it is plain that it can be clicked.
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setAlignment(Qt::AlignCenter);
    offerAsButton(this);
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
    // Like a button: a press that is released outside the caption is no click.
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        Q_EMIT clicked();
    }
    QLabel::mouseReleaseEvent(event);
}

}  // namespace zelvane::editor
