#include "error_report.h"

#include <QMessageBox>

#include "editor/shown_text.h"

namespace zelvane::editor {

QString ErrorReport::text(const platform::RuntimeError& error) {
    return QStringLiteral("Run-time error '%1':\n\n%2")
        .arg(error.number())
        .arg(shownText(error.description()));
}

void ErrorReport::show(QWidget* window, const QString& title, const platform::RuntimeError& error) {
    QMessageBox box(QMessageBox::Critical, title, text(error), QMessageBox::Ok, window);
    box.setObjectName(QStringLiteral("RuntimeErrorReport"));
    // The form names its font; a box of its own would fall back on the
    // platform's, which under Wine is a serif.
    box.setFont(window->font());
    box.exec();
}

}  // namespace zelvane::editor
