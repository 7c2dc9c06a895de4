// Starts like the zelvane program (or, built with BARE_WINDOW, shows an
// empty window of the same size; with TEXT_FLOOR as well, one line of text
// in it, which costs the font database every window with text pays) and
// quits as soon as the window is first exposed, so a whole-process timer
// measures start-up alone. The program a user starts is untouched: this is
// a separate executable.
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QTimer>
#include <QWindow>
#include <filesystem>

#include "editor/form_layout.h"
#include "editor/main_window.h"

namespace {

class QuitOnFirstExpose : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose) {
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
#ifdef BARE_WINDOW
    using zelvane::editor::FormLayout;
    QWidget window;
    window.setWindowTitle(QString::fromLatin1(zelvane::editor::MainWindow::caption));
    const double dpi = window.logicalDpiX();
    window.setFixedSize(FormLayout::toPixels(FormLayout::clientWidth, dpi),
                        FormLayout::toPixels(FormLayout::clientHeight, dpi));
#ifdef TEXT_FLOOR
    const QLabel text(window.windowTitle(), &window);
#endif
#else
    zelvane::editor::MainWindow window(std::filesystem::current_path());
#endif
    window.winId();  // creates the native window, so the filter can watch it
    QuitOnFirstExpose quitter;
    window.windowHandle()->installEventFilter(&quitter);
    window.show();
    return QApplication::exec();
}
