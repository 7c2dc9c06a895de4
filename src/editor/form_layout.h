#pragma once

#include <QString>
#include <vector>

namespace zelvane::editor {

enum class ControlKind { Field, SlotBox, PushButton, FileList, Label, ClickableLabel, FolderLine };

// What clicking a control does. A field is selected by its click; the
// others act on the table or on the profiles; labels, the slot box and the
// list react to nothing beyond their own editing and selection.
enum class ControlAction { None, SelectField, Increase, Decrease, Save, Read };

// One control of the window as the form describes it: name, kind, text,
// its rectangle in twips (1/1440 inch), the unit the layout was drawn in,
// and what its click does.
struct ControlDescription {
    QString name;  // the form's own, with the index for arrays: "Text1(4)", "Label1(20)"
    ControlKind kind;
    QString text;
    int left;
    int top;
    int width;
    int height;
    ControlAction action = ControlAction::None;
    int fieldIndex = -1;  // the value a field shows; -1 for other controls
};

// The whole window as data; MainWindow builds its widgets from it.
class FormLayout {
  public:
    static constexpr int clientWidth = 9585;
    static constexpr int clientHeight = 10020;

    // Every control, those that take the focus first and in focus order:
    // the fields 0 to 59, the slot box, Save, the file list, Read. Last
    // comes what this editor adds to the form: the folder line, in the free
    // band below the grid and the list.
    static std::vector<ControlDescription> controls();

    // Twips on a screen of the given logical DPI: 15 twips a pixel at 96.
    static int toPixels(int twips, double dpi);
};

}  // namespace zelvane::editor
