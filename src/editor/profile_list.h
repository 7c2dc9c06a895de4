#pragma once

#include <QListWidget>
#include <string>
#include <vector>

namespace zelvane::editor {

// The list of the profiles in the editor's folder. It keeps the names as
// the file system spells them beside the shown text, so that a name that
// is not valid UTF-8 still opens under its own bytes, and shows such a
// name's stray bytes as \xHH.
class ProfileList : public QListWidget {
    Q_OBJECT

  public:
    explicit ProfileList(QWidget* parent = nullptr);

    // Shows these names in this order, keeping the selected one selected.
    void setNames(std::vector<std::string> names);
    // The selected profile's name as the file system spells it, or "".
    std::string selectedName() const;
    // Selects the profile of this name, or nothing if it is not listed.
    void selectName(const std::string& name);

  private:
    std::vector<std::string> m_names;
};

}  // namespace zelvane::editor
