#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QIcon>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "editor/main_window.h"
#include "editor/shown_text.h"

namespace {

void describe(QCommandLineParser& parser) {
    QCoreApplication::setApplicationName(QStringLiteral("zelvane"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZELVANE_VERSION));
    parser.setApplicationDescription(QStringLiteral(
        "Zelvane utility: edits the view offset profiles vc_offset_*.mpf of a folder."));
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(
        QStringLiteral("path"),
        QStringLiteral("A folder to work in, or a profile to read (its folder is worked in)."),
        QStringLiteral("[path]"));
}

// Qt's own options, which QApplication takes out of the arguments in
// either spelling (-platform offscreen, --platform offscreen, -style=fusion):
// those of Qt GUI, of Qt Widgets, and of its X11 platform.
bool isQtOption(QByteArray argument) {
    static const QByteArrayList names{
        "platform",    "platformpluginpath", "platformtheme", "plugin",  "qwindowgeometry",
        "qwindowicon", "qwindowtitle",       "reverse",       "session", "style",
        "stylesheet",  "widgetcount",        "qmljsdebugger", "display", "name",
        "visual",      "geometry",           "title",         "icon"};
    if (argument.startsWith("--")) {
        argument.remove(0, 1);
    }
    return argument.startsWith('-') && names.contains(argument.mid(1).split('=').constFirst());
}

// --help and --version only print, so they must work where there is no
// display at all (over SSH, in a packaging tool), and so must refusing an
// option nobody knows: they are answered before any window system is
// asked for. Qt's options, and the values they take, are left to Qt.
bool answeredWithoutWindow(int argc, char* argv[]) {
    QStringList answerable;
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (argument == "--") {
            break;
        }
        if (isQtOption(argument)) {
            continue;
        }
        if (argument.startsWith('-') && argument != "-") {
            answerable.append(QString::fromLocal8Bit(argument));
        }
    }
    if (!answerable.isEmpty()) {
        const QCoreApplication application(argc, argv);
        QCommandLineParser parser;
        describe(parser);
        answerable.prepend(QCoreApplication::arguments().constFirst());
        parser.process(answerable);  // prints and exits, 1 for an unknown option
    }
    return !answerable.isEmpty();
}

// Qt ends the program (qFatal, then abort) when no window system can be
// reached: no DISPLAY in an SSH session or a service, a display that went
// away, a platform plugin that cannot start. Qt 6.4 offers no way to ask
// first: QApplication's constructor either connects or is fatal, and its
// fatal message is the only signal there is. A person needs one sentence
// and an exit code a script can test, not the plugins' chatter and advice
// to reinstall (QT_DEBUG_PLUGINS=1 shows what went wrong in a plugin).
QStringList postponedMessages;

void whileSeekingDisplay(QtMsgType type, const QMessageLogContext& /*context*/,
                         const QString& message) {
    if (type != QtFatalMsg) {
        postponedMessages.append(message);
        return;
    }
    std::fputs(
        "zelvane: there is no display to open the window on: start it in a desktop "
        "session, or over SSH with X forwarding (ssh -X)\n",
        stderr);
    std::_Exit(1);
}

// The icon at every size drawn for it, for the title bar and the task bar.
QIcon programIcon() {
    QIcon icon;
    const QDir sizes(QStringLiteral(":/icons"));
    for (const QString& file : sizes.entryList()) {
        icon.addFile(sizes.filePath(file));
    }
    return icon;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (answeredWithoutWindow(argc, argv)) {
        return 0;
    }
    const QtMessageHandler previousHandler = qInstallMessageHandler(whileSeekingDisplay);
    // Ties the window to its desktop entry: the Wayland app id, and the
    // name the title ends with (the platform adds it after its separator).
    QGuiApplication::setDesktopFileName(QStringLiteral(ZELVANE_DESKTOP_ID));
    QApplication application(argc, argv);
    QGuiApplication::setApplicationDisplayName(
        QString::fromLatin1(zelvane::editor::MainWindow::caption));
    qInstallMessageHandler(previousHandler);
    for (const QString& message : postponedMessages) {
        std::fprintf(stderr, "%s\n", qPrintable(message));
    }
    QCommandLineParser parser;
    describe(parser);
    parser.process(application);
    if (parser.positionalArguments().size() > 1) {
        std::fputs("zelvane: one folder or profile at most; usage: zelvane [path]\n", stderr);
        return 1;
    }

    std::error_code noWorkingDirectory;
    std::filesystem::path folder = std::filesystem::current_path(noWorkingDirectory);
    zelvane::editor::MainWindow window(noWorkingDirectory ? "." : std::move(folder));
    window.show();
    // The icon at every size is decoded to hand the window system its
    // pixels: once the window is up, so that its first frame need not wait.
    QObject::connect(
        &window, &zelvane::editor::MainWindow::firstFrameShown, &window,
        [] { QApplication::setWindowIcon(programIcon()); }, Qt::QueuedConnection);
    if (!parser.positionalArguments().isEmpty()) {
        window.openAtStart(
            zelvane::editor::pathOfArgument(parser.positionalArguments().constFirst(), argc, argv));
    }
    return QApplication::exec();
}
