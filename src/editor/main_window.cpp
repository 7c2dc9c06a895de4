#include "main_window.h"

#include <QDropEvent>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QShortcut>
#include <limits>

#include "editor/clickable_label.h"
#include "editor/error_report.h"
#include "editor/folder_line.h"
#include "editor/profile_list.h"
#include "offsets/profile_location.h"

namespace zelvane::editor {
namespace {

using offsets::OffsetLayout;
using offsets::ProfileStore;

using Handler = void (MainWindow::*)();

Handler handlerOf(ControlAction action) {
    switch (action) {
        case ControlAction::Increase:
            return &MainWindow::onIncrease;
        case ControlAction::Decrease:
            return &MainWindow::onDecrease;
        case ControlAction::Save:
            return &MainWindow::onSave;
        case ControlAction::Read:
            return &MainWindow::onRead;
        case ControlAction::None:
        case ControlAction::SelectField:
            break;
    }
    return nullptr;
}

constexpr char fieldIndexProperty[] = "fieldIndex";

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

// What a field's tooltip says: its name and its value, the start of a value
// too long to show whole.
QString fieldToolTip(int index, const QString& text) {
    constexpr qsizetype longest = 200;
    const QString name = QString::fromStdString(OffsetLayout::cellName(index));
    return QStringLiteral("%1: %2").arg(
        name, text.size() > longest ? text.left(longest) + QStringLiteral("...") : text);
}

}  // namespace

MainWindow::MainWindow(std::filesystem::path folder, QWidget* parent)
    : QWidget(parent), m_store(std::move(folder)) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromLatin1(caption));
    setFont(formFont(font()));
    setAcceptDrops(true);
    buildControls();
    connect(new QShortcut(QKeySequence::Save, this), &QShortcut::activated, this,
            &MainWindow::onSave);
    onLoad();
}

void MainWindow::buildControls() {
    const double dpi = logicalDpiX();
    setFixedSize(FormLayout::toPixels(FormLayout::clientWidth, dpi),
                 FormLayout::toPixels(FormLayout::clientHeight, dpi));
    std::vector<QWidget*> focusOrder;
    for (const ControlDescription& described : FormLayout::controls()) {
        QWidget* control = createControl(described);
        control->setObjectName(described.name);
        control->setGeometry(FormLayout::toPixels(described.left, dpi),
                             FormLayout::toPixels(described.top, dpi),
                             FormLayout::toPixels(described.width, dpi),
                             FormLayout::toPixels(described.height, dpi));
        if (control->focusPolicy() != Qt::NoFocus) {
            focusOrder.push_back(control);
        }
    }
    setTabOrder(focusOrder);
}

QWidget* MainWindow::createControl(const ControlDescription& control) {
    switch (control.kind) {
        case ControlKind::Field:
        case ControlKind::SlotBox:
            return createTextBox(control);
        case ControlKind::PushButton: {
            auto* button = new QPushButton(control.text, this);
            connectAction(button, &QPushButton::clicked, control.action);
            return button;
        }
        case ControlKind::FileList:
            m_fileList = new ProfileList(this);
            // A double-click or Enter on a profile reads it, as Read does.
            connect(m_fileList, &QListWidget::itemActivated, this, &MainWindow::onRead);
            connect(m_fileList, &ProfileList::folderChanged, this,
                    [this] { runGuarded([this] { fillFileList(); }); });
            return m_fileList;
        case ControlKind::ClickableLabel: {
            auto* label = new ClickableLabel(control.text, this);
            connectAction(label, &ClickableLabel::clicked, control.action);
            return label;
        }
        case ControlKind::Label:
            return new QLabel(control.text, this);
        case ControlKind::FolderLine:
            return m_folderLine = new FolderLine(this);
    }
    return nullptr;
}

template <typename Control, typename Signal>
void MainWindow::connectAction(Control* control, Signal signal, ControlAction action) {
    if (const Handler handler = handlerOf(action)) {
        connect(control, signal, this, handler);
        m_commands.at(static_cast<std::size_t>(action)) = control;
    }
}

QWidget* MainWindow::commandControl(ControlAction action) const {
    return m_commands.at(static_cast<std::size_t>(action));
}

QLineEdit* MainWindow::createTextBox(const ControlDescription& control) {
    auto* box = new QLineEdit(control.text, this);
    box->setMaxLength(std::numeric_limits<int>::max());  // a value may be of any length
    if (control.kind == ControlKind::SlotBox) {
        box->setAccessibleName(QStringLiteral("Slot"));
        // Enter in the slot box saves, as the Save button does.
        connect(box, &QLineEdit::returnPressed, this, &MainWindow::onSave);
        box->installEventFilter(this);
        m_slotBox = box;
        return box;
    }
    const int index = control.fieldIndex;
    const QString name = QString::fromStdString(OffsetLayout::cellName(index));
    box->setAccessibleName(name);
    box->setProperty(fieldIndexProperty, index);
    box->installEventFilter(this);
    // Every change of the text reaches the table, however it is made: typing,
    // pasting, an input method, undo, or assistive technology setting it.
    connect(box, &QLineEdit::textChanged, this, [this, index, box](const QString& text) {
        m_table.setValue(index, text.toStdString());
        box->setToolTip(fieldToolTip(index, text));
    });
    m_fields[index] = box;
    return box;
}

