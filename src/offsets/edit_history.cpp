#include "edit_history.h"

#include <utility>

namespace zelvane::offsets {
namespace {

std::size_t bytesOf(const std::optional<TableContext>& context) {
    std::size_t bytes = 0;
    if (context && context->unchanged) {
        for (const std::string& value : *context->unchanged) {
            bytes += value.size();
        }
    }
    return bytes;
}

}  // namespace

std::size_t Edit::bytes() const {
    std::size_t total = sizeof(Edit) + name.size() + bytesOf(before) + bytesOf(after);
    for (const Value& value : values) {
        total += sizeof(Value) + value.before.size() + value.after.size();
    }
    return total;
}

Edit* EditHistory::openRun(Edit::Kind kind, int field) {
    if (!m_runOpen || m_done == 0 || m_done != m_edits.size()) {
        return nullptr;
    }
    Edit& top = m_edits.back();
    return top.kind == kind && top.field == field ? &top : nullptr;
}

void EditHistory::grown(std::size_t bytesBefore) {
    m_bytes += m_edits.back().bytes();
    m_bytes -= bytesBefore;
    bound();
}

void EditHistory::dropTop() {
    m_bytes -= m_edits.back().bytes();
    m_edits.pop_back();
    m_done = m_edits.size();
    m_runOpen = false;
}

void EditHistory::push(Edit edit) {
    while (m_edits.size() > m_done) {
        m_bytes -= m_edits.back().bytes();
        m_edits.pop_back();
    }
    m_bytes += edit.bytes();
    m_runOpen = edit.kind != Edit::Kind::WholeTable;
    m_edits.push_back(std::move(edit));
    m_done = m_edits.size();
    bound();
}

void EditHistory::bound() {
    while (m_edits.size() > 1 && (m_edits.size() > mostEdits || m_bytes > mostBytes)) {
        m_bytes -= m_edits.front().bytes();
        m_edits.pop_front();
        --m_done;
    }
}

const Edit* EditHistory::undo() {
    m_runOpen = false;
    if (m_done == 0) {
        return nullptr;
    }
    return &m_edits[--m_done];
}

const Edit* EditHistory::redo() {
    m_runOpen = false;
    if (m_done == m_edits.size()) {
        return nullptr;
    }
    return &m_edits[m_done++];
}

void EditHistory::forEachContext(const std::function<void(TableContext&)>& visit) {
    for (Edit& edit : m_edits) {
        for (std::optional<TableContext>* context : {&edit.before, &edit.after}) {
            if (*context) {
                visit(**context);
            }
        }
    }
    m_bytes = 0;
    for (const Edit& edit : m_edits) {
        m_bytes += edit.bytes();
    }
}

}  // namespace zelvane::offsets
