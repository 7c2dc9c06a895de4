#pragma once

#include "editor/text_box.h"

namespace zelvane::editor {

// The text box of one of the sixty values. It tells what the person did
// with it: clicked it (selected), or pressed Up or Down in it
// (stepRequested), which steps it and makes it the field Increase and
// Decrease act on. Its tooltip names the value and shows it whole.
class OffsetField : public TextBox {
    Q_OBJECT

  public:
    OffsetField(int index, QWidget* parent = nullptr);

    int index() const { return m_index; }
    // Shows whether this is the field Increase and Decrease step.
    void setMarked(bool marked);

  Q_SIGNALS:
    void selected(int index);
    // delta is +1 for Up, -1 for Down.
    void stepRequested(int index, int delta);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void showToolTip(const QString& text);

    int m_index;
};

}  // namespace zelvane::editor
