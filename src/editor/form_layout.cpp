#include "form_layout.h"

#include <array>
#include <cmath>

#include "offsets/offset_layout.h"

namespace zelvane::editor {
namespace {

using offsets::Axis;
using offsets::OffsetLayout;
using namespace Qt::StringLiterals;

constexpr int rowPitch = 390;
constexpr std::array<int, OffsetLayout::axisCount> fieldLefts{3840, 4800, 5700};
constexpr std::array<int, OffsetLayout::axisCount> headingLefts{4020, 4980, 5850};

int rowTop(int row) {
    return rowPitch * (row + 1);
}

// The fields of "Mouse view" and "Instrument" sit 30 twips below their
// captions. The form's geometry is fixed to the twip, as the tools that
// click its controls by position expect it.
int fieldTop(int index) {
    const int row = OffsetLayout::rowOf(index);
    const bool dropped = row == 19 || row == 20;
    return rowTop(row) + (dropped ? 30 : 0);
}

// Label1(19) captions row 20 and Label1(20) row 19: the controls keep the
// names they are known by, so a caption found by its name is the right one.
int captionedRow(int labelIndex) {
    if (labelIndex == 19) {
        return 20;
    }
    if (labelIndex == 20) {
        return 19;
    }
    return labelIndex;
}

QString indexed(const char* name, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

QString qString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

std::vector<ControlDescription> FormLayout::controls() {
    std::vector<ControlDescription> controls;
    for (int index = 0; index < OffsetLayout::valueCount; ++index) {
        const int axis = static_cast<int>(OffsetLayout::axisOf(index));
        controls.push_back({indexed("Text1", index), ControlKind::Field, QString(),
                            fieldLefts[axis], fieldTop(index), 525, 315, index});
    }
    using enum ControlKind;
    controls.push_back({u"Text2"_s, SlotBox, u"00"_s, 8100, 960, 1065, 345});
    controls.push_back({u"Command1"_s, SaveButton, u"Save"_s, 6810, 1470, 1155, 525});
    controls.push_back({u"File1"_s, FileList, QString(), 7080, 2160, 2175, 6330});
    controls.push_back({u"Command2"_s, ReadButton, u"Read"_s, 8130, 1470, 1185, 555});
    controls.push_back({u"Label5"_s, Label, u"Slot"_s, 7110, 1020, 525, 285});
    controls.push_back({u"Label4"_s, DecreaseLabel, u"Decrease"_s, 8100, 420, 945, 465});
    controls.push_back({u"Label3"_s, IncreaseLabel, u"Increase"_s, 7050, 420, 945, 465});
    for (int axis = 0; axis < OffsetLayout::axisCount; ++axis) {
        controls.push_back({indexed("Label2", axis), ControlKind::Label,
                            qString(OffsetLayout::axisName(static_cast<Axis>(axis))),
                            headingLefts[axis], 30, 195, 255});
    }
    for (int label = 0; label < OffsetLayout::rowCount; ++label) {
        const int row = captionedRow(label);
        controls.push_back({indexed("Label1", label), ControlKind::Label,
                            qString(OffsetLayout::caption(row)), 1320, rowTop(row), 2235, 315});
    }
    controls.push_back({u"FolderLine"_s, FolderLine, QString(), 120, 9360, 4620, 285});
    controls.push_back(
        {u"ChangeFolder"_s, ChangeFolderButton, u"Change folder\u2026"_s, 4860, 9270, 1635, 465});
    controls.push_back({u"Undo"_s, UndoButton, u"Undo"_s, 6615, 9270, 1380, 465});
    controls.push_back({u"Redo"_s, RedoButton, u"Redo"_s, 8085, 9270, 1380, 465});
    return controls;
}

int FormLayout::toPixels(int twips, double dpi) {
    return static_cast<int>(std::lround(twips * dpi / 1440.0));
}

}  // namespace zelvane::editor
