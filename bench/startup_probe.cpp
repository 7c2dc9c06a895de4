// Starts like the zelvane program (or, built with BARE_WINDOW, shows an
// empty window of the same size; with TEXT_FLOOR as well, one line of text
// in it, which costs the font database every window with text pays; with
// PLAIN_FORM instead, the form's widgets as plain Qt widgets with no
// behaviour, no files read and no icon, the floor for this window) and
// quits as soon as the window is first exposed, so a whole-process timer
// measures start-up alone. The program a user starts is untouched: this is
// a separate executable.
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
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

#ifdef PLAIN_FORM
// The form's controls where the form puts them, each the plainest Qt
// widget of its kind.
void addPlainControls(QWidget& window) {
    using zelvane::editor::ControlKind;
    using zelvane::editor::FormLayout;
    const double dpi = window.logicalDpiX();
    for (const auto& control : FormLayout::controls()) {
        QWidget* widget = nullptr;
        switch (control.kind) {
            case ControlKind::Field:
            case ControlKind::SlotBox:
                widget = new QLineEdit(control.fieldIndex < 0 ? control.text : QStringLiteral("0"),
                                       &window);
                break;
            case ControlKind::FileList:
                widget = new QListWidget(&window);
                static_cast<QListWidget*>(widget)->addItem(QStringLiteral("vc_offset_00.mpf"));
                break;
            case ControlKind::IncreaseLabel:
            case ControlKind::DecreaseLabel:
                widget = new QToolButton(&window);
                static_cast<QToolButton*>(widget)->setText(control.text);
                break;
            case ControlKind::Label:
            case ControlKind::FolderLine:
                widget = new QLabel(control.text, &window);
                break;
            default:
                widget = new QPushButton(control.text, &window);
        }
        widget->setGeometry(
            FormLayout::toPixels(control.left, dpi), FormLayout::toPixels(control.top, dpi),
            FormLayout::toPixels(control.width, dpi), FormLayout::toPixels(control.height, dpi));
    }
}
#endif

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
#ifdef PLAIN_FORM
    addPlainControls(window);
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
