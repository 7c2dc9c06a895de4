#include "offset_field.h"

#include <QClipboard>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>

#include "offsets/offset_layout.h"
#include "offsets/paste_placement.h"

namespace zelvane::editor {
namespace {

QString cellName(int index) {
    return QString::fromStdString(offsets::OffsetLayout::cellName(index));
}

}  // namespace

OffsetField::OffsetField(int index, QWidget* parent) : TextBox(QString(), parent), m_index(index) {
    setAccessibleName(cellName(index));
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
        describe();
        if (!m_showing) {
            Q_EMIT edited(m_index, text);
        }
    });
}

void OffsetField::showValue(const QString& text) {
    m_showing = true;
    setText(text);
    m_showing = false;
    setCursorPosition(0);  // a value's start tells the most
}

// A tint of the highlight colour over the field's own background: seen in
// light and dark palettes alike, and the text keeps its own colour.
void OffsetField::setMarked(bool marked) {
    QPalette palette = parentWidget()->palette();
    if (marked) {
        const QColor base = palette.color(QPalette::Base);
        const QColor highlight = palette.color(QPalette::Highlight);
        constexpr float tint = 0.35F;
        palette.setColor(
            QPalette::Base,
            QColor::fromRgbF(base.redF() + (highlight.redF() - base.redF()) * tint,
                             base.greenF() + (highlight.greenF() - base.greenF()) * tint,
                             base.blueF() + (highlight.blueF() - base.blueF()) * tint));
    }
    setPalette(palette);
    m_marked = marked;
    describe();
}

void OffsetField::setChanged(bool changed, const QString& was) {
    if (changed == m_changed && was == m_was) {
        return;
    }
    m_changed = changed;
    m_was = was;
    describe();
    update();
}

namespace {

// The start of a text too long to show whole, so that a tooltip never
// covers the screen.
QString shortened(const QString& text) {
    constexpr qsizetype longest = 200;
    return text.size() > longest ? text.left(longest) + QStringLiteral("...") : text;
}

}  // namespace

// The tooltip: the field's name, its value and what it was; the
// accessible description: what the tint and the corner show.
void OffsetField::describe() {
    const QString changed =
        m_changed ? QStringLiteral("changed, was %1").arg(shortened(m_was)) : QString();
    setToolTip(QStringLiteral("%1: %2").arg(cellName(m_index), shortened(text())) +
               (m_changed ? QStringLiteral(" (%1)").arg(changed) : QString()));
    QStringList description;
    if (m_marked) {
        description << QStringLiteral("Increase and Decrease step this field");
    }
    if (m_changed) {
        description << changed;
    }
    setAccessibleDescription(description.join(QStringLiteral("; ")));
}

// A field too narrow for its value shows its start whenever the person is
// not typing in it, so that a minus sign is never out of sight; a context
// menu opened on it leaves it as it is.
void OffsetField::focusOutEvent(QFocusEvent* event) {
    TextBox::focusOutEvent(event);
    if (event->reason() != Qt::PopupFocusReason) {
        setCursorPosition(0);
    }
}

// A changed value has its top right corner cut off in the text colour: a
// shape, seen without telling colours apart.
void OffsetField::paintEvent(QPaintEvent* event) {
    TextBox::paintEvent(event);
    if (!m_changed) {
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette().color(QPalette::Text));
    const qreal corner = height() * 0.4;
    const QPointF right(width(), 0);
    painter.drawPolygon(QPolygonF{right - QPointF(corner, 0), right, right + QPointF(0, corner)});
}

bool OffsetField::pasteSeveral(const QString& text) {
    if (!offsets::isSeveralValues(text.toStdString())) {
        return false;
    }
    Q_EMIT pasted(m_index, text);
    return true;
}

// The middle button pastes the selection, where the system has one.
void OffsetField::mouseReleaseEvent(QMouseEvent* event) {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    if (event->button() == Qt::MiddleButton && clipboard->supportsSelection() &&
        pasteSeveral(clipboard->text(QClipboard::Selection))) {
        event->accept();
        return;
    }
    TextBox::mouseReleaseEvent(event);
}

void OffsetField::adjustMenu(QMenu* menu) {
    if (QAction* action = menuAction(*menu, MenuAction::Paste)) {
        disconnect(action, &QAction::triggered, nullptr, nullptr);
        connect(action, &QAction::triggered, this, [this] {
            if (!pasteSeveral(QGuiApplication::clipboard()->text())) {
                paste();
            }
        });
    }
}

void OffsetField::dropEvent(QDropEvent* event) {
    if (!event->mimeData()->hasUrls() && pasteSeveral(event->mimeData()->text())) {
        event->acceptProposedAction();
        return;
    }
    TextBox::dropEvent(event);
}

void OffsetField::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        Q_EMIT selected(m_index);
    }
    TextBox::mousePressEvent(event);
}

namespace {

// The step a key asks for, or none (0). Shift with Up or Down is the fine
// step a tenth is tuned by; other modifiers are left to the desktop.
double stepOfKey(const QKeyEvent& event) {
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    const bool shift = modifiers == Qt::ShiftModifier;
    if (modifiers != Qt::NoModifier && !shift) {
        return 0;
    }
    const double line = shift ? OffsetField::fineStep : 1;
    const double page = shift ? 0 : OffsetField::pageStep;
    switch (event.key()) {
        case Qt::Key_Up:
            return line;
        case Qt::Key_Down:
            return -line;
        case Qt::Key_PageUp:
            return page;
        case Qt::Key_PageDown:
            return -page;
        default:
            return 0;
    }
}

}  // namespace

void OffsetField::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste) && pasteSeveral(QGuiApplication::clipboard()->text())) {
        event->accept();
        return;
    }
    if (const double step = stepOfKey(*event); step != 0) {
        Q_EMIT stepRequested(m_index, step);
        event->accept();
        return;
    }
    TextBox::keyPressEvent(event);
}

}  // namespace zelvane::editor
