#pragma once

#include <QWidget>

namespace zelvane::editor {

// The controls beside the grid: Increase and Decrease, the slot box, Save,
// Read and the list, each at its place in the form. The column stands
// beside the scroll area, never in it, so that on a screen too short for
// the form the grid scrolls while the steps, the slot and the list stay in
// reach of the field being tuned. There the column is as tall as the room
// and the list ends that much sooner, scrolling its own names; where the
// form fits, the list keeps its height in the form.
class RightColumn : public QWidget {
    Q_OBJECT

  public:
    explicit RightColumn(QWidget* parent = nullptr);

    // The list, at its place and height in the form: in a shorter column it
    // ends gap pixels above the column's foot, no shorter than it can be
    // used at. The column is never shorter than that.
    void setList(QWidget* list, int gap);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void fitList();

    QWidget* m_list = nullptr;
    int m_listHeight = 0;  // in the form
    int m_gap = 0;
};

}  // namespace zelvane::editor
