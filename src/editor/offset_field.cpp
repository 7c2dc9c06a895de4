#include "offset_field.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include "offsets/offset_layout.h"

namespace zelvane::editor {
namespace {

QString cellName(int index) {
    return QString::fromStdString(offsets::OffsetLayout::cellName(index));
}

}  // namespace

OffsetField::OffsetField(int index, QWidget* parent) : TextBox(QString(), parent), m_index(index) {
    setAccessibleName(cellName(index));
    connect(this, &QLineEdit::textChanged, this, &OffsetField::showToolTip);
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
    setAccessibleDescription(marked ? QStringLiteral("Increase and Decrease step this field")
                                    : QString());
}

// The field's name and its value; the start of a value too long to show
// whole, so that a tooltip never covers the screen.
void OffsetField::showToolTip(const QString& text) {
    constexpr qsizetype longest = 200;
    setToolTip(QStringLiteral("%1: %2").arg(
        cellName(m_index),
        text.size() > longest ? text.left(longest) + QStringLiteral("...") : text));
}

void OffsetField::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        Q_EMIT selected(m_index);
    }
    TextBox::mousePressEvent(event);
}

void OffsetField::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
        Q_EMIT stepRequested(m_index, event->key() == Qt::Key_Up ? +1 : -1);
        event->accept();
        return;
    }
    TextBox::keyPressEvent(event);
}

}  // namespace zelvane::editor
