#pragma once

#include <QLabel>

namespace zelvane::editor {

// A caption that acts like a button but never takes the focus, so clicking
// it leaves the focus (and the user's place) in the field being stepped.
class ClickableLabel : public QLabel {
    Q_OBJECT

  public:
    explicit ClickableLabel(const QString& text, QWidget* parent = nullptr);

  signals:
    void clicked();

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace zelvane::editor
