#include "edit_history.h"

#include <algorithm>
#include <utility>

namespace zelvane::offsets {

std::size_t Edit::bytes() const {
    std::size_t total = sizeof(Edit) + name.size();
    for (const auto* place : {&before, &after}) {
        if (*place) {
            total += (*place)->slot.size();
        }
    }
    for (const Value& value : values) {
        total += sizeof(Value) + value.before.size() + value.after.size();
    }
    return total;
}

bool Edit::absorb(Edit next) {
    for (Value& value : next.values) {
        const auto same = std::find_if(values.begin(), values.end(), [&](const Value& kept) {
            return kept.index == value.index;
        });
        if (same == values.end()) {
            values.push_back(std::move(value));
        } else {
            same->after = std::move(value.after);
        }
    }
    std::erase_if(values, [](const Value& value) { return value.before == value.after; });
    if (next.after) {
        after = std::move(next.after);
    }
    return !values.empty() || before != after;
}

bool EditHistory::continuesRun(const Edit& edit) const {
    if (!m_runOpen || m_done == 0) {
        return false;
    }
    const Edit& top = m_edits[m_done - 1];
    return top.kind == edit.kind && top.field == edit.field;
}

void EditHistory::extendRun(Edit edit) {
    Edit& top = m_edits[m_done - 1];
    m_bytes -= top.bytes();
    if (top.absorb(std::move(edit))) {
        m_bytes += top.bytes();
    } else {
        m_edits.erase(m_edits.begin() + static_cast<std::ptrdiff_t>(--m_done));
        m_runOpen = false;
    }
    bound();
}

void EditHistory::add(Edit edit) {
    if (m_done == m_edits.size() && continuesRun(edit)) {
        extendRun(std::move(edit));
        return;
    }
    while (m_edits.size() > m_done) {
        m_bytes -= m_edits.back().bytes();
        m_edits.pop_back();
    }
    m_runOpen = edit.kind != Edit::Kind::Whole;
    m_bytes += edit.bytes();
    m_edits.push_back(std::move(edit));
    m_done = m_edits.size();
    bound();
}

void EditHistory::insert(Edit edit) {
    if (m_done == m_edits.size()) {
        add(std::move(edit));
        return;
    }
    for (const Edit::Value& taken : edit.values) {
        rebaseFirstUndone(taken);
    }
    if (continuesRun(edit)) {
        extendRun(std::move(edit));
        return;
    }
    m_runOpen = edit.kind != Edit::Kind::Whole;
    m_bytes += edit.bytes();
    m_edits.insert(m_edits.begin() + static_cast<std::ptrdiff_t>(m_done++), std::move(edit));
    bound();
}

void EditHistory::rebaseFirstUndone(const Edit::Value& taken) {
    for (auto later = m_edits.begin() + static_cast<std::ptrdiff_t>(m_done); later != m_edits.end();
         ++later) {
        const auto same =
            std::find_if(later->values.begin(), later->values.end(),
                         [&](const auto& value) { return value.index == taken.index; });
        if (same != later->values.end()) {
            m_bytes -= same->before.size();
            same->before = taken.after;
            m_bytes += same->before.size();
            return;
        }
    }
}

// The oldest done change goes first, then the change farthest to redo;
// the newest done change always stays.
void EditHistory::bound() {
    while (m_edits.size() > mostEdits || m_bytes > mostBytes) {
        if (m_done > 1) {
            m_bytes -= m_edits.front().bytes();
            m_edits.pop_front();
            --m_done;
        } else if (m_edits.size() > m_done) {
            m_bytes -= m_edits.back().bytes();
            m_edits.pop_back();
        } else {
            return;
        }
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

}  // namespace zelvane::offsets
