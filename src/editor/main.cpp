#include <QApplication>
#include <QCommandLineParser>
#include <filesystem>

#include "editor/main_window.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zelvane"));
    QApplication::setApplicationVersion(QStringLiteral(ZELVANE_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Zelvane utility: edits the view offset profiles vc_offset_*.mpf of a folder."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(
        QStringLiteral("path"),
        QStringLiteral("A folder to work in, or a profile to read (its folder is worked in)."),
        QStringLiteral("[path]"));
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
