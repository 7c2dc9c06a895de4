#pragma once

#include "editor/text_box.h"

namespace zelvane::editor {

// The text box of one of the sixty values. It tells what the person did
// with it: typed in it (edited: any change of its text but showValue's,
// however it came, a screen reader's included), clicked it (selected), or
// pressed a stepping key in it (stepRequested), which steps it and makes
// it the field Increase and Decrease act on: Up and Down by 1, with Shift
// by 0.1, Page Up and Page Down by 10, as a spin box's keys do. It shows
// whether it is that field (a tint) and whether its value differs from the
// profile's (a corner cut off, so that colour alone never tells). Its
// tooltip names the value, shows it whole and says what it was.
class OffsetField : public TextBox {
    Q_OBJECT

  public:
    static constexpr double fineStep = 0.1;
    static constexpr double pageStep = 10;

    OffsetField(int index, QWidget* parent = nullptr);

    int index() const { return m_index; }
    // Shows a value that did not come from typing here, with its start in
    // sight; says nothing by edited.
    void showValue(const QString& text);
    // Shows whether this is the field Increase and Decrease step.
    void setMarked(bool marked);
    // Shows whether the value differs from the profile's, which was this.
    void setChanged(bool changed, const QString& was);
    bool isChanged() const { return m_changed; }

  Q_SIGNALS:
    void edited(int index, const QString& text);
    void selected(int index);
    void stepRequested(int index, double delta);
    // Text of several values (lines, or cells of a spreadsheet) given to
    // the field by Ctrl+V, its menu, a middle click or a drop: none of it
    // is typed in, the document places it.
    void pasted(int index, const QString& text);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void adjustMenu(QMenu* menu) override;

  private:
    void describe();
    // Hands text of several values to the document; says whether it did.
    bool pasteSeveral(const QString& text);

    int m_index;
    bool m_showing = false;
    bool m_marked = false;
    bool m_changed = false;
    QString m_was;
};

}  // namespace zelvane::editor
