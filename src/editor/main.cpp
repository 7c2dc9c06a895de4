#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QIcon>
#include <QTimer>
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

// --help and --version only print, so they must work where there is no
// display at all (over SSH, in a packaging tool), and so must refusing a
// long option nobody knows: they are answered before any window system is
// asked for. Qt's own options (-platform offscreen) have one dash and are
// left to the application.
bool answeredWithoutWindow(int argc, char* argv[]) {
    QStringList answerable;
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (argument == "--") {
            break;
        }
        if (argument.startsWith("--") || argument == "-h" || argument == "-?" || argument == "-v") {
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
// reached: no DISPLAY in an SSH session or a service, or a display that
// went away. Its messages name plugins; a person needs one sentence, and
// an exit code a script can test.
QStringList postponedMessages;
bool displayUnreachable = false;

void whileSeekingDisplay(QtMsgType type, const QMessageLogContext& /*context*/,
                         const QString& message) {
    displayUnreachable = displayUnreachable || message.contains(QLatin1String("display"));
    if (type != QtFatalMsg) {
        postponedMessages.append(message);
        return;
    }
    if (displayUnreachable || qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::fputs(
            "zelvane: there is no display to open the window on: start it in a desktop "
            "session, or over SSH with X forwarding (ssh -X)\n",
            stderr);
    } else {
        std::fprintf(stderr, "zelvane: %s\n", qPrintable(message.simplified()));
    }
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
    QApplication application(argc, argv);
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
    QTimer iconOnceUp;
    iconOnceUp.setSingleShot(true);
    QObject::connect(&iconOnceUp, &QTimer::timeout, &window,
                     [] { QApplication::setWindowIcon(programIcon()); });
    iconOnceUp.start(0);
    if (!parser.positionalArguments().isEmpty()) {
        window.openAtStart(
            zelvane::editor::pathOfArgument(parser.positionalArguments().constFirst(), argc, argv));
    }
    return QApplication::exec();
}
