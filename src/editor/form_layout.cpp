#include "form_layout.h"

#include <array>
#include <cmath>

#include "offsets/offset_layout.h"

namespace zelvane::editor {
namespace {

using offsets::Axis;
using offsets::OffsetLayout;

constexpr int rowPitch = 390;
constexpr std::array<int, OffsetLayout::axisCount> fieldLefts{3840, 4800, 5700};
constexpr std::array<int, OffsetLayout::axisCount> headingLefts{4020, 4980, 5850};

int rowTop(int row) {
    return rowPitch * (row + 1);
}

// The fields of "Mouse view" and "Instrument" sit 30 twips below their
// captions: that is how the form has always looked, so it stays.
int fieldTop(int index) {
    const int row = OffsetLayout::rowOf(index);
    const bool dropped = row == 19 || row == 20;
    return rowTop(row) + (dropped ? 30 : 0);
}

// Label1(19) and Label1(20) were swapped on the form: each captions the
// other's row.
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
                            fieldLefts[axis], fieldTop(index), 525, 315, ControlAction::SelectField,
                            index});
    }
    using enum ControlKind;
    using enum ControlAction;
    controls.push_back({"Text2", SlotBox, "00", 8100, 960, 1065, 345});
    controls.push_back({"Command1", PushButton, "Save", 6810, 1470, 1155, 525, Save});
    controls.push_back({"File1", FileList, QString(), 7080, 2160, 2175, 6330});
    controls.push_back({"Command2", PushButton, "Read", 8130, 1470, 1185, 555, Read});
    controls.push_back({"Label5", Label, "Slot", 7110, 1020, 525, 285});
    controls.push_back({"Label4", ClickableLabel, "Decrease", 8100, 420, 945, 465, Decrease});
    controls.push_back({"Label3", ClickableLabel, "Increase", 7050, 420, 945, 465, Increase});
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
    controls.push_back({"FolderLine", ControlKind::FolderLine, QString(), 120, 9360, 9345, 285});
    return controls;
}

int FormLayout::toPixels(int twips, double dpi) {
    return static_cast<int>(std::lround(twips * dpi / 1440.0));
}

}  // namespace zelvane::editor
