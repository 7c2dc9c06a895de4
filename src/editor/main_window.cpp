#include "main_window.h"

#include <QApplication>
#include <QDropEvent>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QShortcut>
#include <QToolButton>
#include <QWindow>

#include "editor/error_report.h"
#include "editor/folder_line.h"
#include "editor/help_window.h"
#include "editor/offset_field.h"
#include "editor/profile_list.h"
#include "editor/shown_text.h"
#include "offsets/profile_location.h"
#include "platform/file_name.h"

namespace zelvane::editor {

using offsets::DiskState;
using offsets::DocumentChanges;

namespace {

// The platform's own folder chooser (the native one on Windows), made only
// when asked for, so that start-up does not pay for it.
QString chooseWithDialog(QWidget* parent, const QString& start) {
    return QFileDialog::getExistingDirectory(parent, QStringLiteral("Change folder"), start);
}

// What the platform puts between a window's title and the program's name.
QString titleSeparator() {
#ifdef _WIN32
    return QStringLiteral(" - ");
#else
    return QString::fromUtf8(" \u2014 ");
#endif
}

void reportInBox(QWidget* window, const platform::RuntimeError& error) {
    ErrorReport::show(window, QString::fromLatin1(MainWindow::caption), error);
}

// Undo or Redo, enabled while there is something to take back or bring
// again, naming it and its key, and where to learn what a change is.
void describeHistoryButton(QPushButton* button, const QString& verb, const std::string& change,
                           QKeySequence::StandardKey key) {
    button->setEnabled(!change.empty());
    const QString what = change.empty() ? verb : verb + QLatin1Char(' ') + shownText(change);
    button->setAccessibleName(what);
    button->setToolTip(QStringLiteral("%1 (%2)\n%3")
                           .arg(what, QKeySequence(key).toString(QKeySequence::NativeText),
                                HelpWindow::pointer()));
}

}  // namespace

MainWindow::MainWindow(std::filesystem::path folder, QWidget* parent)
    : QWidget(parent),
      m_document(std::move(folder)),
      m_chooseFolder(chooseWithDialog),
      m_report(reportInBox) {
    setObjectName(QStringLiteral("Form1"));
    setAcceptDrops(true);
    m_form.setupUi(this);
    connectForm();
    // The folder's watch (a thread of its own) is not needed for the first
    // frame: armed after it, with a look at the folder, it misses nothing
    // that changed meanwhile.
    connect(
        this, &MainWindow::firstFrameShown, this, [this] { onFolderChanged(watchFolder()); },
        Qt::QueuedConnection);
    // Whatever takes the focus, by Tab, a click or a shortcut, shows whole.
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { m_form.scrollIntoView(now); });
    onLoad();
    fitToScreen();
}

void MainWindow::connectForm() {
    connectFields();
    connectProfiles();
    connectFoot();
}

// The sixty fields, the slot box, and Increase and Decrease.
void MainWindow::connectFields() {
    for (OffsetField* field : m_form.fields) {
        connect(field, &OffsetField::edited, this, &MainWindow::onFieldEdited);
        connect(field, &OffsetField::pasted, this, &MainWindow::onFieldPasted);
        connect(field, &OffsetField::selected, this, &MainWindow::onFieldClick);
        connect(field, &OffsetField::stepRequested, this, &MainWindow::onFieldStep);
        connect(field, &TextBox::pathDropped, this, &MainWindow::openLocation);
        connect(field, &TextBox::menuShown, this, &MainWindow::putHistoryIn);
    }
    connect(m_form.slotBox, &TextBox::menuShown, this, &MainWindow::putHistoryIn);
    connect(m_form.slotBox, &QLineEdit::textChanged, this,
            [this](const QString& text) { showChanges(m_document.setSlot(nameBytes(text))); });
    connect(m_form.slotBox, &TextBox::pathDropped, this, &MainWindow::openLocation);
    connect(m_form.increase, &QToolButton::clicked, this, &MainWindow::onIncrease);
    connect(m_form.decrease, &QToolButton::clicked, this, &MainWindow::onDecrease);
}

