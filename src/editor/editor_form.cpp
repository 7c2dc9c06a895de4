#include "editor_form.h"

#include <QGuiApplication>
#include <QHBoxLayout>
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
#include "editor/right_column.h"
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

// Twips the list keeps above the foot where the column is shorter than the
// form: the gap it keeps below Read.
constexpr int listGap = 135;

// Pixels kept in sight around a control scrolled into view, as many as the
// scroll area keeps by default: a row or two either side.
constexpr int roomAroundFocus = 50;

}  // namespace

void EditorForm::setupUi(QWidget* window) {
    window->setFont(formFont(window->font()));
    scrollArea = new QScrollArea(window);
    scrollArea->setFrameShape(QFrame::NoFrame);
    scrollArea->setFocusPolicy(Qt::NoFocus);  // the controls take the focus, never the frame
    const double dpi = window->logicalDpiX();
    const int columnLeft = FormLayout::toPixels(FormLayout::columnLeft, dpi);
    const int footTop = FormLayout::toPixels(FormLayout::footTop, dpi);
    canvas = new QWidget;
    canvas->setFixedSize(columnLeft, footTop);
    scrollArea->setWidget(canvas);
    column = new RightColumn(window);
    column->setFixedWidth(FormLayout::toPixels(FormLayout::clientWidth, dpi) - columnLeft);
    foot = new QWidget(window);
    foot->setFixedHeight(FormLayout::toPixels(FormLayout::clientHeight, dpi) - footTop);

    auto* beside = new QHBoxLayout;
    beside->setSpacing(0);
    beside->addWidget(scrollArea);
    beside->addWidget(column);
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(beside);
    layout->addWidget(foot);
    QWidget* previous = nullptr;
    for (const ControlDescription& described : FormLayout::controls()) {
        const bool inFoot = described.top >= FormLayout::footTop;
        const bool inColumn = !inFoot && described.left >= FormLayout::columnLeft;
        QWidget* control = createControl(described, inFoot ? foot : inColumn ? column : canvas);
        control->setObjectName(described.name);
        // A control of the column or the foot stands at its pixels in the
        // whole form less that part's corner, so that where the form fits
        // it lands on the very pixels it would if the form were one piece.
        control->setGeometry(
            FormLayout::toPixels(described.left, dpi) - (inColumn ? columnLeft : 0),
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
    column->setList(fileList, FormLayout::toPixels(listGap, dpi));
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
    const QSize form(canvas->width() + column->width(), canvas->height() + foot->height());
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
    // The right column and the foot always show whole; the grid beside
    // them may shrink to a few scroll bars' room.
    window->setMinimumSize(column->width() + bars.width() * 4,
                           column->minimumHeight() + foot->height());
    window->setMaximumSize(scrolled);
    window->resize(scrolled.boundedTo(room));
    window->move(available.topLeft());  // the window as a whole, title bar too, on the screen
}

// The whole control, frame and all: the scroll area's own
// ensureWidgetVisible is content with a text box's cursor, which may show
// while the foot hides the bottom of the box. One already whole in view
// stays where it is, so that the grid never moves under a click.
void EditorForm::scrollIntoView(QWidget* control) {
    if (!canvas->isAncestorOf(control)) {
        return;
    }
    const QWidget* viewport = scrollArea->viewport();
    if (viewport->rect().contains(QRect(control->mapTo(viewport, QPoint(0, 0)), control->size()))) {
        return;
    }
    const QRect shown(control->mapTo(canvas, QPoint(0, 0)), control->size());
    scrollArea->ensureVisible(shown.center().x(), shown.center().y(),
                              shown.width() / 2 + roomAroundFocus,
                              shown.height() / 2 + roomAroundFocus);
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
