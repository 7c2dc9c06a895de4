#pragma once

#include <QString>
#include <vector>

namespace zelvane::editor {

// What a control is, and so which member of the form it becomes. Each kind
// but Field and Label is one control.
enum class ControlKind {
    Field,
    SlotBox,
    SaveButton,
    FileList,
    ReadButton,
    IncreaseLabel,
    DecreaseLabel,
    Label,
    FolderLine,
    ChangeFolderButton,
    UndoButton,
    RedoButton,
};

// One control of the window as the form describes it: name, kind, text and
// its rectangle in twips (1/1440 inch), the unit the layout was drawn in.
struct ControlDescription {
    QString name;  // the form's own, with the index for arrays: "Text1(4)", "Label1(20)"
    ControlKind kind;
    QString text;
    int left;
    int top;
    int width;
    int height;
    int fieldIndex = -1;  // the value a field shows; -1 for other controls
};

// The whole window as data; EditorForm builds its widgets from it.
class FormLayout {
  public:
    static constexpr int clientWidth = 9585;
    static constexpr int clientHeight = 10020;
    // Where the foot begins: the band below the grid and the list, which
    // stays in sight when the rest of the form scrolls.
    static constexpr int footTop = 9180;
    // Where the right column begins, between the Z fields (to 6225) and
    // Save (from 6810): Increase, Decrease, the slot box, Save, Read and
    // the list, which stay beside the grid when it scrolls.
    static constexpr int columnLeft = 6510;

    // Every control, those that take the focus first and in focus order:
    // the fields 0 to 59, the slot box, Save, the file list, Read. Last
    // comes what this editor adds to the form, in its foot: the folder
    // line, and the buttons Change folder, Undo and Redo, which come after
    // all the others in focus order.
    static std::vector<ControlDescription> controls();

    // Twips on a screen of the given logical DPI: 15 twips a pixel at 96.
    static int toPixels(int twips, double dpi);
};

}  // namespace zelvane::editor
