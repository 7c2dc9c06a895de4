#pragma once

#include <array>

#include "offsets/offset_table.h"

class QPushButton;
class QScrollArea;
class QWidget;

namespace zelvane::editor {

class ClickableLabel;
class FolderLine;
class OffsetField;
class ProfileList;
class TextBox;
struct ControlDescription;

// The window's widgets, built from FormLayout and named by what they are,
// as a Designer form's Ui class names its own, with how they look: the
// font, the geometry, the focus order, the table shown in the fields and
// the mark on the selected one. The controls stand on a canvas of the
// form's size inside a scroll area that fills the window, so that on a
// screen smaller than the form the form scrolls (a field that takes the
// focus scrolls into view). It knows nothing of what a click does:
// MainWindow connects these members to its handlers.
class EditorForm {
  public:
    // Builds the scroll area, the canvas and every control in window.
    void setupUi(QWidget* window);

    // Brings every field in line with the table, leaving alone the fields
    // that already show their value (and so the cursor of the one in use).
    void showTable(const offsets::OffsetTable& table);
    // Moves the mark from the field that had it to this one.
    void markSelected(int index);
    // Where the form fits the screen's available area, the window is the
    // form's size and fixed; where it does not, the window fits the screen
    // and the form scrolls inside it.
    void fitToScreen(QWidget* window);

    std::array<OffsetField*, offsets::OffsetTable::size> fields{};
    TextBox* slotBox = nullptr;
    QPushButton* save = nullptr;
    ProfileList* fileList = nullptr;
    QPushButton* read = nullptr;
    ClickableLabel* increase = nullptr;
    ClickableLabel* decrease = nullptr;
    FolderLine* folderLine = nullptr;
    QPushButton* changeFolder = nullptr;
    QScrollArea* scrollArea = nullptr;
    QWidget* canvas = nullptr;  // at the form's size, holding the controls

  private:
    QWidget* createControl(const ControlDescription& control, QWidget* parent);

    int m_marked = -1;
};

}  // namespace zelvane::editor