void MainWindow::setTabOrder(const std::vector<QWidget*>& focusOrder) {
    for (std::size_t i = 1; i < focusOrder.size(); ++i) {
        QWidget::setTabOrder(focusOrder[i - 1], focusOrder[i]);
    }
}

void MainWindow::onLoad() {
    m_table.reset();
    showValues();
    markSelected(m_table.selected(), true);
    showFolder();
    runGuarded([this] { fillFileList(); });
    m_fields[0]->setFocus();
}

void MainWindow::fillFileList() {
    m_fileList->setNames(m_store.listProfiles());
}

void MainWindow::workIn(ProfileStore store) {
    m_store = std::move(store);
    showFolder();
    fillFileList();
}

void MainWindow::showFolder() {
    m_fileList->watch(m_store.folder());
    m_folderLine->setFolder(QString::fromStdU16String(m_store.folder().u16string()));
}

void MainWindow::takeDrop(QEvent* event) {
    auto* drop = static_cast<QDropEvent*>(event);  // a QDragEnterEvent is one too
    const QList<QUrl> urls = drop->mimeData()->urls();
    if (urls.size() != 1 || !urls.front().isLocalFile()) {
        drop->ignore();  // several items, or something that is not a local file
        return;
    }
    drop->acceptProposedAction();
    if (event->type() == QEvent::Drop) {
        openLocation(urls.front().toLocalFile());
    }
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    takeDrop(event);
}

void MainWindow::dropEvent(QDropEvent* event) {
    takeDrop(event);
}

// A tint of the highlight colour over the field's own background: seen in
// light and dark palettes alike, and the text keeps its own colour.
void MainWindow::markSelected(int index, bool selected) {
    QLineEdit* field = m_fields[index];
    QPalette palette = this->palette();
    if (selected) {
        const QColor base = palette.color(QPalette::Base);
        const QColor highlight = palette.color(QPalette::Highlight);
        constexpr float tint = 0.35F;
        palette.setColor(
            QPalette::Base,
            QColor::fromRgbF(base.redF() + (highlight.redF() - base.redF()) * tint,
                             base.greenF() + (highlight.greenF() - base.greenF()) * tint,
                             base.blueF() + (highlight.blueF() - base.blueF()) * tint));
    }
    field->setPalette(palette);
    field->setAccessibleDescription(
        selected ? QStringLiteral("Increase and Decrease step this field") : QString());
}

// Fields are selected by a click, and stepped from the keyboard with the
// Up and Down arrows, which select the field as a click would.
bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if ((event->type() == QEvent::DragEnter || event->type() == QEvent::Drop) &&
        static_cast<QDropEvent*>(event)->mimeData()->hasUrls()) {
        takeDrop(event);
        return true;  // files are opened, never typed into a field as their path
    }
    const QVariant index = watched->property(fieldIndexProperty);
    if (!index.isValid()) {
        return QWidget::eventFilter(watched, event);
    }
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        onFieldClick(index.toInt());
    } else if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            onFieldClick(index.toInt());
            key == Qt::Key_Up ? onIncrease() : onDecrease();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::openLocation(const QString& path) {
    runGuarded([this, &path] {
        const auto location = offsets::ProfileLocation::resolve(path.toStdString());
        ProfileStore store(location.folder);
        if (!location.profile.empty()) {
            readProfile(store, location.profile);  // all or nothing: a failure changes nothing
        }
        workIn(std::move(store));
    });
}

void MainWindow::onFieldClick(int index) {
    markSelected(m_table.selected(), false);
    m_table.select(index);
    markSelected(index, true);
}

void MainWindow::onIncrease() {
    runGuarded([this] { m_table.stepSelected(+1); });
}

void MainWindow::onDecrease() {
    runGuarded([this] { m_table.stepSelected(-1); });
}

// A saved profile shows in the list at once; a failed save leaves the list.
void MainWindow::onSave() {
    runGuarded([this] {
        m_store.saveProfile(m_table, m_slotBox->text().toStdString());
        fillFileList();
    });
}

void MainWindow::onRead() {
    const std::string name = m_fileList->selectedName();
    if (!name.empty()) {
        runGuarded([this, &name] { readProfile(m_store, name); });
    }
}

void MainWindow::readProfile(const ProfileStore& store, const std::string& name) {
    store.readProfile(name, m_table);
    m_slotBox->setText(QString::fromStdString(ProfileStore::slotFromFileName(name)));
}

void MainWindow::showValues() {
    for (int index = 0; index < offsets::OffsetTable::size; ++index) {
        const QString text = QString::fromStdString(m_table.value(index));
        if (m_fields[index]->text() != text) {
            m_fields[index]->setText(text);
            m_fields[index]->setCursorPosition(0);  // a value's start tells the most
        }
    }
}

void MainWindow::runGuarded(const std::function<void()>& operation) {
    try {
        operation();
    } catch (const platform::RuntimeError& error) {
        showValues();  // whatever the operation did before failing is shown
        ErrorReport::show(this, error);
        return;
    }
    showValues();
}

}  // namespace zelvane::editor
