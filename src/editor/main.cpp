#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QIcon>
#include <filesystem>

#include "editor/main_window.h"

namespace {

void describe(QCommandLineParser& parser) {
    QCoreApplication::setApplicationName(QStringLiteral("zelvane"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZELVANE_VERSION));
    parser.setApplicationDescription(QStringLiteral(
        "Zelvane utility: edits the view offset profiles vc_offset_*.mpf of a folder."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(
        QStringLiteral("path"),
        QStringLiteral("A folder to work in, or a profile to read (its folder is worked in)."),
        QStringLiteral("[path]"));
}

// --help and --version only print, so they must work where there is no
// display at all (over SSH, in a packaging tool): they are answered before
// any window system is asked for.
bool asksOnlyForText(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (argument == "-h" || argument == "--help" || argument == "-?" ||
            argument == "--help-all" || argument == "-v" || argument == "--version") {
            return true;
        }
    }
    return false;
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
    if (asksOnlyForText(argc, argv)) {
        const QCoreApplication application(argc, argv);
        QCommandLineParser parser;
        describe(parser);
        parser.process(application);  // prints and exits
        return 0;
    }
    QApplication application(argc, argv);
    QApplication::setWindowIcon(programIcon());
    QCommandLineParser parser;
    describe(parser);
    parser.process(application);

    std::error_code noWorkingDirectory;
    std::filesystem::path folder = std::filesystem::current_path(noWorkingDirectory);
    zelvane::editor::MainWindow window(noWorkingDirectory ? "." : std::move(folder));
    window.show();
    if (!parser.positionalArguments().isEmpty()) {
        window.openLocation(parser.positionalArguments().constFirst());
    }
    return QApplication::exec();
}
