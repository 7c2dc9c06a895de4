#pragma once

#include <QString>

#include "platform/runtime_error.h"

class QWidget;

namespace zelvane::editor {

// Tells the user of a failed operation in the words they know from the
// original tool ("Run-time error '13':" and "Type mismatch"), then lets them
// go on working: unlike the original, a failure never ends the program.
class ErrorReport {
  public:
    static QString text(const platform::RuntimeError& error);
    // A modal message box titled like the window.
    static void show(QWidget* window, const platform::RuntimeError& error);
};

}  // namespace zelvane::editor
