#include "editor_form.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "editor/folder_line.h"
#include "editor/form_layout.h"
#include "editor/help_window.h"
#include "editor/offset_field.h"
#include "editor/profile_list.h"
#include "editor/shown_text.h"
#include "offsets/profile_document.h"

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

// Increase and Decrease: buttons that never take the focus, so that the
// field they step keeps it (and the person's place in it), and that repeat
// while held down, as a spin box's arrows do. Their tooltips name the keys
// that step too, and where to learn more.
QToolButton* stepButton(const QString& text, const QString& keys, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setText(text);
    button->setToolTip(QStringLiteral("%1 the selected field by 1, by 0.1 with Shift held; hold "
                                      "to repeat.\nIn a field: %2\n%3")
                           .arg(text, keys, HelpWindow::pointer()));
    button->setFocusPolicy(Qt::NoFocus);
    button->setCursor(Qt::PointingHandCursor);
    button->setAutoRepeat(true);
    button->setAutoRepeatDelay(
        button->style()->styleHint(QStyle::SH_SpinBox_ClickAutoRepeatThreshold));
    button->setAutoRepeatInterval(
        button->style()->styleHint(QStyle::SH_SpinBox_ClickAutoRepeatRate));
    return button;
}

}  // namespace

void EditorForm::setupUi(QWidget* window) {
    window->setFont(formFont(window->font()));
    scrollArea = new QScrollArea(window);
    scrollArea->setFrameShape(QFrame::NoFrame);
    scrollArea->setFocusPolicy(Qt::NoFocus);  // the controls take the focus, never the frame

    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(scrollArea);
    const double dpi = window->logicalDpiX();
    const int width = FormLayout::toPixels(FormLayout::clientWidth, dpi);
    const int footTop = FormLayout::toPixels(FormLayout::footTop, dpi);
    canvas = new QWidget;
    canvas->setFixedSize(width, footTop);
    scrollArea->setWidget(canvas);
    foot = new QWidget(window);
    foot->setFixedHeight(FormLayout::toPixels(FormLayout::clientHeight, dpi) - footTop);
    layout->addWidget(foot);
    QWidget* previous = nullptr;
    for (const ControlDescription& described : FormLayout::controls()) {
        const bool inFoot = described.top >= FormLayout::footTop;
        QWidget* control = createControl(described, inFoot ? foot : canvas);
        control->setObjectName(described.name);
        control->setGeometry(FormLayout::toPixels(described.left, dpi),
                             FormLayout::toPixels(described.top, dpi) - (inFoot ? footTop : 0),
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
            fileList = new ProfileList(parent);
            fileList->setAccessibleName(QStringLiteral("Profiles"));
            return fileList;
        case ControlKind::ReadButton:
            return read = new QPushButton(control.text, parent);
        case ControlKind::IncreaseLabel:
            return increase = stepButton(
                       control.text, QStringLiteral("Up, Shift+Up (0.1), Page Up (10)"), parent);
        case ControlKind::DecreaseLabel:
            return decrease =
                       stepButton(control.text,
                                  QStringLiteral("Down, Shift+Down (0.1), Page Down (10)"), parent);
        case ControlKind::Label:
            return new QLabel(control.text, parent);
        case ControlKind::FolderLine:
            return folderLine = new FolderLine(parent);
        case ControlKind::ChangeFolderButton:
            changeFolder = new QPushButton(control.text, parent);
            changeFolder->setAccessibleName(QStringLiteral("Change the folder profiles are in"));
            return changeFolder;
        case ControlKind::UndoButton:
            return undo = new QPushButton(control.text, parent);
        case ControlKind::RedoButton:
            return redo = new QPushButton(control.text, parent);
    }
    return nullptr;
}

void EditorForm::fitToScreen(QWidget* window) {
    const QSize form = canvas->size() + QSize(0, foot->height());
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

void EditorForm::showDocument(const offsets::ProfileDocument& document) {
    for (int index = 0; index < offsets::OffsetTable::size; ++index) {
        const QString text = QString::fromStdString(document.table().value(index));
        OffsetField* field = fields.at(index);
        if (field->text() != text) {
            field->showValue(text);
        }
        const bool changed = document.isChanged(index);
        field->setChanged(
            changed, changed ? QString::fromStdString(document.unchangedValue(index)) : QString());
    }
    // A slot from a name that is not UTF-8 shows its stray bytes as \xHH,
    // which are turned back into those bytes as the box is read.
    if (nameBytes(slotBox->text()) != document.slot()) {
        slotBox->setText(shownText(document.slot()));
    }
    markSelected(document.table().selected());
}

void EditorForm::markSelected(int index) {
    if (index == m_marked) {
        return;
    }
    if (m_marked >= 0) {
        fields.at(m_marked)->setMarked(false);
    }
    fields.at(index)->setMarked(true);
    m_marked = index;
}

}  // namespace zelvane::editor
