#include "editor/main_window.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <memory>

using zelvane::editor::FormLayout;
using zelvane::editor::MainWindow;

// Drives the real window as a person would, with mouse clicks and key
// presses, in a fresh working directory per test, and checks saved
// profiles on disk.
class MainWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_directory;
    QString m_previousDirectory;
    std::unique_ptr<MainWindow> m_window;

    void openWindow() {
        m_window = std::make_unique<MainWindow>();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    template <typename T = QWidget>
    T* control(const QString& name) {
        auto* found = m_window->findChild<T*>(name);
        if (found == nullptr) {
            qFatal("no control %s", qPrintable(name));
        }
        return found;
    }

    QLineEdit* field(int index) {
        return control<QLineEdit>(QStringLiteral("Text1(%1)").arg(index));
    }
    QLineEdit* slotBox() { return control<QLineEdit>("Text2"); }

    static void click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }

    static void typeInto(QLineEdit* box, const QString& text) {
        click(box);
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box, text);
    }

    // Clicks, and returns the text of the run-time error report the click
    // brought up (empty if none), closing it as the user would.
    QString clickForReport(QWidget* widget) {
        QString report;
        QTimer::singleShot(0, this, [this, &report] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                QCOMPARE(box->windowTitle(), m_window->windowTitle());
                report = box->text();
                box->accept();
            }
        });
        click(widget);
        QCoreApplication::processEvents();
        return report;
    }

    void selectListItem(const QString& name) {
        auto* list = control<QListWidget>("File1");
        const auto items = list->findItems(name, Qt::MatchExactly);
        QCOMPARE(items.size(), 1);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(items.front()).center());
    }

    QStringList fieldTexts() {
        QStringList texts;
        for (int index = 0; index < 60; ++index) {
            texts << field(index)->text();
        }
        return texts;
    }

    static QByteArray lines(const QList<QByteArray>& values) {
        QByteArray bytes;
        for (const QByteArray& value : values) {
            bytes += value + "\r\n";
        }
        return bytes;
    }

    static void writeFile(const QString& name, const QByteArray& bytes) {
        QFile file(name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

  private slots:
    void init() {
        m_directory = std::make_unique<QTemporaryDir>();
        m_previousDirectory = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_directory->path()));
    }

    void cleanup() {
        m_window.reset();
        QDir::setCurrent(m_previousDirectory);
        m_directory.reset();
    }

    void opensWithZerosSlot00AndTheMatchingFiles() {
        writeFile("vc_offset_12.mpf", lines(QList<QByteArray>(60, "0")));
        writeFile("VC_OFFSET_07.MPF", "");
        writeFile("notes.txt", "x");
        QDir().mkdir("vc_offset_dir.mpf");
        openWindow();
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Zelvane utility V3"));
        QCOMPARE(fieldTexts(), QStringList(60, "0"));
        QCOMPARE(slotBox()->text(), QStringLiteral("00"));
        auto* list = control<QListWidget>("File1");
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->item(0)->text(), QStringLiteral("VC_OFFSET_07.MPF"));
        QCOMPARE(list->item(1)->text(), QStringLiteral("vc_offset_12.mpf"));
        QVERIFY(list->selectedItems().isEmpty());
        QCOMPARE(m_window->focusWidget(), field(0));
    }

    void walksTheTypicalRoad() {
        openWindow();
        click(field(4));
        for (int i = 0; i < 3; ++i) {
            click(control("Label3"));
        }
        typeInto(slotBox(), "05");
        click(control("Command1"));
        QList<QByteArray> expected(60, "0");
        expected[4] = "3";
        QFile saved("vc_offset_05.mpf");
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), lines(expected));
        QCOMPARE(control<QListWidget>("File1")->count(), 0);  // filled at start only

        openWindow();
        typeInto(slotBox(), "99");
        selectListItem("vc_offset_05.mpf");
        click(control("Command2"));
        QCOMPARE(field(4)->text(), QStringLiteral("3"));
        QCOMPARE(m_window->table().value(4), std::string("3"));
        QCOMPARE(slotBox()->text(), QStringLiteral("05"));
        QCOMPARE(control<QListWidget>("File1")->selectedItems().size(), 1);
    }

    void stepsTheLastClickedFieldWhateverHasTheFocus() {
        openWindow();
        click(control("Label4"));
        QCOMPARE(field(0)->text(), QStringLiteral("-1"));  // field 0 before any click
        click(field(57));
        QTest::keyClick(field(57), Qt::Key_Tab);
        QCOMPARE(m_window->focusWidget(), field(58));
        click(control("Label3"));
        QCOMPARE(field(57)->text(), QStringLiteral("1"));  // tabbing selected nothing
        QCOMPARE(m_window->focusWidget(), field(58));      // the caption took no focus
    }

    void takesTextOfAnyLength() {
        openWindow();
        const QString longText(40000, '7');
        QApplication::clipboard()->setText(longText);
        click(field(31));
        QTest::keyClick(field(31), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(field(31), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(m_window->table().value(31), longText.toStdString());
    }

    void reportsFailuresAndKeepsWorking() {
        openWindow();
        typeInto(field(0), "abc");
        QCOMPARE(clickForReport(control("Label3")),
                 QStringLiteral("Run-time error '13':\n\nType mismatch"));
        QCOMPARE(field(0)->text(), QStringLiteral("abc"));

        typeInto(field(58), "1,5");
        QVERIFY(clickForReport(control("Command1"))
                    .startsWith("Run-time error '5':\n\nThe value of Instrument Y holds a comma"));
        QVERIFY(QDir().entryList(QDir::Files | QDir::Hidden).isEmpty());

        typeInto(field(1), "5");
        QCOMPARE(clickForReport(control("Label3")), QString());
        QCOMPARE(field(1)->text(), QStringLiteral("6"));
    }

    void readChangesNothingWithoutASelectionOrFromAShortFile() {
        writeFile("vc_offset_12.mpf", lines(QList<QByteArray>(59, "9")));
        openWindow();
        typeInto(field(3), "4");
        const QStringList before = fieldTexts();
        QCOMPARE(clickForReport(control("Command2")), QString());
        QCOMPARE(fieldTexts(), before);

        selectListItem("vc_offset_12.mpf");
        QCOMPARE(clickForReport(control("Command2")),
                 QStringLiteral("Run-time error '62':\n\nInput past end of file"));
        QCOMPARE(fieldTexts(), before);
        QCOMPARE(slotBox()->text(), QStringLiteral("00"));
    }

    void placesControlsWhereTheFormSays_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("twips");
        QTest::addColumn<QString>("text");
        QTest::newRow("Read") << "Command2" << QRect(8130, 1470, 1185, 555) << "Read";
        QTest::newRow("list") << "File1" << QRect(7080, 2160, 2175, 6330) << "";
        QTest::newRow("slot") << "Text2" << QRect(8100, 960, 1065, 345) << "00";
        QTest::newRow("Mouse view Z") << "Text1(56)" << QRect(5700, 7830, 525, 315) << "0";
        QTest::newRow("Gun convergence Y") << "Text1(57)" << QRect(4800, 8580, 525, 315) << "0";
        QTest::newRow("Instrument Y") << "Text1(58)" << QRect(4800, 8220, 525, 315) << "0";
        QTest::newRow("Z heading") << "Label2(2)" << QRect(5850, 30, 195, 255) << "Z";
        QTest::newRow("Increase") << "Label3" << QRect(7050, 420, 945, 465) << "Increase";
        QTest::newRow("Label1(19)") << "Label1(19)" << QRect(1320, 8190, 2235, 315) << "Instrument";
        QTest::newRow("Label1(20)") << "Label1(20)" << QRect(1320, 7800, 2235, 315) << "Mouse view";
    }

    void placesControlsWhereTheFormSays() {
        QFETCH(QString, name);
        QFETCH(QRect, twips);
        QFETCH(QString, text);
        openWindow();
        const double dpi = m_window->logicalDpiX();
        const auto px = [dpi](int value) {
            return FormLayout::toPixels(value, dpi);
        };
        QWidget* widget = control(name);
        QCOMPARE(widget->geometry(),
                 QRect(px(twips.x()), px(twips.y()), px(twips.width()), px(twips.height())));
        const QVariant shown = widget->property("text");
        QCOMPARE(shown.isValid() ? shown.toString() : QString(), text);
    }

    void keepsTheFormsSizeWithoutOverlapsAndNamesEveryField() {
        openWindow();
        const double dpi = m_window->logicalDpiX();
        QCOMPARE(m_window->size(),
                 QSize(FormLayout::toPixels(9585, dpi), FormLayout::toPixels(10020, dpi)));
        QCOMPARE(m_window->minimumSize(), m_window->maximumSize());
        const auto controls = m_window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        QCOMPARE(controls.size(), 92);  // 60 fields, 28 captions, slot, list, two buttons
        for (qsizetype i = 0; i < controls.size(); ++i) {
            for (qsizetype j = i + 1; j < controls.size(); ++j) {
                QVERIFY2(!controls[i]->geometry().intersects(controls[j]->geometry()),
                         qPrintable(controls[i]->objectName() + " overlaps " +
                                    controls[j]->objectName()));
            }
        }
        QCOMPARE(field(4)->accessibleName(), QStringLiteral("Front Y"));
        QCOMPARE(field(57)->toolTip(), QStringLiteral("Gun convergence Y"));
    }

    void tabsThroughFieldsThenSlotSaveListRead() {
        openWindow();
        QStringList expected;
        for (int index = 0; index < 60; ++index) {
            expected << QStringLiteral("Text1(%1)").arg(index);
        }
        expected << "Text2"
                 << "Command1"
                 << "File1"
                 << "Command2";
        QStringList visited;
        for (qsizetype i = 0; i < expected.size(); ++i) {
            visited << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(visited, expected);
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
