// Saves a picture of the window as it opens, for the README:
//   window_screenshot docs/window.png
// Runs in an empty temporary directory, so the list shows no profiles of
// whoever builds the docs.
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTemporaryDir>

#include "editor/main_window.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 2) {
        qCritical("usage: window_screenshot OUTPUT.png");
        return 2;
    }
    const QString output = QDir::current().absoluteFilePath(arguments[1]);
    QTemporaryDir directory;
    QDir::setCurrent(directory.path());
    QFile(QStringLiteral("vc_offset_00.mpf")).open(QIODevice::WriteOnly);
    zelvane::editor::MainWindow window;
    window.show();
    return window.grab().save(output) ? 0 : 1;
}
