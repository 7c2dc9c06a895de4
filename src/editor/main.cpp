#include <QApplication>

#include "editor/main_window.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    zelvane::editor::MainWindow window;
    window.show();
    return QApplication::exec();
}
