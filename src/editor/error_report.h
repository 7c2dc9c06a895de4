#pragma once

#include <QString>

#include "platform/runtime_error.h"

class QWidget;

namespace zelvane::editor {

// Tells the user of a failed operation by its number and description
// ("Run-time error '13':", then "Type mismatch: Front Y holds ..."), then
// lets them go on working where they were: a failure never ends the program.
class ErrorReport {
  public:
    static QString text(const platform::RuntimeError& error);
    // A modal message box over the window, with this title.
    static void show(QWidget* window, const QString& title, const platform::RuntimeError& error);
};

}  // namespace zelvane::editor
