#pragma once

#include <QString>
#include <vector>

namespace zelvane::editor {

enum class ControlKind { Field, SlotBox, PushButton, FileList, Label, ClickableLabel };

// One control of the window as the form describes it: name, kind, text and
// its rectangle in twips (1/1440 inch), the unit the layout was drawn in.
struct ControlDescription {
    QString name;  // with the index for arrays: "Text1(4)", "Label1(20)"
    ControlKind kind;
    QString text;
    int left;
    int top;
    int width;
    int height;
    int fieldIndex = -1;  // the value a field shows; -1 for other controls
};

// The whole window as data; MainWindow builds its widgets from it.
class FormLayout {
  public:
    static constexpr int clientWidth = 9585;
    static constexpr int clientHeight = 10020;

    // Every control, those that take the focus first and in focus order:
    // the fields 0 to 59, the slot box, Save, the file list, Read.
    static std::vector<ControlDescription> controls();

    // Twips on a screen of the given logical DPI: 15 twips a pixel at 96.
    static int toPixels(int twips, double dpi);
};

}  // namespace zelvane::editor
