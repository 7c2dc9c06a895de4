#include "shown_text.h"

#include <QFile>

#include "platform/text_encoding.h"

namespace zelvane::editor {

QString shownText(std::string_view bytes) {
    const std::string text = platform::visibleText(bytes);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// On Windows a name is UTF-16 and has no stray bytes: a typed \xE9 is text.
std::string nameBytes(const QString& text) {
#ifdef _WIN32
    return text.toStdString();
#else
    return platform::bytesOfVisibleText(text.toStdString());
#endif
}

QString shownPath(const std::filesystem::path& path) {
#ifdef _WIN32
    return QString::fromStdWString(path.native());
#else
    return shownText(path.native());
#endif
}

QString qtPath(const std::filesystem::path& path) {
#ifdef _WIN32
    return QString::fromStdWString(path.native());
#else
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
#endif
}

std::filesystem::path pathFromQt(const QString& text) {
#ifdef _WIN32
    return std::filesystem::path(text.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(text).toStdString());
#endif
}

std::filesystem::path pathOfArgument(const QString& argument, [[maybe_unused]] int argc,
                                     [[maybe_unused]] char* argv[]) {
#ifndef _WIN32
    for (int i = argc - 1; i > 0; --i) {
        if (QString::fromLocal8Bit(argv[i]) == argument) {
            return argv[i];
        }
    }
#endif
    return pathFromQt(argument);
}

}  // namespace zelvane::editor
