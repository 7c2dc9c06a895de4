#pragma once

#include <QLabel>

namespace zelvane::editor {

// A caption that acts like a button but never takes the focus, so clicking
// it leaves the focus (and the user's place) in the field being stepped.
// Assistive technology is offered it as a button it can press.
class ClickableLabel : public QLabel {
    Q_OBJECT

  public:
    explicit ClickableLabel(const QString& text, QWidget* parent = nullptr);

    void click() { Q_EMIT clicked(); }

  Q_SIGNALS:
    void clicked();

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace zelvane::editor
