#include "main_window.h"

#include <QDropEvent>
#include <QMimeData>
#include <QPushButton>
#include <QShortcut>

#include "editor/clickable_label.h"
#include "editor/error_report.h"
#include "editor/folder_line.h"
#include "editor/offset_field.h"
#include "editor/profile_list.h"
#include "offsets/profile_location.h"

namespace zelvane::editor {

using offsets::ProfileStore;

MainWindow::MainWindow(std::filesystem::path folder, QWidget* parent)
    : QWidget(parent), m_store(std::move(folder)) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromLatin1(caption));
    setAcceptDrops(true);
    m_form.setupUi(this);
    connectForm();
    onLoad();
}

void MainWindow::connectForm() {
    for (OffsetField* field : m_form.fields) {
        // Every change of the text reaches the table, however it is made:
        // typing, pasting, an input method, undo, or assistive technology.
        connect(field, &QLineEdit::textChanged, this,
                [this, index = field->index()](const QString& text) {
                    m_table.setValue(index, text.toStdString());
                });
        connect(field, &OffsetField::selected, this, &MainWindow::onFieldClick);
        connect(field, &OffsetField::stepRequested, this, &MainWindow::onFieldStep);
        connect(field, &TextBox::pathDropped, this, &MainWindow::openLocation);
    }
    connect(m_form.slotBox, &TextBox::pathDropped, this, &MainWindow::openLocation);
    // Enter in the slot box saves, as the Save button and Ctrl+S do.
    connect(m_form.slotBox, &QLineEdit::returnPressed, this, &MainWindow::onSave);
    connect(m_form.save, &QPushButton::clicked, this, &MainWindow::onSave);
    connect(new QShortcut(QKeySequence::Save, this), &QShortcut::activated, this,
            &MainWindow::onSave);
    connect(m_form.read, &QPushButton::clicked, this, &MainWindow::onRead);
    // A double-click or Enter on a profile reads it, as Read does.
    connect(m_form.fileList, &QListWidget::itemActivated, this, &MainWindow::onRead);
    connect(m_form.fileList, &ProfileList::folderChanged, this,
            [this] { runGuarded([this] { fillFileList(); }); });
    connect(m_form.increase, &ClickableLabel::clicked, this, &MainWindow::onIncrease);
    connect(m_form.decrease, &ClickableLabel::clicked, this, &MainWindow::onDecrease);
}

void MainWindow::onLoad() {
    m_table.reset();
    m_form.showTable(m_table);
    m_form.markSelected(m_table.selected());
    showFolder();
    runGuarded([this] { fillFileList(); });
    m_form.fields.front()->setFocus();
}

void MainWindow::fillFileList() {
    m_form.fileList->setNames(m_store.listProfiles());
}

void MainWindow::workIn(ProfileStore store) {
    m_store = std::move(store);
    showFolder();
    fillFileList();
}

void MainWindow::showFolder() {
    m_form.fileList->watch(m_store.folder());
    m_form.folderLine->setFolder(QString::fromStdU16String(m_store.folder().u16string()));
}

// What the fields and the slot box do not take, the window does: a file or
// folder dropped on a caption, a button or the window's background.
void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (TextBox::droppedPath(*event->mimeData()).isEmpty()) {
        event->ignore();
    } else {
        event->acceptProposedAction();
    }
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QString path = TextBox::droppedPath(*event->mimeData());
    if (path.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    openLocation(path);
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
    m_table.select(index);
    m_form.markSelected(index);
}

void MainWindow::onFieldStep(int index, int delta) {
    onFieldClick(index);
    runGuarded([this, delta] { m_table.stepSelected(delta); });
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
        m_store.saveProfile(m_table, m_form.slotBox->text().toStdString());
        fillFileList();
    });
}

void MainWindow::onRead() {
    const std::string name = m_form.fileList->selectedName();
    if (!name.empty()) {
        runGuarded([this, &name] { readProfile(m_store, name); });
    }
}

void MainWindow::readProfile(const ProfileStore& store, const std::string& name) {
    store.readProfile(name, m_table);
    m_form.slotBox->setText(QString::fromStdString(ProfileStore::slotFromFileName(name)));
}

void MainWindow::runGuarded(const std::function<void()>& operation) {
    try {
        operation();
    } catch (const platform::RuntimeError& error) {
        m_form.showTable(m_table);  // whatever the operation did before failing is shown
        ErrorReport::show(this, error);
        return;
    }
    m_form.showTable(m_table);
}

}  // namespace zelvane::editor
