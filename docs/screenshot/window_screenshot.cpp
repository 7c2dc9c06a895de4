// Saves a picture of the window for the README, soon after it opens: the
// Y value of "Front" clicked and typed over, so that it shows both marks
// and Undo can take it back:
//   window_screenshot docs/window.png
// Opens on an empty temporary folder with one profile, so the list shows
// none of the profiles of whoever builds the docs.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPixmap>
#include <QTemporaryDir>

#include "editor/main_window.h"
#include "editor/offset_field.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 2) {
        qCritical("usage: window_screenshot OUTPUT.png");
        return 2;
    }
    const QTemporaryDir folder;
    QFile(folder.filePath(QStringLiteral("vc_offset_00.mpf"))).open(QIODevice::WriteOnly);
    zelvane::editor::MainWindow window(folder.path().toStdU16String());
    window.show();
    window.onFieldClick(4);
    window.form().fields.at(4)->setText(QStringLiteral("2.5"));
    QApplication::processEvents();  // the scroll area takes the window's size
    return window.grab().save(arguments[1]) ? 0 : 1;
}