// Save and Read, the list, and the folder's watch.
void MainWindow::connectProfiles() {
    // Enter in the slot box saves, as the Save button and Ctrl+S do.
    connect(m_form.slotBox, &QLineEdit::returnPressed, this, &MainWindow::onSave);
    connect(m_form.save, &QPushButton::clicked, this, &MainWindow::onSave);
    connect(windowKey(QKeySequence::Save), &QShortcut::activated, this, &MainWindow::onSave);
    connect(m_form.read, &QPushButton::clicked, this, &MainWindow::onRead);
    // A double-click or Enter on a profile reads it, as Read does, also the
    // one the keyboard rests on that is not yet selected.
    connect(m_form.fileList, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        m_form.fileList->setCurrentItem(item);
        onRead();
    });
    connect(&m_folderWatch, &FolderWatch::changed, this, &MainWindow::onFolderChanged);
}

// Change folder, Undo and Redo, each with its keys from anywhere in the
// window, the help's key, and the keys that close it.
void MainWindow::connectFoot() {
    const auto withKeys = [this](QPushButton* button, QKeySequence::StandardKey keys,
                                 void (MainWindow::*handler)()) {
        connect(button, &QPushButton::clicked, this, handler);
        connect(windowKey(keys), &QShortcut::activated, this, handler);
    };
    withKeys(m_form.changeFolder, QKeySequence::Open, &MainWindow::onChangeFolder);
    withKeys(m_form.undo, QKeySequence::Undo, &MainWindow::onUndo);
    withKeys(m_form.redo, QKeySequence::Redo, &MainWindow::onRedo);
    connect(new QShortcut(QKeySequence::HelpContents, this), &QShortcut::activated, this,
            &MainWindow::onHelp);
    // Ctrl+Q and the desktop's Close keys (Ctrl+W) close the window as its
    // close button does, asking nothing. Ctrl+Q is the Quit key everywhere
    // but on Windows, which names none; it is bound outright so that it
    // works there too (Command+Q on a Mac).
    connect(windowKey(QKeySequence(Qt::CTRL | Qt::Key_Q)), &QShortcut::activated, this,
            &QWidget::close);
    connect(new QShortcut(QKeySequence::Close, this), &QShortcut::activated, this, &QWidget::close);
}

// A key of the window's that works in its help too, which stays open
// beside it while the person tunes; a modal dialog still holds it back.
QShortcut* MainWindow::windowKey(const QKeySequence& keys) {
    auto* shortcut = new QShortcut(keys, this);
    shortcut->setContext(Qt::ApplicationShortcut);
    return shortcut;
}

void MainWindow::onLoad() {
    m_form.showDocument(m_document);
    showTitle();
    showHistory();
    m_form.folderLine->setFolder(shownPath(m_document.store().folder()), true);
    runGuarded([this] {
        m_form.fileList->setNames(m_document.store().listProfiles());
        return DocumentChanges{};
    });
    m_form.fields.front()->setFocus();
}

bool MainWindow::watchFolder() {
    const std::filesystem::path& folder = m_document.store().folder();
    const std::string& profile = m_document.profile();
    const bool present =
        m_folderWatch.watch(folder, profile.empty() ? std::filesystem::path()
                                                    : folder / platform::pathFromUtf8(profile));
    m_form.folderLine->setFolder(shownPath(folder), present);
    return present;
}

void MainWindow::onFolderChanged(bool present) {
    m_form.folderLine->setFolder(shownPath(m_document.store().folder()), present);
    listFolder(present);
    showChanges(m_document.takeDiskChanges());
}

