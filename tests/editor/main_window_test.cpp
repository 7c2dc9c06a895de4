#include "editor/main_window.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <memory>
#include <optional>

using zelvane::editor::FormLayout;
using zelvane::editor::MainWindow;

namespace {

struct Report {
    QString title;
    QString text;
};

QByteArray lines(const QList<QByteArray>& values) {
    QByteArray bytes;
    for (const QByteArray& value : values) {
        bytes += value + "\r\n";
    }
    return bytes;
}

QByteArray zeroLines(int count) {
    return lines(QList<QByteArray>(count, "0"));
}

}  // namespace

// Drives the real window as a person would, with mouse clicks and key
// presses, in a fresh working directory per test, and checks saved
// profiles on disk.
class MainWindowTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<QTemporaryDir> m_directory;
    QString m_previousDirectory;
    std::unique_ptr<MainWindow> m_window;

    MainWindow& openWindow() {
        m_window = std::make_unique<MainWindow>();
        m_window->show();
        [[maybe_unused]] const bool exposed = QTest::qWaitForWindowExposed(m_window.get());
        return *m_window;
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

    void click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }

    void typeInto(QLineEdit* box, const QString& text) {
        click(box);
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box, text);
    }

    // Clicks, and returns the run-time error report the click brought up,
    // after closing it as the user would.
    std::optional<Report> clickForReport(QWidget* widget) {
        std::optional<Report> report;
        QTimer::singleShot(0, this, [&report] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                report = Report{box->windowTitle(), box->text()};
                box->accept();
            }
        });
        click(widget);
        QCoreApplication::processEvents();
        return report;
    }

    void selectListItem(const QString& name) {
        auto* list = control<QListWidget>("File1");
        const QList<QListWidgetItem*> items = list->findItems(name, Qt::MatchExactly);
        QCOMPARE(items.size(), 1);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(items.front()).center());
        QCOMPARE(list->selectedItems().size(), 1);
    }

    QStringList fieldTexts() {
        QStringList texts;
        for (int index = 0; index < 60; ++index) {
            texts << field(index)->text();
        }
        return texts;
    }

    static void writeFile(const QString& name, const QByteArray& bytes) {
        QFile file(name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    static QByteArray readFile(const QString& name) {
        QFile file(name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

  private slots:
    void init() {
        m_directory = std::make_unique<QTemporaryDir>();
        QVERIFY(m_directory->isValid());
        m_previousDirectory = QDir::currentPath();
        QDir::setCurrent(m_directory->path());
    }

    void cleanup() {
        m_window.reset();
        QDir::setCurrent(m_previousDirectory);
        m_directory.reset();
    }

    void opensWithZerosSlot00AndTheMatchingFiles() {
        writeFile("vc_offset_12.mpf", zeroLines(60));
        writeFile("VC_OFFSET_07.MPF", zeroLines(60));
        writeFile("notes.txt", "x");
        QDir().mkdir("vc_offset_dir.mpf");
        openWindow();

        QCOMPARE(m_window->windowTitle(), QStringLiteral("Zelvane utility V3"));
        QCOMPARE(fieldTexts(), QStringList(60, "0"));
        QCOMPARE(control<QLineEdit>("Text2")->text(), QStringLiteral("00"));
        auto* list = control<QListWidget>("File1");
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->item(0)->text(), QStringLiteral("VC_OFFSET_07.MPF"));
        QCOMPARE(list->item(1)->text(), QStringLiteral("vc_offset_12.mpf"));
        QVERIFY(list->selectedItems().isEmpty());
        QCOMPARE(m_window->focusWidget(), field(0));
    }

    void opensInADirectoryWithoutProfiles() {
        openWindow();
        QCOMPARE(control<QListWidget>("File1")->count(), 0);
        QVERIFY(m_window->isVisible());
    }

    void walksTheTypicalRoad() {
        openWindow();
        click(field(4));
        for (int i = 0; i < 3; ++i) {
            click(control("Label3"));
        }
        QCOMPARE(field(4)->text(), QStringLiteral("3"));
        typeInto(control<QLineEdit>("Text2"), "05");
        click(control("Command1"));

        QList<QByteArray> expected(60, "0");
        expected[4] = "3";
        QCOMPARE(readFile("vc_offset_05.mpf"), lines(expected));
        QCOMPARE(control<QListWidget>("File1")->count(), 0);  // the list is filled at start only

        openWindow();
        QCOMPARE(field(4)->text(), QStringLiteral("0"));
        typeInto(control<QLineEdit>("Text2"), "99");
        selectListItem("vc_offset_05.mpf");
        click(control("Command2"));
        QCOMPARE(field(4)->text(), QStringLiteral("3"));
        QCOMPARE(m_window->table().value(4), std::string("3"));
        QCOMPARE(control<QLineEdit>("Text2")->text(), QStringLiteral("05"));
        QCOMPARE(control<QListWidget>("File1")->selectedItems().size(), 1);
    }

    void stepsTheLastClickedFieldWhateverHasTheFocus() {
        openWindow();
        click(control("Label4"));
        QCOMPARE(field(0)->text(), QStringLiteral("-1"));  // field 0 before any click

        click(field(57));
        QTest::keyClick(field(57), Qt::Key_Tab);
        QCOMPARE(m_window->focusWidget(), field(58));
        typeInto(field(59), "2.5");  // a click on 59 selects it in turn
        click(control("Label3"));
        QCOMPARE(field(59)->text(), QStringLiteral("3.5"));
        QCOMPARE(field(57)->text(), QStringLiteral("0"));
        QCOMPARE(m_window->focusWidget(), field(59));  // the caption took no focus
    }

    void typingGoesStraightIntoTheTable() {
        openWindow();
        const QString longText(40000, '7');
        typeInto(field(30), "007");
        QCOMPARE(m_window->table().value(30), std::string("007"));
        click(field(31));
        QTest::keyClick(field(31), Qt::Key_A, Qt::ControlModifier);
        QApplication::clipboard()->setText(longText);
        QTest::keyClick(field(31), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(field(31)->text().size(), longText.size());  // no length limit cut it
        QCOMPARE(m_window->table().value(31), longText.toStdString());
    }

    void reportsAFailedStepAndKeepsWorking() {
        openWindow();
        typeInto(field(0), "abc");
        const auto report = clickForReport(control("Label3"));
        QVERIFY(report.has_value());
        QCOMPARE(report->title, QStringLiteral("Zelvane utility V3"));
        QCOMPARE(report->text, QStringLiteral("Run-time error '13':\n\nType mismatch"));
        QCOMPARE(field(0)->text(), QStringLiteral("abc"));

        typeInto(field(1), "5");
        QVERIFY(!clickForReport(control("Label3")).has_value());
        QCOMPARE(field(1)->text(), QStringLiteral("6"));
    }

    void refusesToSaveAValueAProfileCannotHold() {
        openWindow();
        typeInto(field(58), "1,5");
        const auto report = clickForReport(control("Command1"));
        QVERIFY(report.has_value());
        QVERIFY2(report->text.startsWith("Run-time error '5':\n\nThe value of Instrument Y"),
                 qPrintable(report->text));
        QVERIFY(QDir().entryList(QDir::Files | QDir::Hidden).isEmpty());
    }

    void refusesASlotThatLeavesTheDirectory() {
        openWindow();
        typeInto(control<QLineEdit>("Text2"), "../x");
        const auto report = clickForReport(control("Command1"));
        QVERIFY(report.has_value());
        QCOMPARE(report->text, QStringLiteral("Run-time error '52':\n\nBad file name or number"));
        QVERIFY(QDir().entryList(QDir::Files | QDir::Hidden).isEmpty());
    }

    void readWithNothingSelectedChangesNothing() {
        writeFile("vc_offset_12.mpf", lines(QList<QByteArray>(60, "9")));
        openWindow();
        QVERIFY(!clickForReport(control("Command2")).has_value());
        QCOMPARE(fieldTexts(), QStringList(60, "0"));
        QCOMPARE(control<QLineEdit>("Text2")->text(), QStringLiteral("00"));
    }

    void readOfAShortFileLeavesEveryField() {
        writeFile("vc_offset_12.mpf", lines(QList<QByteArray>(59, "9")));
        openWindow();
        typeInto(field(3), "4");
        const QStringList before = fieldTexts();
        selectListItem("vc_offset_12.mpf");
        const auto report = clickForReport(control("Command2"));
        QVERIFY(report.has_value());
        QCOMPARE(report->text, QStringLiteral("Run-time error '62':\n\nInput past end of file"));
        QCOMPARE(fieldTexts(), before);
        QCOMPARE(control<QLineEdit>("Text2")->text(), QStringLiteral("00"));
    }

    void placesControlsWhereTheFormSays_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("twips");
        QTest::addColumn<QString>("text");
        QTest::newRow("Read") << "Command2" << QRect(8130, 1470, 1185, 555) << "Read";
        QTest::newRow("Save") << "Command1" << QRect(6810, 1470, 1155, 525) << "Save";
        QTest::newRow("list") << "File1" << QRect(7080, 2160, 2175, 6330) << "";
        QTest::newRow("slot") << "Text2" << QRect(8100, 960, 1065, 345) << "00";
        QTest::newRow("Up X") << "Text1(0)" << QRect(3840, 390, 525, 315) << "0";
        QTest::newRow("Mouse view Y") << "Text1(55)" << QRect(4800, 7830, 525, 315) << "0";
        QTest::newRow("Mouse view Z") << "Text1(56)" << QRect(5700, 7830, 525, 315) << "0";
        QTest::newRow("Gun convergence Y") << "Text1(57)" << QRect(4800, 8580, 525, 315) << "0";
        QTest::newRow("Instrument Y") << "Text1(58)" << QRect(4800, 8220, 525, 315) << "0";
        QTest::newRow("Gun convergence Z") << "Text1(59)" << QRect(5700, 8580, 525, 315) << "0";
        QTest::newRow("Z heading") << "Label2(2)" << QRect(5850, 30, 195, 255) << "Z";
        QTest::newRow("Increase") << "Label3" << QRect(7050, 420, 945, 465) << "Increase";
        QTest::newRow("Decrease") << "Label4" << QRect(8100, 420, 945, 465) << "Decrease";
        QTest::newRow("Slot") << "Label5" << QRect(7110, 1020, 525, 285) << "Slot";
        QTest::newRow("Up") << "Label1(0)" << QRect(1320, 390, 2235, 315) << "Up";
        QTest::newRow("Label1(19)") << "Label1(19)" << QRect(1320, 8190, 2235, 315) << "Instrument";
        QTest::newRow("Label1(20)") << "Label1(20)" << QRect(1320, 7800, 2235, 315) << "Mouse view";
        QTest::newRow("Label1(21)")
            << "Label1(21)" << QRect(1320, 8580, 2235, 315) << "Gun convergence";
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

    void windowHasTheFormsSizeAndNoOverlaps() {
        openWindow();
        const double dpi = m_window->logicalDpiX();
        QCOMPARE(m_window->size(),
                 QSize(FormLayout::toPixels(9585, dpi), FormLayout::toPixels(10020, dpi)));
        QCOMPARE(m_window->minimumSize(), m_window->maximumSize());
        const QList<QWidget*> controls =
            m_window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        QCOMPARE(controls.size(), 60 + 1 + 2 + 1 + 1 + 2 + 3 + 22);
        for (qsizetype i = 0; i < controls.size(); ++i) {
            QVERIFY(m_window->rect().contains(controls[i]->geometry()));
            for (qsizetype j = i + 1; j < controls.size(); ++j) {
                QVERIFY2(!controls[i]->geometry().intersects(controls[j]->geometry()),
                         qPrintable(controls[i]->objectName() + " overlaps " +
                                    controls[j]->objectName()));
            }
        }
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
        for (int i = 0; i < expected.size(); ++i) {
            visited << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(visited, expected);
    }

    void namesEveryFieldForScreenReaders() {
        openWindow();
        QCOMPARE(field(4)->accessibleName(), QStringLiteral("Front Y"));
        QCOMPARE(field(57)->toolTip(), QStringLiteral("Gun convergence Y"));
        QCOMPARE(field(58)->toolTip(), QStringLiteral("Instrument Y"));
        QCOMPARE(control("Label3")->focusPolicy(), Qt::NoFocus);
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
