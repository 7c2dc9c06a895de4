#include "main_window.h"

#include <QDropEvent>
#include <QFileDialog>
#include <QMimeData>
#include <QPushButton>
#include <QShortcut>
#include <QWindow>

#include "editor/clickable_label.h"
#include "editor/error_report.h"
#include "editor/folder_line.h"
#include "editor/offset_field.h"
#include "editor/profile_list.h"
#include "editor/shown_text.h"
#include "offsets/profile_location.h"

namespace zelvane::editor {

using offsets::ProfileStore;

namespace {

// The platform's own folder chooser (the native one on Windows), made only
// when asked for, so that start-up does not pay for it.
std::filesystem::path chooseWithDialog(QWidget* parent, const std::filesystem::path& start) {
    const QString chosen = QFileDialog::getExistingDirectory(
        parent, QStringLiteral("Change folder"), shownPath(start));
    return chosen.isEmpty() ? std::filesystem::path() : pathOfText(chosen);
}

}  // namespace

MainWindow::MainWindow(std::filesystem::path folder, QWidget* parent)
    : QWidget(parent), m_store(std::move(folder)), m_chooseFolder(chooseWithDialog) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromLatin1(caption) + QStringLiteral("[*]"));
    setAcceptDrops(true);
    m_form.setupUi(this);
    connectForm();
    onLoad();
    fitToScreen();
}

void MainWindow::connectForm() {
    for (OffsetField* field : m_form.fields) {
        // Every change of the text reaches the table, however it is made:
        // typing, pasting, an input method, undo, or assistive technology.
        connect(field, &QLineEdit::textChanged, this,
                [this, index = field->index()](const QString& text) {
                    m_table.setValue(index, text.toStdString());
                    showModified();
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
    // A double-click or Enter on a profile reads it, as Read does, also the
    // one the keyboard rests on that is not yet selected.
    connect(m_form.fileList, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        m_form.fileList->setCurrentItem(item);
        onRead();
    });
    connect(&m_folderWatch, &FolderWatch::changed, this, &MainWindow::onFolderChanged);
    connect(m_form.changeFolder, &QPushButton::clicked, this, &MainWindow::onChangeFolder);
    connect(new QShortcut(QKeySequence::Open, this), &QShortcut::activated, this,
            &MainWindow::onChangeFolder);
    connect(m_form.increase, &ClickableLabel::clicked, this, &MainWindow::onIncrease);
    connect(m_form.decrease, &ClickableLabel::clicked, this, &MainWindow::onDecrease);
}

void MainWindow::onLoad() {
    m_table.reset();
    m_unmodified = m_table;
    m_form.showTable(m_table);
    m_form.markSelected(m_table.selected());
    watchFolder();
    runGuarded([this] { fillFileList(); });
    m_form.fields.front()->setFocus();
}

void MainWindow::fillFileList() {
    m_form.fileList->setNames(m_store.listProfiles());
}

bool MainWindow::watchFolder() {
    const bool present = m_folderWatch.watch(m_store.folder());
    m_form.folderLine->setFolder(shownPath(m_store.folder()), present);
    return present;
}

void MainWindow::onFolderChanged() {
    if (m_reporting) {
        m_folderChangedMeanwhile = true;
        return;
    }
    const bool present = watchFolder();
    try {
        m_form.fileList->setNames(present ? m_store.listProfiles() : std::vector<std::string>());
    } catch (const platform::RuntimeError&) {
        m_form.fileList->setNames({});  // a folder one may enter but not list
    }
}

// What the fields and the slot box do not take, the window does: a file or
// folder dropped on a caption, a button or the window's background.
void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    TextBox::takeDrop(event);
}

void MainWindow::dropEvent(QDropEvent* event) {
    if (const std::filesystem::path path = TextBox::takeDrop(event); !path.empty()) {
        openLocation(path);
    }
}

// All or nothing: the profile is read and the folder listed before
// anything changes, so a failure of either leaves the editor as it was.
void MainWindow::openLocation(const std::filesystem::path& path) {
    runGuarded([this, &path] {
        const auto location = offsets::ProfileLocation::resolve(path);
        ProfileStore store(location.folder);
        offsets::OffsetTable table = m_table;
        if (!location.profile.empty()) {
            store.readProfile(location.profile, table);
        }
        std::vector<std::string> names = store.listProfiles();
        m_table = std::move(table);
        if (!location.profile.empty()) {
            showSlotOf(location.profile);
        }
        m_store = std::move(store);
        m_form.fileList->setNames(std::move(names));
        watchFolder();
        if (!location.profile.empty()) {
            showProfile(location.profile);
        }
    });
}

void MainWindow::onChangeFolder() {
    const std::filesystem::path chosen = m_chooseFolder(this, m_store.folder());
    if (!chosen.empty()) {
        openLocation(chosen);
    }
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
        const std::string slot = nameBytes(m_form.slotBox->text());
        m_store.saveProfile(m_table, slot);
        fillFileList();
        showProfile(ProfileStore::profileFileName(slot));
    });
}

void MainWindow::onRead() {
    const std::string name = m_form.fileList->selectedName();
    if (!name.empty()) {
        runGuarded([this, &name] {
            m_store.readProfile(name, m_table);
            showSlotOf(name);
            showProfile(name);
        });
    }
}

// A slot from a name that is not UTF-8 shows its stray bytes as \xHH, which
// Save turns back into those bytes.
void MainWindow::showSlotOf(const std::string& name) {
    m_form.slotBox->setText(shownText(ProfileStore::slotFromFileName(name)));
}

void MainWindow::showProfile(const std::string& name) {
    m_unmodified = m_table;
    setWindowTitle(shownText(name) + QStringLiteral("[*] - ") + QString::fromLatin1(caption));
    m_form.fileList->selectName(name);
}

// The mark only tells: nothing asks before closing or reading.
void MainWindow::showModified() {
    setWindowModified(!m_table.sameValues(m_unmodified));
}

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    connect(windowHandle(), &QWindow::screenChanged, this, &MainWindow::fitToScreen,
            Qt::UniqueConnection);
    fitToScreen();
}

void MainWindow::fitToScreen() {
    m_form.fitToScreen(this);
}

// Whatever the operation did before failing is shown. Any exception is a
// report, never the end of the program: one from a library the editor
// calls is reported as an internal error, with what it said.
void MainWindow::runGuarded(const std::function<void()>& operation) {
    using platform::ErrorCode;
    using platform::RuntimeError;
    try {
        operation();
        m_form.showTable(m_table);
    } catch (const RuntimeError& error) {
        report(error);
    } catch (const std::bad_alloc&) {
        report(RuntimeError(ErrorCode::OutOfMemory));
    } catch (const std::exception& error) {
        report(RuntimeError(ErrorCode::InternalError, error.what()));
    }
    showModified();
}

// One report at a time: what the folder watch hears while it is open is
// shown once it is closed.
void MainWindow::report(const platform::RuntimeError& error) {
    m_form.showTable(m_table);
    m_reporting = true;
    ErrorReport::show(this, QString::fromLatin1(caption), error);
    m_reporting = false;
    if (m_folderChangedMeanwhile) {
        m_folderChangedMeanwhile = false;
        onFolderChanged();
    }
}

}  // namespace zelvane::editor
