#pragma once

#include <QDialog>

namespace zelvane::editor {

// The program's own help, opened with F1: the keys and what they step,
// what Undo takes back, what the marks and the title's words mean, and
// where profiles are read and saved. Its text is built in, so it is the
// same on every system and needs no browser and no network. It is no
// modal dialog: the person keeps tuning beside it, and Escape closes it.
class HelpWindow : public QDialog {
    Q_OBJECT

  public:
    explicit HelpWindow(QWidget* parent);

    // Where a tooltip says more is to be found: "F1 tells more.", with the
    // desktop's own name for the key.
    static QString pointer();

    // Shows the help beside the window the first time, where the screen
    // has room for it, and brings it to the front again later.
    void showBeside(const QWidget* window);

  private:
    void place(const QWidget* window);

    bool m_placed = false;
};

}  // namespace zelvane::editor
