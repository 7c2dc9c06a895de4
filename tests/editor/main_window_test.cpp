#include "editor/main_window.h"

#include <QtTest>
#include <QtWidgets>
#include <functional>
#include <memory>

#include "editor/error_report.h"
#include "editor/folder_line.h"
#include "editor/folder_watch.h"
#include "editor/form_layout.h"
#include "editor/offset_field.h"
#include "editor/profile_list.h"
#include "support/profile_files.h"

using zelvane::editor::EditorForm;
using zelvane::editor::FormLayout;
using zelvane::editor::MainWindow;
using Step = std::function<void()>;
using zelvane::testing::lines;

// Drives the real window as a person would, with mouse clicks and key
// presses, on a fresh folder per test (and per row), and checks saved
// profiles on disk.
class MainWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_directory;
    std::unique_ptr<MainWindow> m_window;
    QStringList m_reports;  // made, not yet taken by a step

    // Every report is kept: a step that expects one takes it, one that no
    // step took fails the test.
    void makeWindow(const std::filesystem::path& folder) {
        m_window = std::make_unique<MainWindow>(folder);
        m_window->setReporter([this](QWidget*, const zelvane::platform::RuntimeError& error) {
            m_reports << zelvane::editor::ErrorReport::text(error);
        });
    }

    void openWindow(const QString& folder = {}) {
        makeWindow(fsPath(folder));
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    const EditorForm& form() const { return m_window->form(); }
    QLineEdit* field(int i) const { return form().fields.at(i); }
    QLineEdit* slotBox() const { return form().slotBox; }
    static void click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }

    static void typeInto(QLineEdit* box, const QString& text) {
        click(box);
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box, text);
    }

    // The field's own menu, as a right click or the menu key opens it.
    static QMenu* menuOf(QWidget* box) {
        QContextMenuEvent asked(QContextMenuEvent::Keyboard, QPoint(1, 1), QPoint(1, 1));
        QApplication::sendEvent(box, &asked);
        return qobject_cast<QMenu*>(QApplication::activePopupWidget());
    }

    void select(const QString& item) const {
        form().fileList->setCurrentItem(
            form().fileList->findItems(item, Qt::MatchExactly).value(0));
    }

    // The fields, the slot box, then the list with its selected item starred.
    QStringList texts() const {
        QStringList shown;
        for (const QLineEdit* box : form().fields) {
            shown << box->text();
        }
        shown << slotBox()->text();
        for (const QListWidgetItem* item : form().fileList->findItems({}, Qt::MatchStartsWith)) {
            shown << item->text() + (item->isSelected() ? "*" : "");
        }
        return shown;
    }

    // Paths as the window shows them: with the system's own separators.
    QString path(const QString& name = {}) const {
        return QDir::toNativeSeparators(QDir::cleanPath(m_directory->filePath("w/" + name)));
    }

    std::filesystem::path fsPath(const QString& name) const { return path(name).toStdU16String(); }

    // A drag from a file manager, let go over the target.
    static void drop(QWidget* target, const QList<QUrl>& urls) {
        QMimeData data;
        data.setUrls(urls);
        data.setText(QStringLiteral("typed"));
        QDragEnterEvent enter({5, 5}, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(target, &enter);
        QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(target, &dropped);
    }

    void writeFile(const QString& name, const std::string& bytes) const {
        zelvane::testing::writeBytes(fsPath(name), bytes);
    }

  private Q_SLOTS:
    // Each test works in a folder of its own, whose parent (watched too, to
    // hear the folder renamed away) no other program changes.
    void init() {
        m_directory = std::make_unique<QTemporaryDir>();
        QDir(m_directory->path()).mkdir("w");
    }

    void cleanup() {
        m_window.reset();
        m_directory.reset();
        QVERIFY2(m_reports.isEmpty(), qPrintable(m_reports.join(", ")));
        m_reports.clear();
    }

    // A field clicked and stepped, saved under a slot, a listed profile read
    // with Enter, as a double-click does: a field the program fills shows its
    // value's start; a changed value's tooltip names its field and what it was.
    void walksTheTypicalRoad() {
        writeFile("VC_OFFSET_07.MPF", lines("7", 60));
        openWindow();
        QCOMPARE(texts(), (QStringList(60, "0") + QStringList{"00", "VC_OFFSET_07.MPF"}));
        QCOMPARE(m_window->focusWidget(), field(0));
        click(form().decrease);  // field 0 is selected before any click
        click(field(4));
        click(form().increase);
        click(form().increase);
        click(form().increase);
        QCOMPARE(field(4)->toolTip(), "Front Y: 3 (changed, was 0)");
        typeInto(slotBox(), "05");
        QTest::keyClick(slotBox(), Qt::Key_Return);
        QCOMPARE(zelvane::testing::readBytes(fsPath("vc_offset_05.mpf")),
                 lines("-1", 1) + lines("0", 3) + lines("3", 1) + lines("0", 55));
        select("VC_OFFSET_07.MPF");
        QTest::keyClick(form().fileList, Qt::Key_Return);
        QCOMPARE(texts(), (QStringList(60, "7") +
                           QStringList{"07", "vc_offset_05.mpf", "VC_OFFSET_07.MPF*"}));
        QCOMPARE(field(0)->cursorPosition(), 0);
        QTest::keyClick(field(3), Qt::Key_Q, Qt::ControlModifier);
        QVERIFY(!m_window->isVisible());
    }

    // Each way of changing a value changes the one meant, by what it is
    // meant to, in the document Save writes from: the keys by 1, 10 and
    // a tenth; assistive technology as a click and typing do; a paste of
    // any length.
    void changesTheValueMeant_data() {
        QTest::addColumn<Step>("act");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("value");
        QTest::addRow("Up, Page Up, Shift+Down") << Step([this] {
            QTest::keyClick(field(10), Qt::Key_Up);
            QTest::keyClick(field(10), Qt::Key_PageUp);
            QTest::keyClick(field(10), Qt::Key_Down, Qt::ShiftModifier);
        }) << 10 << "10.9";
        QTest::addRow("Down, then Increase pressed by assistive technology") << Step([this] {
            QTest::keyClick(field(11), Qt::Key_Down);
            QTest::keyClick(field(11), Qt::Key_Down);
            QAccessible::queryAccessibleInterface(form().increase)
                ->actionInterface()
                ->doAction(QAccessibleActionInterface::pressAction());
        }) << 11 << "-1";
        QTest::addRow("set by assistive technology") << Step([this] {
            QAccessible::queryAccessibleInterface(field(12))->editableTextInterface()->replaceText(
                0, 1, "5");
        }) << 12 << "5";
        QTest::addRow("70,000 characters pasted") << Step([this] {
            QApplication::clipboard()->setText(QString(70000, '7'));
            typeInto(field(31), "");
            QTest::keyClick(field(31), Qt::Key_V, Qt::ControlModifier);
        }) << 31 << QString(70000, '7');
        // Last: a click leaves Shift held for what the test does next.
        QTest::addRow("Shift+Increase after Down") << Step([this] {
            QTest::keyClick(field(10), Qt::Key_Down);
            QTest::mouseClick(form().increase, Qt::LeftButton, Qt::ShiftModifier);
        }) << 10 << "-0.9";
    }

    void changesTheValueMeant() {
        QFETCH(Step, act);
        QFETCH(int, index);
        QFETCH(QString, value);
        openWindow();
        act();
        QCOMPARE(m_window->document().table().value(index), value.toStdString());
    }

    // Increase steps the field last clicked or stepped, though the focus
    // moved on; that field is tinted, and described so to assistive
    // technology; the focus stays where the person was.
    void marksTheFieldTheStepsActOn() {
        openWindow();
        click(field(57));
        QTest::keyClick(field(57), Qt::Key_Tab);
        click(form().increase);
        QCOMPARE(m_window->document().table().value(57), "1");
        QCOMPARE(m_window->focusWidget(), field(58));
        QVERIFY(!field(57)->accessibleDescription().isEmpty());
        QVERIFY(field(57)->palette().color(QPalette::Base) !=
                field(58)->palette().color(QPalette::Base));
        QTest::keyClick(field(10), Qt::Key_Up);
        QCOMPARE(field(57)->palette(), field(58)->palette());
    }

    // Text of several values pasted into a field, wherever its cursor
    // stands, replaces whole values: a column down the profile's order, a
    // block across the grid as it stands; too much is refused whole.
    void pastesWholeValues_data() {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QStringList>("shown");  // Front X, Y, Z, Front left X
        QTest::addColumn<QString>("report");
        QTest::addRow("a column") << "1\r\n2\r\n3" << QStringList{"1", "2", "3", "0"} << "";
        QTest::addRow("one cell, from the field's menu") << "5\n"
                                                         << QStringList{"5", "0", "0", "0"} << "";
        QTest::addRow("a block") << "1.5\t2.5\n3\t4\n" << QStringList{"1.5", "2.5", "0", "3"} << "";
        QTest::addRow("a value where the grid has no field")
            << QString("0\t0\n").repeated(17) + "0\t7" << QStringList{"-12.5", "0", "0", "0"}
            << "a value where the grid has no field, under Y in the row Rear 180 up angle";
        QTest::addRow("too many cells") << "1\t2\t3\t4" << QStringList{"-12.5", "0", "0", "0"}
                                        << "the pasted text holds 1 row of up to 4 cells, and from "
                                           "Front X on the grid has 21 rows and 3 columns";
    }

    void pastesWholeValues() {
        QFETCH(QString, pasted);
        QFETCH(QStringList, shown);
        QFETCH(QString, report);
        openWindow();
        typeInto(field(3), "-12.5");
        QTest::keyClick(field(3), Qt::Key_Left);
        QApplication::clipboard()->setText(pasted);
        // One row pastes through the field's menu, the others with Ctrl+V.
        if (QTest::currentDataTag() == QStringLiteral("one cell, from the field's menu")) {
            QMenu* menu = menuOf(field(3));
            for (QAction* action : menu->actions()) {
                if (action->text().startsWith("&Paste")) {
                    action->trigger();
                }
            }
            menu->close();
        } else {
            QTest::keyClick(field(3), Qt::Key_V, Qt::ControlModifier);
        }
        QCOMPARE(texts().mid(3, 4), shown);
        // Typing goes on at the end of the field pasted into.
        QCOMPARE(field(3)->cursorPosition(), report.isEmpty() ? field(3)->text().size() : 4);
        QVERIFY(m_reports.value(0).contains(report));
        m_reports.clear();
    }

    // A stepped value shows selected, so typing replaces it; after Undo,
    // typing goes on at the field's end; the field's menu undoes as the
    // window does, named as its button is.
    void keepsTheCursorWhereTheHandExpects() {
        openWindow();
        typeInto(field(4), "25");
        QTest::keyClick(field(4), Qt::Key_Up);
        QTest::keyClicks(field(4), "7");
        QCOMPARE(field(4)->text(), "7");
        QTest::keySequence(field(4), QKeySequence::Undo);
        QTest::keyClicks(field(4), "0");
        QCOMPARE(field(4)->text(), "260");
        QMenu* menu = menuOf(field(4));
        QAction* undo = menu->actions().value(0);
        QCOMPARE(undo->text(), "Undo typing in Front Y");
        undo->trigger();
        menu->close();
        QCOMPARE(field(4)->text(), "26");
    }

    // Every failure is reported by its number, its standard words and what
    // it is about, and changes nothing the window shows; a held Decrease
    // stops repeating what failed.
    void reportsEachFailureByItsSubject_data() {
        QTest::addColumn<Step>("prepare");
        QTest::addColumn<Step>("act");
        QTest::addColumn<QString>("report");
        QTest::addRow("not a number, Decrease held")
            << Step([this] { typeInto(field(4), "abc"); })
            << Step([this] { QTest::mousePress(form().decrease, Qt::LeftButton); })
            << "13':\n\nType mismatch: Front Y holds \"abc\", which is not a number: use digits, a "
               "sign and a point";
        QTest::addRow("minus sign from a word processor")
            << Step([this] { field(4)->setText("\u22125"); })
            << Step([this] { click(form().save); })
            << "5':\n\nInvalid procedure call or argument: the value of Front Y holds U+2212 MINUS "
               "SIGN \"\u2212\", a character beyond Latin-1";
        QTest::addRow("slot with a NUL")
            << Step([this] { slotBox()->setText(QString::fromUtf8("a\0b", 3)); })
            << Step([this] { click(form().save); })
            << "52':\n\nBad file name or number: the slot \"a\\x00b\" cannot be part of a file "
               "name: a control character is not allowed";
        QTest::addRow("not a profile")
            << Step([] {}) << Step([this] { m_window->openLocation(fsPath("README.md")); })
            << "52':\n\nBad file name or number: {dir}/README.md is not a profile";
    }

    void reportsEachFailureByItsSubject() {
        QFETCH(Step, prepare);
        QFETCH(Step, act);
        QFETCH(QString, report);
        writeFile("README.md", lines("x", 60));
        openWindow();
        prepare();
        QStringList before = texts();
        act();
        // A report is compared as far as its row spells it.
        const QString expected =
            "Run-time error '" + report.replace("{dir}/", path() + QDir::separator());
        QTRY_COMPARE(m_reports.value(0).left(expected.size()), expected);
        m_reports.clear();
        QVERIFY(!form().decrease->isDown());  // a held step stops at its failure
        QCOMPARE(texts().replaceInStrings("*", ""), before.replaceInStrings("*", ""));
    }

    // F1 opens the help, made only then, from wherever the focus is, and
    // leaves the window free to use; Escape closes it.
    void opensItsHelpWithF1() {
        openWindow();
        QVERIFY(m_window->findChild<QDialog*>("Help") == nullptr);
        QTest::keyClick(field(7), Qt::Key_F1);
        auto* help = m_window->findChild<QDialog*>("Help");
        QVERIFY(help->isVisible());
        QVERIFY(!help->isModal());
        auto* text = help->findChild<QTextBrowser*>();
        QVERIFY(text->toPlainText().contains("Page Up / Page Down"));
        QTest::keyClick(text, Qt::Key_Escape);
        QVERIFY(!help->isVisible());
    }

    // The list shows what the folder holds while the editor runs: a save
    // lists its profile at once, selected; other programs' files appear
    // and vanish. Renamed away, the folder empties the list and its line
    // says so, with no report; made again, the list follows it again.
    void keepsTheListTrue() {
        writeFile("vc_offset_12.mpf", "");
        openWindow();
        typeInto(slotBox(), "08");
        QTest::keyClick(field(0), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(texts().mid(61), (QStringList{"vc_offset_08.mpf*", "vc_offset_12.mpf"}));
        for (int i = 0; i < 1000; ++i) {
            writeFile(QStringLiteral("vc_offset_%1.mpf").arg(i, 3, 10, QChar('0')), "");
        }
        QFile::remove(path("vc_offset_12.mpf"));
        QTRY_COMPARE_WITH_TIMEOUT(form().fileList->count(), 1001, 10000);
        QVERIFY(QDir().rename(path(), path() + "-gone"));
        QTRY_COMPARE(form().fileList->count(), 0);
        QCOMPARE(form().folderLine->toolTip(), path() + " (no longer there)");
        QVERIFY(QDir().mkdir(path()));
        writeFile("vc_offset_02.mpf", "");
        QTRY_COMPARE(texts().mid(61), QStringList{"vc_offset_02.mpf"});
    }

    // A profile dropped on the window is opened as if given on the command
    // line, and the folder line follows, naming it plainly; Undo goes back
    // to the folder before, listed again; several items, or a link that is
    // no local file, change nothing.
    void opensWhatIsDroppedAndShowsTheFolder() {
        QDir().mkdir(path("sub dir"));
        writeFile("sub dir/vc_offset_42.mpf", lines("4", 60));
        writeFile("vc_offset_13.mpf", lines("1", 3));
        openWindow();
        const QStringList before = texts();
        drop(field(3), {QUrl::fromLocalFile(path("sub dir")), QUrl::fromLocalFile(path("x"))});
        drop(m_window.get(), {QUrl(QStringLiteral("https://example.invalid/vc_offset_42.mpf"))});
        QCOMPARE(texts(), before);
        drop(field(3), {QUrl::fromLocalFile(path("sub dir/vc_offset_42.mpf"))});
        QCOMPARE(texts(), (QStringList(60, "4") + QStringList{"42", "vc_offset_42.mpf*"}));
        QCOMPARE(form().folderLine->toolTip(), path("sub dir"));
        QCOMPARE(form().folderLine->text().right(7), "sub dir");  // its middle may go
        click(form().undo);  // back in the first folder, listed
        QCOMPARE(texts(), before);
        // One not made yet puts its slot in the box, for Save to make it.
        drop(field(3), {QUrl::fromLocalFile(path("sub dir/vc_offset_43.mpf"))});
        QCOMPARE(slotBox()->text(), "43");
        // One cut short is reported, in its folder.
        drop(m_window.get(), {QUrl::fromLocalFile(path("vc_offset_13.mpf"))});
        QVERIFY(m_reports.value(0).contains("Input past end of file: vc_offset_13.mpf"));
        m_reports.clear();
        QCOMPARE(form().folderLine->toolTip(), path());
    }

    // What a person sees of the form: its size, fields level with their row's caption and under
    // their axis's heading, and Tab walking the fields, then the slot box, Save, the list and Read.
    void keepsTheFormsShapeAndFocusOrder() {
        openWindow();
        const auto px = [dpi = m_window->logicalDpiX()](int twips) {
            return FormLayout::toPixels(twips, dpi);
        };
        QCOMPARE(m_window->size(),
                 QSize(px(FormLayout::clientWidth), px(FormLayout::clientHeight)));
        QVERIFY(!form().scrollArea->horizontalScrollBar()->isVisible());
        QVERIFY(!form().scrollArea->verticalScrollBar()->isVisible());
        QHash<QString, QPoint> centreOf;  // of each caption and heading
        for (const QLabel* label : form().canvas->findChildren<QLabel*>()) {
            centreOf[label->text()] = label->geometry().center();
        }
        // Rows stand 390 twips apart; the fields of "Mouse view" and
        // "Instrument" sit 30 twips below their captions.
        QCOMPARE(field(3)->y() - field(0)->y(), px(390));
        QStringList order;
        for (const QLineEdit* box : form().fields) {
            order << box->objectName();
            const QString name = box->accessibleName();
            const QString caption = name.section(' ', 0, -2);
            const int lower = caption == "Mouse view" || caption == "Instrument" ? px(30) : 0;
            const QPoint centre = box->geometry().center();
            QCOMPARE(centre.y() - centreOf[caption].y(), lower);
            QCOMPARE_LT(qAbs(centre.x() - centreOf[name.section(' ', -1)].x()), 9);
        }
        QStringList walked;
        for (QWidget* focus = field(0); walked.size() < 65; focus = m_window->focusWidget()) {
            walked << focus->objectName();
            QTest::keyClick(focus, Qt::Key_Tab);
        }
        QCOMPARE(walked,
                 order + QStringList({"Text2", "Command1", "File1", "Command2", "ChangeFolder"}));
        QCOMPARE(field(1)->cursorPosition(), 0);  // a field left shows its value's start
    }

    // On a screen smaller than the form, the window fits the screen and the
    // grid scrolls inside it, and each field Tab reaches shows whole; the
    // foot stays in sight below it, and the controls that step and keep the
    // last field stay in sight beside it. The laptop's screen is 640 pixels
    // high, as in the README's picture: low enough that the last row sits
    // where the foot would hide it.
    void fitsAScreenSmallerThanTheForm() {
        openWindow();
        m_window->windowHandle()->setScreen(QGuiApplication::screens().at(1));
        QCOMPARE_LT(m_window->height(), 640);
        for (QWidget* focus = field(0); focus != field(59); focus = m_window->focusWidget()) {
            QTest::keyClick(focus, Qt::Key_Tab);
            QCOMPARE(m_window->focusWidget()->visibleRegion().boundingRect(),
                     m_window->focusWidget()->rect());
        }
        QCOMPARE(form().foot->visibleRegion().boundingRect(), form().foot->rect());
        const QList<QWidget*> column{form().increase, form().decrease, form().slotBox,
                                     form().save,     form().read,     form().fileList};
        for (QWidget* control : column) {
            QVERIFY2(control->visibleRegion().boundingRect() == control->rect(),
                     qPrintable(control->objectName()));
        }
        // A click on the lowest field whole in view never moves the grid
        // under the mouse.
        QScrollBar* bar = form().scrollArea->verticalScrollBar();
        bar->setValue(0);
        QWidget* lowest = field(0);
        for (QWidget* box : form().fields) {
            lowest = box->visibleRegion().boundingRect() == box->rect() ? box : lowest;
        }
        click(lowest);
        QCOMPARE(bar->value(), 0);
    }

    // Change folder and Ctrl+O ask for a folder starting at the current
    // one, and work in the one chosen; a chooser cancelled changes nothing.
    // The title names the profile last read or saved, and is marked while
    // the table differs from it. A backslash is a name's own, where it is
    // no separator: a\xE9 is no escape.
    void changesFolderAndTitlesTheProfile() {
        const QString other = QDir::separator() == '/' ? "a\\xE9" : "other";
        QVERIFY(QDir().mkdir(path(other)));
        writeFile(other + "/vc_offset_05.mpf", lines("5", 60));
        writeFile(other + "/vc_offset_06.mpf", lines("6", 59));
        openWindow();
        bool chooses = false;  // or cancels; from the folder it starts at
        m_window->setFolderChooser([&](QWidget*, const QString& start) {
            return chooses ? start + "/" + other : QString();
        });
        QTest::keyClick(field(7), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(form().folderLine->toolTip(), path());
        chooses = true;
        click(form().changeFolder);
        QCOMPARE(texts().mid(61), (QStringList{"vc_offset_05.mpf", "vc_offset_06.mpf"}));
        QCOMPARE(m_window->windowTitle(), "[*]");
        typeInto(field(2), "1");
        // A screen reader hears the window by its title, the list by what it holds.
        QVERIFY(m_window->accessibleName().startsWith("Untitled* "));
        QCOMPARE(form().fileList->accessibleName(), "Profiles");
        click(form().save);
        select("vc_offset_05.mpf");
        click(form().read);
        QCOMPARE(m_window->windowTitle(), "vc_offset_05.mpf[*]");
        // A Read that fails leaves the list on the profile the fields hold.
        select("vc_offset_06.mpf");
        click(form().read);
        QCOMPARE(m_reports.size(), 1);
        m_reports.clear();
        QCOMPARE(texts().mid(61),
                 (QStringList{"vc_offset_00.mpf", "vc_offset_05.mpf*", "vc_offset_06.mpf"}));
        // The folder's watch hears another program: its write over edits,
        // then the profile removed.
        typeInto(field(2), "2");
        writeFile(other + "/vc_offset_05.mpf", lines("7", 60));
        QTRY_COMPARE(m_window->windowTitle(), "vc_offset_05.mpf (changed on disk)[*]");
        QFile::remove(path(other + "/vc_offset_05.mpf"));
        QTRY_COMPARE(m_window->windowTitle(), "vc_offset_05.mpf (deleted)[*]");
    }

    // The folder's watch says each change once, 150 ms after its first
    // event: a file made, the profile written in place, or replaced whole
    // (the watch then hears the file that took its place), then the profile
    // written in place; the folder removed is said to be gone.
    void watchesTheFolderAndItsProfile_data() {
        QTest::addColumn<Step>("change");
        QTest::addColumn<bool>("present");
        QTest::addRow("a file made") << Step([this] { writeFile("vc_offset_0.mpf", ""); }) << true;
        QTest::addRow("written in place") << Step([this] { writeFile("p", "1"); }) << true;
        QTest::addRow("replaced whole") << Step([this] {
            writeFile("q", "1");
            std::filesystem::rename(fsPath("q"), fsPath("p"));  // over it, on Windows too
        }) << true;
        QTest::addRow("folder removed")
            << Step([this] { QDir(path()).removeRecursively(); }) << false;
    }

    void watchesTheFolderAndItsProfile() {
        QFETCH(Step, change);
        QFETCH(bool, present);
        writeFile("p", "0");
        zelvane::editor::FolderWatch watch;
        watch.watch(fsPath({}), fsPath("p"));
        QSignalSpy said(&watch, &zelvane::editor::FolderWatch::changed);
        const Step then = [this] {
            writeFile("p", "2");
        };
        for (const Step& step : present ? QList<Step>{change, then} : QList<Step>{change}) {
            QElapsedTimer elapsed;
            elapsed.start();
            const qsizetype before = said.count();
            step();
            QTRY_COMPARE_WITH_TIMEOUT(said.count(), before + 1, 2000);
            QCOMPARE_GE(elapsed.elapsed(), 150);
            QCOMPARE(said.last().at(0).toBool(), present);
            QTest::qWait(200);  // for a second word on the same change, which must not come
            QCOMPARE(said.count(), before + 1);
        }
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
