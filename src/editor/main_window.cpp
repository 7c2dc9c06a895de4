#include "main_window.h"

#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <algorithm>
#include <limits>

#include "editor/clickable_label.h"
#include "editor/error_report.h"
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

}  // namespace

MainWindow::MainWindow(std::filesystem::path folder, QWidget* parent)
    : QWidget(parent), m_store(std::move(folder)) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromLatin1(caption));
    setFont(formFont(font()));
    buildControls();
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
            m_fileList = new QListWidget(this);
            m_fileList->setSelectionMode(QAbstractItemView::SingleSelection);
            // One line per name: no need to measure a thousand items.
            m_fileList->setUniformItemSizes(true);
            // A double-click or Enter on a profile reads it, as Read does.
            connect(m_fileList, &QListWidget::itemActivated, this, &MainWindow::onRead);
            return m_fileList;
        case ControlKind::ClickableLabel: {
            auto* label = new ClickableLabel(control.text, this);
            connectAction(label, &ClickableLabel::clicked, control.action);
            return label;
        }
        case ControlKind::Label:
            return new QLabel(control.text, this);
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
        m_slotBox = box;
        return box;
    }
    const int index = control.fieldIndex;
    const QString name = QString::fromStdString(OffsetLayout::cellName(index));
    box->setAccessibleName(name);
    box->setToolTip(name);
    box->setProperty(fieldIndexProperty, index);
    box->installEventFilter(this);
    connect(box, &QLineEdit::textEdited, this,
            [this, index](const QString& text) { m_table.setValue(index, text.toStdString()); });
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
    runGuarded([this] { fillFileList(); });
    m_fields[0]->setFocus();
}

void MainWindow::fillFileList() {
    std::vector<std::string> names = m_store.listProfiles();
    const std::string selected = selectedProfile();
    QStringList shown;
    shown.reserve(static_cast<qsizetype>(names.size()));
    for (const std::string& name : names) {
        shown.append(QString::fromStdString(name));
    }
    m_fileList->clear();
    m_fileList->addItems(shown);
    m_profileNames = std::move(names);
    const auto kept = std::find(m_profileNames.begin(), m_profileNames.end(), selected);
    if (kept != m_profileNames.end()) {
        m_fileList->setCurrentRow(static_cast<int>(kept - m_profileNames.begin()));
    }
}

std::string MainWindow::selectedProfile() const {
    const QList<QListWidgetItem*> selected = m_fileList->selectedItems();
    if (selected.isEmpty()) {
        return {};
    }
    return m_profileNames.at(static_cast<std::size_t>(m_fileList->row(selected.front())));
}

// Fields are selected by a click, and stepped from the keyboard with the
// Up and Down arrows, which select the field as a click would.
bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
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
        m_store = std::move(store);
        fillFileList();
    });
}

void MainWindow::onFieldClick(int index) {
    m_table.select(index);
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
    const std::string name = selectedProfile();
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
