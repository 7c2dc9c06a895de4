#pragma once

#include <array>

#include "offsets/offset_table.h"

class QPushButton;
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
// the mark on the selected one. It knows nothing of what a click does:
// MainWindow connects these members to its handlers.
class EditorForm {
  public:
    // Builds every control as a child of window and sizes the window.
    void setupUi(QWidget* window);

    // Brings every field in line with the table, leaving alone the fields
    // that already show their value (and so the cursor of the one in use).
    void showTable(const offsets::OffsetTable& table);
    // Moves the mark from the field that had it to this one.
    void markSelected(int index);

    std::array<OffsetField*, offsets::OffsetTable::size> fields{};
    TextBox* slotBox = nullptr;
    QPushButton* save = nullptr;
    ProfileList* fileList = nullptr;
    QPushButton* read = nullptr;
    ClickableLabel* increase = nullptr;
    ClickableLabel* decrease = nullptr;
    FolderLine* folderLine = nullptr;

  private:
    QWidget* createControl(const ControlDescription& control, QWidget* window);

    int m_marked = -1;
};

}  // namespace zelvane::editor