void MainWindow::listFolder(bool present) {
    try {
        m_form.fileList->setNames(present ? m_document.store().listProfiles()
                                          : std::vector<std::string>());
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

// The new folder is watched before it is listed, so that a change between
// the two is heard; a folder that cannot be opened watches the old one
// again. A profile that cannot be read is reported once the editor works
// in its folder.
void MainWindow::openLocation(const std::filesystem::path& path) {
    runGuarded([this, &path] {
        const auto location = offsets::ProfileLocation::resolve(path);
        m_folderWatch.watch(location.folder);
        offsets::ProfileDocument::Opened opened;
        try {
            opened = m_document.open(location);
        } catch (...) {
            watchFolder();
            throw;
        }
        m_form.fileList->setNames(std::move(opened.names));
        opened.changes.folder = false;  // listed already
        opened.changes.profile = true;  // the folder line and the watch follow
        if (opened.unread) {
            showChanges(opened.changes);
            throw *opened.unread;
        }
        return opened.changes;
    });
}

void MainWindow::openAtStart(const std::filesystem::path& path) {
    openLocation(path);
    m_document.forgetHistory();
    showHistory();
}

void MainWindow::onChangeFolder() {
    const QString chosen = m_chooseFolder(this, qtPath(m_document.store().folder()));
    if (!chosen.isEmpty()) {
        openLocation(pathFromQt(chosen));
    }
}

// Text set whole (a screen reader's) may be more values than fields left,
// which is refused as a paste of them is.
void MainWindow::onFieldEdited(int index, const QString& text) {
    runGuarded([this, index, &text] { return m_document.type(index, text.toStdString()); });
}

// Typing goes on at the end of the field pasted into, as after any paste.
void MainWindow::onFieldPasted(int index, const QString& text) {
    if (runGuarded([this, index, &text] { return m_document.paste(index, text.toStdString()); })) {
        m_form.fields.at(index)->end(false);
    }
}

void MainWindow::onFieldClick(int index) {
    showChanges(m_document.select(index));
}

// The stepped value shows selected, as a spin box's does: typing replaces
// it, and the arrows step on.
void MainWindow::onFieldStep(int index, double delta) {
    if (runGuarded([this, index, delta] { return m_document.step(index, delta); })) {
        m_form.fields.at(index)->selectAll();
    }
}

namespace {

// Increase and Decrease step by one, or by a tenth while Shift is held.
double buttonStep() {
    return QGuiApplication::keyboardModifiers() == Qt::ShiftModifier ? OffsetField::fineStep : 1;
}

}  // namespace

void MainWindow::onIncrease() {
    onFieldStep(m_document.table().selected(), buttonStep());
}

void MainWindow::onDecrease() {
    onFieldStep(m_document.table().selected(), -buttonStep());
}

// A saved profile shows in the list at once, selected; a failed save
// leaves the list.
void MainWindow::onSave() {
    runGuarded([this] {
        DocumentChanges changes = m_document.save();
        m_form.fileList->setNames(m_document.store().listProfiles());
        changes.profile = true;
        return changes;
    });
}

// A Read that fails leaves the list on the profile the fields hold.
void MainWindow::onRead() {
    const std::string name = m_form.fileList->selectedName();
    if (!name.empty() && !runGuarded([this, &name] { return m_document.read(name); })) {
        m_form.fileList->selectName(m_document.profile());
    }
}

void MainWindow::onUndo() {
    runGuarded([this] { return m_document.undo(); });
    continueInSelected();
}

void MainWindow::onRedo() {
    runGuarded([this] { return m_document.redo(); });
    continueInSelected();
}

void MainWindow::onHelp() {
    if (m_help == nullptr) {
        m_help = new HelpWindow(this);
    }
    m_help->showBeside(this);
}

// After Undo or Redo, typing goes on at the end of the field they selected,
// when the person is typing in the fields.
void MainWindow::continueInSelected() {
    OffsetField* field = m_form.fields.at(m_document.table().selected());
    if (qobject_cast<OffsetField*>(focusWidget()) != nullptr) {
        field->setFocus();
    }
    field->end(false);
}

// A box's menu offers the window's Undo and Redo, named as the buttons
// are, never the box's own history.
void MainWindow::putHistoryIn(QMenu* menu) {
    const auto replace = [this, menu](TextBox::MenuAction which, const QPushButton* button,
                                      void (MainWindow::*handler)()) {
        if (QAction* action = TextBox::menuAction(*menu, which)) {
            disconnect(action, &QAction::triggered, nullptr, nullptr);
            action->setText(button->accessibleName());
            action->setEnabled(button->isEnabled());
            connect(action, &QAction::triggered, this, handler);
        }
    };
    replace(TextBox::MenuAction::Undo, m_form.undo, &MainWindow::onUndo);
    replace(TextBox::MenuAction::Redo, m_form.redo, &MainWindow::onRedo);
}

// An undo or redo that moved to another folder lists it; the field it
// changed, now selected, is scrolled into view.
void MainWindow::showChanges(const DocumentChanges& changes) {
    m_form.showDocument(m_document);
    if (changes.selection) {
        m_form.scrollIntoView(m_form.fields.at(m_document.table().selected()));
    }
    if (changes.profile || changes.folder) {
        const bool present = watchFolder();
        if (changes.folder) {
            listFolder(present);
        }
        m_form.fileList->selectName(m_document.profile());
    }
    showTitle();
    showHistory();
}

// The profile the fields hold (the window's file, for the platform), what
// the disk did to it, and the desktop's modified mark while the disk lacks
// what the fields hold; the platform adds the program's name (the
// application's display name) after its own separator. The name is spelled
// as the list spells it, stray bytes as \xHH, which the file path's own
// name would lose. The mark only tells: nothing asks before closing or
// reading.
void MainWindow::showTitle() {
    const std::string& profile = m_document.profile();
    setWindowFilePath(profile.empty()
                          ? QString()
                          : qtPath(m_document.store().folder() / platform::pathFromUtf8(profile)));
    const bool modified = m_document.isModified();
    // Changes to no profile are an untitled document's, never a bare mark.
    QString title = profile.empty() && modified ? QStringLiteral("Untitled") : shownText(profile);
    if (m_document.diskState() == DiskState::Changed) {
        title += QStringLiteral(" (changed on disk)");
    } else if (m_document.diskState() == DiskState::Deleted) {
        title += QStringLiteral(" (deleted)");
    }
    setWindowTitle(title + QStringLiteral("[*]"));
    setWindowModified(modified);
    // A screen reader names the window as the desktop's title bar does.
    const QString shown = title + (modified ? QStringLiteral("*") : QString());
    setAccessibleName(shown.isEmpty()
                          ? QGuiApplication::applicationDisplayName()
                          : shown + titleSeparator() + QGuiApplication::applicationDisplayName());
}

void MainWindow::showHistory() {
    describeHistoryButton(m_form.undo, QStringLiteral("Undo"), m_document.undoName(),
                          QKeySequence::Undo);
    describeHistoryButton(m_form.redo, QStringLiteral("Redo"), m_document.redoName(),
                          QKeySequence::Redo);
}

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    connect(windowHandle(), &QWindow::screenChanged, this, &MainWindow::fitToScreen,
            Qt::UniqueConnection);
    if (!m_shown) {
        windowHandle()->installEventFilter(this);
    }
    fitToScreen();
}

// The first expose of the native window: its first frame is drawn.
bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (!m_shown && watched == windowHandle() && event->type() == QEvent::Expose &&
        windowHandle()->isExposed()) {
        m_shown = true;
        windowHandle()->removeEventFilter(this);
        Q_EMIT firstFrameShown();
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::fitToScreen() {
    m_form.fitToScreen(this);
}

// Any exception is a report, never the end of the program: one from a
// library the editor calls is reported as an internal error, with what it
// said. A failed operation changed nothing but, for a step, the selection,
// which is shown.
bool MainWindow::runGuarded(const std::function<DocumentChanges()>& operation) {
    using platform::ErrorCode;
    using platform::RuntimeError;
    try {
        showChanges(operation());
        return true;
    } catch (const RuntimeError& error) {
        report(error);
    } catch (const std::bad_alloc&) {
        report(RuntimeError(ErrorCode::OutOfMemory));
    } catch (const std::exception& error) {
        report(RuntimeError(ErrorCode::InternalError, error.what()));
    }
    return false;
}

void MainWindow::report(const platform::RuntimeError& error) {
    // A held Increase or Decrease stops repeating what failed.
    m_form.increase->setDown(false);
    m_form.decrease->setDown(false);
    showChanges(DocumentChanges{});
    m_report(this, error);
}

}  // namespace zelvane::editor
