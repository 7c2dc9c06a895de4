#include "editor_form.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include "editor/clickable_label.h"
#include "editor/folder_line.h"
#include "editor/form_layout.h"
#include "editor/offset_field.h"
#include "editor/profile_list.h"

namespace zelvane::editor {
namespace {

// The dialog font at the size the form was drawn with: its fields are 315
// twips (21 pixels) high. On Windows that font is the alias "MS Shell Dlg",
// which only Windows' own fonts resolve well: under Wine it falls back on a
// math font in which a text box draws no text at all. So there the form
// names its font outright, Windows' own first.
QFont formFont(QFont font) {
    font.setPointSize(8);
    if (QGuiApplication::platformName() == QLatin1String("windows")) {
        font.setFamilies({QStringLiteral("Segoe UI"), QStringLiteral("Tahoma"),
                          QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"),
                          QStringLiteral("Arial"), font.family()});
    }
    return font;
}

}  // namespace

void EditorForm::setupUi(QWidget* window) {
    window->setFont(formFont(window->font()));
    scrollArea = new QScrollArea(window);
    scrollArea->setFrameShape(QFrame::NoFrame);
    scrollArea->setFocusPolicy(Qt::NoFocus);  // the controls take the focus, never the frame

    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scrollArea);
    canvas = new QWidget;
    const double dpi = window->logicalDpiX();
    canvas->setFixedSize(FormLayout::toPixels(FormLayout::clientWidth, dpi),
                         FormLayout::toPixels(FormLayout::clientHeight, dpi));
    scrollArea->setWidget(canvas);
    QWidget* previous = nullptr;
    for (const ControlDescription& described : FormLayout::controls()) {
        QWidget* control = createControl(described, canvas);
        control->setObjectName(described.name);
        control->setGeometry(FormLayout::toPixels(described.left, dpi),
                             FormLayout::toPixels(described.top, dpi),
                             FormLayout::toPixels(described.width, dpi),
                             FormLayout::toPixels(described.height, dpi));
        // The layout lists the controls that take the focus in focus order.
        if (control->focusPolicy() != Qt::NoFocus) {
            if (previous != nullptr) {
                QWidget::setTabOrder(previous, control);
            }
            previous = control;
        }
    }
}

QWidget* EditorForm::createControl(const ControlDescription& control, QWidget* parent) {
    switch (control.kind) {
        case ControlKind::Field:
            return fields.at(control.fieldIndex) = new OffsetField(control.fieldIndex, parent);
        case ControlKind::SlotBox:
            slotBox = new TextBox(control.text, parent);
            slotBox->setAccessibleName(QStringLiteral("Slot"));
            return slotBox;
        case ControlKind::SaveButton:
            return save = new QPushButton(control.text, parent);
        case ControlKind::FileList:
            return fileList = new ProfileList(parent);
        case ControlKind::ReadButton:
            return read = new QPushButton(control.text, parent);
        case ControlKind::IncreaseLabel:
            return increase = new ClickableLabel(control.text, parent);
        case ControlKind::DecreaseLabel:
            return decrease = new ClickableLabel(control.text, parent);
        case ControlKind::Label:
            return new QLabel(control.text, parent);
        case ControlKind::FolderLine:
            return folderLine = new FolderLine(parent);
        case ControlKind::ChangeFolderButton:
            changeFolder = new QPushButton(control.text, parent);
            changeFolder->setAccessibleName(QStringLiteral("Change the folder profiles are in"));
            return changeFolder;
    }
    return nullptr;
}

void EditorForm::fitToScreen(QWidget* window) {
    const QSize form = canvas->size();
    // The title bar and borders are known once the window is shown, and
    // not always then: at least this much is kept for them.
    const QSize frame = (window->frameGeometry().size() - window->size()).expandedTo(QSize(16, 48));
    const QRect available = window->screen()->availableGeometry();
    const QSize room = available.size() - frame;
    if (form.width() <= room.width() && form.height() <= room.height()) {
        window->setFixedSize(form);
        return;
    }
    // Room for a scroll bar across the way the form scrolls, so that it
    // does not scroll the other way too.
    const QSize bars(scrollArea->verticalScrollBar()->sizeHint().width(),
                     scrollArea->horizontalScrollBar()->sizeHint().height());
    const QSize scrolled = form + QSize(form.height() > room.height() ? bars.width() : 0,
                                        form.width() > room.width() ? bars.height() : 0);
    window->setMinimumSize(bars * 4);
    window->setMaximumSize(scrolled);
    window->resize(scrolled.boundedTo(room));
    window->move(available.topLeft());  // the window as a whole, title bar too, on the screen
}

void EditorForm::showTable(const offsets::OffsetTable& table) {
    for (int index = 0; index < offsets::OffsetTable::size; ++index) {
        const QString text = QString::fromStdString(table.value(index));
        OffsetField* field = fields.at(index);
        if (field->text() != text) {
            field->setText(text);
            field->setCursorPosition(0);  // a value's start tells the most
        }
    }
}

void EditorForm::markSelected(int index) {
    if (m_marked >= 0) {
        fields.at(m_marked)->setMarked(false);
    }
    fields.at(index)->setMarked(true);
    m_marked = index;
}

}  // namespace zelvane::editor
