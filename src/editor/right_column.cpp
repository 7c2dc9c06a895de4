#include "right_column.h"

#include <algorithm>

namespace zelvane::editor {

RightColumn::RightColumn(QWidget* parent) : QWidget(parent) {}

void RightColumn::setList(QWidget* list, int gap) {
    m_list = list;
    m_listHeight = list->height();
    m_gap = gap;
    setMinimumHeight(list->y() + list->minimumSizeHint().height() + gap);
    fitList();
}

void RightColumn::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    fitList();
}

void RightColumn::fitList() {
    if (m_list == nullptr) {
        return;
    }
    const int room = height() - m_gap - m_list->y();
    m_list->resize(m_list->width(),
                   std::max(std::min(room, m_listHeight), m_list->minimumSizeHint().height()));
}

}  // namespace zelvane::editor
