#pragma once

// The editor's one window. It owns the OffsetTable (offsets library) and
// shows it in sixty fields built from FormLayout; typed text goes straight
// into the table, and each click handler below drives the table or
// ProfileStore, then shows the table again. Every handler runs inside
// runGuarded, the one place where a platform::RuntimeError is caught and
// shown with ErrorReport.

#include <QWidget>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "editor/form_layout.h"
#include "offsets/offset_table.h"

class QLineEdit;
class QListWidget;

namespace zelvane::editor {

class MainWindow : public QWidget {
    Q_OBJECT

  public:
    static constexpr const char* caption = "Zelvane utility V3";

    explicit MainWindow(QWidget* parent = nullptr);

    const offsets::OffsetTable& table() const { return m_table; }

    // Works in a folder from now on, or in a profile's folder, reading that
    // profile. On any failure it is reported and the editor stays where it
    // was, with nothing changed.
    void openLocation(const QString& path);

    void onLoad();
    void onFieldClick(int index);
    void onIncrease();
    void onDecrease();
    void onSave();
    void onRead();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildControls();
    QWidget* createControl(const ControlDescription& control);
    QLineEdit* createTextBox(const ControlDescription& control);
    void setTabOrder(const std::vector<QWidget*>& focusOrder);
    // Lists the profiles anew, keeping the selected one selected.
    void fillFileList();
    // The selected profile's name as the file system spells it, or "".
    std::string selectedProfile() const;
    void readProfile(const std::string& name);
    // Brings every field in line with the table, leaving alone the fields
    // that already show their value (and so the cursor of the one in use).
    void showValues();
    void runGuarded(const std::function<void()>& operation);

    offsets::OffsetTable m_table;
    std::array<QLineEdit*, offsets::OffsetTable::size> m_fields{};
    QLineEdit* m_slotBox = nullptr;
    QListWidget* m_fileList = nullptr;
    // The listed names as the file system spells them, row for row: a name
    // that is not valid UTF-8 must still open under its own bytes.
    std::vector<std::string> m_profileNames;
};

}  // namespace zelvane::editor
