#include "profile_list.h"

#include <QStyledItemDelegate>
#include <algorithm>

#include "editor/shown_text.h"

namespace zelvane::editor {
namespace {

// Asks for no width of its own, so that every name is as wide as the list
// and a longer one is elided rather than scrolled.
class ListWideItems : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {1, QStyledItemDelegate::sizeHint(option, index).height()};
    }
};

}  // namespace

ProfileList::ProfileList(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    // One line per name: no need to measure a thousand items.
    setUniformItemSizes(true);
    // A long name keeps its end, where the slot is.
    setItemDelegate(new ListWideItems(this));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTextElideMode(Qt::ElideMiddle);
}

// The same names leave the list as it is: its scroll position, and the
// item the keyboard rests on.
void ProfileList::setNames(std::vector<std::string> names) {
    if (names == m_names) {
        return;
    }
    const std::string selected = selectedName();
    QStringList shown;
    shown.reserve(static_cast<qsizetype>(names.size()));
    for (const std::string& name : names) {
        shown.append(shownText(name));
    }
    clear();
    addItems(shown);
    m_names = std::move(names);
    selectName(selected);
}

void ProfileList::selectName(const std::string& name) {
    const auto found = std::find(m_names.begin(), m_names.end(), name);
    if (found != m_names.end()) {
        setCurrentRow(static_cast<int>(found - m_names.begin()));
    } else {
        clearSelection();
    }
}

std::string ProfileList::selectedName() const {
    const QList<QListWidgetItem*> selected = selectedItems();
    if (selected.isEmpty()) {
        return {};
    }
    return m_names.at(static_cast<std::size_t>(row(selected.front())));
}

}  // namespace zelvane::editor
