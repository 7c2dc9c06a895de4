#include "editor/main_window.h"

#include <QtTest>
#include <QtWidgets>
#include <filesystem>
#include <fstream>
#include <memory>

using zelvane::editor::FormLayout;
using zelvane::editor::MainWindow;
using enum zelvane::editor::ControlAction;

// Drives the real window as a person would, with mouse clicks and key
// presses, on a fresh folder per test, and checks saved profiles on disk.
class MainWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_directory;
    std::unique_ptr<MainWindow> m_window;
    QTimer m_closer;
    QStringList m_reports;  // brought up and closed, not yet taken by a step

    void openWindow() {
        m_window = std::make_unique<MainWindow>(m_directory->path().toStdU16String());
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    QLineEdit* field(int i) const {
        return m_window->findChild<QLineEdit*>(QStringLiteral("Text1(%1)").arg(i));
    }
    QLineEdit* slotBox() const { return m_window->findChild<QLineEdit*>("Text2"); }
    QListWidget* fileList() const { return m_window->findChild<QListWidget*>("File1"); }
    void press(zelvane::editor::ControlAction action) { click(m_window->commandControl(action)); }
    static void click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }

    static void typeInto(QLineEdit* box, const QString& text) {
        click(box);
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box, text);
    }

    void select(const QString& item) {
        fileList()->setCurrentItem(fileList()->findItems(item, Qt::MatchExactly).value(0));
    }

    // The fields, the slot box, then the list with its selected item starred.
    QStringList texts() const {
        QStringList shown;
        for (int index = 0; index < 60; ++index) {
            shown << field(index)->text();
        }
        shown << slotBox()->text();
        for (const QListWidgetItem* item : fileList()->findItems({}, Qt::MatchStartsWith)) {
            shown << item->text() + (item->isSelected() ? "*" : "");
        }
        return shown;
    }

    static QByteArray lines(const QByteArray& value, int count) {
        return (value + "\r\n").repeated(count);
    }

    // Paths as the window shows them: with the system's own separators.
    QString path(const QString& name = {}) const {
        return QDir::toNativeSeparators(QDir::cleanPath(m_directory->filePath(name)));
    }

    void writeFile(const QString& name, const QByteArray& bytes) const {
        std::ofstream(std::filesystem::path(path(name).toStdU16String()), std::ios::binary)
            << bytes.toStdString();
    }

  private slots:
    // Every report is closed as a person would close it, and kept: a step
    // that expects one takes it, one that no step took fails the test. A
    // report must be titled and lettered like the window.
    void initTestCase() {
        connect(&m_closer, &QTimer::timeout, this, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                const bool likeTheWindow =
                    box->windowTitle() == MainWindow::caption && box->font() == m_window->font();
                m_reports << (likeTheWindow ? box->text() : "not like the window");
                box->accept();
            }
        });
        m_closer.start(10);
    }

    void init() { m_directory = std::make_unique<QTemporaryDir>(); }

    void cleanup() {
        m_window.reset();
        m_directory.reset();
        QVERIFY2(m_reports.isEmpty(), qPrintable(m_reports.join(", ")));
        m_reports.clear();
    }

    // A field is selected by a click, or by stepping it with Up or Down; the
    // captions never take the focus; the selected field is marked.
    void walksTheTypicalRoad() {
        writeFile("VC_OFFSET_07.MPF", lines("7", 60));
        openWindow();
        QCOMPARE(texts(), (QStringList(60, "0") + QStringList{"00", "VC_OFFSET_07.MPF"}));
        QCOMPARE(m_window->focusWidget(), field(0));
        press(Decrease);  // field 0 is selected before any click
        click(field(4));
        press(Increase), press(Increase), press(Increase);
        typeInto(slotBox(), "05");
        press(Save);
        QFile saved(path("vc_offset_05.mpf"));
        QVERIFY(saved.open(QIODevice::ReadOnly) &&
                saved.readAll() == lines("-1", 1) + lines("0", 3) + lines("3", 1) + lines("0", 55));
        select("VC_OFFSET_07.MPF");
        press(Read);
        QCOMPARE(texts(), (QStringList(60, "7") +
                           QStringList{"07", "vc_offset_05.mpf", "VC_OFFSET_07.MPF*"}));

        click(field(57));
        QTest::keyClick(field(57), Qt::Key_Tab);
        press(Increase);
        QCOMPARE(field(57)->text() + m_window->focusWidget()->objectName(), "8Text1(58)");
        QVERIFY(!field(57)->accessibleDescription().isEmpty());
        QVERIFY(field(57)->palette().color(QPalette::Base) !=
                field(58)->palette().color(QPalette::Base));
        QCOMPARE(field(4)->palette(), field(58)->palette());
        typeInto(field(10), "2.5");
        QTest::keyClick(field(10), Qt::Key_Up);
        QCOMPARE(field(10)->text() + m_window->focusWidget()->objectName(), "3.5Text1(10)");
        QTest::keyClick(field(11), Qt::Key_Down);
        // Assistive technology presses Increase and sets a field's text.
        QAccessible::queryAccessibleInterface(m_window->commandControl(Increase))
            ->actionInterface()
            ->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(field(11)->text(), QStringLiteral("7"));
        QAccessible::queryAccessibleInterface(field(12))->editableTextInterface()->replaceText(0, 1,
                                                                                               "5");
        QApplication::clipboard()->setText(QString(70000, '7'));  // typing has no length limit
        typeInto(field(31), "");
        QTest::keyClick(field(31), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(m_window->table().value(12) + m_window->table().value(31),
                 "5" + std::string(70000, '7'));
    }

    // Every failure is reported by its number, its classic words and what it
    // is about, and changes nothing the window shows.
    void reportsEachFailureByItsSubject() {
        writeFile("vc_offset_12.mpf", lines("9", 59));
        writeFile("README.md", lines("x", 60));
        writeFile("vc_offset_ro.mpf", lines("0", 60));
        QFile(path("vc_offset_ro.mpf")).setPermissions(QFile::ReadOwner);
        openWindow();
        typeInto(field(4), "abc");
        select("vc_offset_12.mpf");
        typeInto(slotBox(), "08");  // the slot the last step types
        const QStringList before = texts();
        const std::pair<std::function<void()>, QString> failures[] = {
            {[&] { click(field(4)), press(Increase); }, "13':\n\nType mismatch: Front Y holds..."},
            {[&] { QTest::keyClick(field(4), Qt::Key_Down); }, "13':\n\nType mismatch: Front Y..."},
            {[&] { press(Read); },
             "62':\n\nInput past end of file: vc_offset_12.mpf ends after 59..."},
            {[&] { slotBox()->setText("a" + QString(20, QChar(0xE9)) + "/b"), press(Save); },
             "52':\n\nBad file name or number: the slot \"a" + QString(19, QChar(0xE9)) +
                 "...\" cannot be part of a file name: \"/\" is not allowed"},  // cut at 40 bytes
            {[&] { typeInto(slotBox(), "ro"), QTest::keyClick(slotBox(), Qt::Key_Return); },
             "75':\n\nPath/File access error: " + path("vc_offset_ro.mpf") +
                 " is marked read-only. Nothing was saved."},
            {[&] { m_window->openLocation(path("no/vc_offset_07.mpf")); },
             "76':\n\nPath not found: neither " + path("no/vc_offset_07.mpf") +
                 " nor its folder exists"},
            {[&] { m_window->openLocation(path("vc_offset_43.mpf")); },
             "53':\n\nFile not found: " + path("vc_offset_43.mpf")},
            {[&] { m_window->openLocation(path("README.md")); },
             "52':\n\nBad file name or number: " + path("README.md") + " is not a profile..."},
            {[&] { typeInto(field(58), "1,5"), typeInto(slotBox(), "08"), press(Save); },
             "5':\n\nThe value of Instrument Y holds a comma..."}};
        for (const auto& [action, report] : failures) {  // "..." ends a report's start
            action();
            const QString shown = m_reports.isEmpty() ? "" : m_reports.takeFirst();
            const QString expected = "Run-time error '" + report;
            QVERIFY2(expected.endsWith("...") ? shown.startsWith(expected.chopped(3))
                                              : shown == expected,
                     qPrintable(shown));
        }
        QCOMPARE(texts().replaceInStrings("1,5", "0"), before);
    }

    // The list shows what the folder holds while the editor runs: a save
    // lists its profile at once, other programs' files appear and vanish, a
    // burst of them costs few refills. Ctrl+S saves; Enter (or a
    // double-click) on a listed profile reads it, and a field the program
    // fills shows its value's start.
    void keepsTheListTrueAndReadsFromIt() {
        writeFile("vc_offset_07.mpf", lines("-123456.78", 60));
        writeFile("vc_offset_12.mpf", "");
        openWindow();
        select("vc_offset_07.mpf");
        typeInto(slotBox(), "08");
        QTest::keyClick(field(0), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(texts().mid(60),
                 (QStringList{"08", "vc_offset_07.mpf*", "vc_offset_08.mpf", "vc_offset_12.mpf"}));
        QSignalSpy refills(fileList()->model(), &QAbstractItemModel::modelReset);
        QElapsedTimer elapsed;
        elapsed.start();
        for (int i = 0; i < 1000; ++i) {
            writeFile(QStringLiteral("vc_offset_%1.mpf").arg(i, 3, 10, QChar('0')), "");
        }
        QFile::remove(path("vc_offset_12.mpf"));
        QTRY_COMPARE_WITH_TIMEOUT(fileList()->count(), 1002, 10000);
        QVERIFY(refills.count() <= elapsed.elapsed() / 150 + 2);
        select("vc_offset_07.mpf");
        QTest::keyClick(fileList(), Qt::Key_Return);
        QCOMPARE(texts().mid(0, 61), QStringList(60, "-123456.78") << "07");
        QCOMPARE(field(0)->cursorPosition(), 0);
        QCOMPARE(field(59)->toolTip(), QStringLiteral("Gun convergence Z: -123456.78"));
    }

    // A folder or a profile dropped on the window is opened as if given on
    // the command line, and the folder line follows, naming it plainly;
    // several items, or a link that is no local file, change nothing.
    void opensWhatIsDroppedAndShowsTheFolder() {
        QDir(m_directory->path()).mkdir("sub dir");
        writeFile("sub dir/vc_offset_42.mpf", lines("4", 60));
        openWindow();
        const auto drop = [](QWidget* target, const QList<QUrl>& urls) {
            QMimeData data;
            data.setUrls(urls);
            data.setText(QStringLiteral("typed"));
            QDragEnterEvent enter({5, 5}, Qt::CopyAction, &data, Qt::LeftButton, {});
            QApplication::sendEvent(target, &enter);
            QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
            QApplication::sendEvent(target, &dropped);
        };
        const QStringList before = texts();
        drop(field(3), {QUrl::fromLocalFile(path("sub dir")), QUrl::fromLocalFile(path("x"))});
        drop(m_window.get(), {QUrl(QStringLiteral("https://example.invalid/vc_offset_42.mpf"))});
        QCOMPARE(texts(), before);
        drop(field(3), {QUrl::fromLocalFile(path("sub dir/vc_offset_42.mpf"))});
        QCOMPARE(texts(), (QStringList(60, "4") + QStringList{"42", "vc_offset_42.mpf"}));
        const auto* line = m_window->findChild<QLabel*>("FolderLine");
        QVERIFY(line->text().startsWith("Folder: ") && line->text().endsWith("sub dir"));
        drop(slotBox(), {QUrl::fromLocalFile(m_directory->filePath("sub dir/.."))});
        QCOMPARE(line->toolTip() + line->accessibleName(), path() + "Folder: " + path());
        QCOMPARE(texts().mid(60), QStringList{"42"});
    }

    // What a person sees of the form: its size, no control over another,
    // fields level with their row's caption and under their axis's heading,
    // and Tab walking the fields, then the slot box, Save, the list and Read.
    void keepsTheFormsShapeAndFocusOrder() {
        openWindow();
        const auto px = [dpi = m_window->logicalDpiX()](int twips) {
            return FormLayout::toPixels(twips, dpi);
        };
        QCOMPARE(m_window->size(), QSize(px(9585), px(10020)));
        const auto controls = m_window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        QHash<QString, QPoint> centreOf;  // of each caption and heading
        for (QWidget* a : controls) {
            for (QWidget* b : controls) {
                QVERIFY2(a == b || !a->geometry().intersects(b->geometry()),
                         qPrintable(a->objectName()));
            }
            if (auto* label = qobject_cast<QLabel*>(a)) {
                centreOf[label->text()] = a->geometry().center();
            }
        }
        // Rows stand 390 twips apart; the fields of "Mouse view" and
        // "Instrument" sit 30 twips below their captions, as they always have.
        QCOMPARE(field(3)->y() - field(0)->y(), px(390));
        QStringList names;
        QStringList order;
        for (int index = 0; index < 60; ++index) {
            order << field(index)->objectName();
            const QString name = field(index)->accessibleName();
            const QString caption = name.section(' ', 0, -2);
            const int lower = caption == "Mouse view" || caption == "Instrument" ? 30 : 0;
            const QPoint centre = field(index)->geometry().center();
            QVERIFY2(centreOf.contains(caption) &&
                         centre.y() - centreOf[caption].y() == px(lower) &&
                         qAbs(centre.x() - centreOf[name.section(' ', -1)].x()) < 9,
                     qPrintable(name));
            names << name;
        }
        QCOMPARE(names.mid(54, 4).join(", "),
                 "Rear 180 up angle X, Mouse view Y, Mouse view Z, Gun convergence Y");
        QStringList walked;
        for (QWidget* focus = field(0); walked.size() < 64; focus = m_window->focusWidget()) {
            walked << focus->objectName();
            QTest::keyClick(focus, Qt::Key_Tab);
        }
        QCOMPARE(walked, (order + QStringList{"Text2", "Command1", "File1", "Command2"}));
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
