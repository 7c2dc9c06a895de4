#pragma once

#include <array>

#include "offsets/offset_table.h"

namespace zelvane::offsets {
class ProfileDocument;
}

class QPushButton;
class QScrollArea;
class QToolButton;
class QWidget;

namespace zelvane::editor {

class FolderLine;
class OffsetField;
class ProfileList;
class RightColumn;
class TextBox;
struct ControlDescription;

// The window's widgets, built from FormLayout and named by what they are,
// as a Designer form's Ui class names its own, with how they look: the
// font, the geometry, the focus order, the table shown in the fields and
// the marks on the selected field and the changed ones. The grid (the
// captions, the headings and the fields) stands on a canvas inside a scroll
// area, the RightColumn beside it and the foot (the folder line and the
// buttons beside it) below both, so that on a screen smaller than the form
// only the grid scrolls (a field that takes the focus scrolls into view)
// while the steps, the slot, Save, Read, the list and the foot stay in
// sight. Where the form fits, the three parts join into the form with every
// control on its own pixels. It knows nothing of what a click does:
// MainWindow connects these members to its handlers.
class EditorForm {
  public:
    // Builds the scroll area, the canvas, the column, the foot and every
    // control in window.
    void setupUi(QWidget* window);

    // Brings every field and the slot box in line with the document,
    // leaving alone those that already show their value (and so the cursor
    // of the one in use).
    void showDocument(const offsets::ProfileDocument& document);
    // Moves the mark from the field that had it to this one.
    void markSelected(int index);
    // Scrolls a control of the grid whole into view, with room around it;
    // the column's and the foot's are always in view.
    void scrollIntoView(QWidget* control);
    // Where the form fits the screen's available area, the window is the
    // form's size and fixed; where it does not, the window fits the screen
    // and the grid scrolls inside it, beside the column and above the foot.
    void fitToScreen(QWidget* window);

    std::array<OffsetField*, offsets::OffsetTable::size> fields{};
    TextBox* slotBox = nullptr;
    QPushButton* save = nullptr;
    ProfileList* fileList = nullptr;
    QPushButton* read = nullptr;
    QToolButton* increase = nullptr;
    QToolButton* decrease = nullptr;
    FolderLine* folderLine = nullptr;
    QPushButton* changeFolder = nullptr;
    QPushButton* undo = nullptr;
    QPushButton* redo = nullptr;
    QScrollArea* scrollArea = nullptr;
    QWidget* canvas = nullptr;  // the grid, left of the column and above the foot
    RightColumn* column = nullptr;
    QWidget* foot = nullptr;

  private:
    QWidget* createControl(const ControlDescription& control, QWidget* parent);

    int m_marked = -1;
};

}  // namespace zelvane::editor
