#include "EditHistory.h"

#include "CellLanguage.h"

namespace kx9 {

DocumentChange changeBetween(const DocumentState &before, const DocumentState &after)
{
    DocumentChange change;
    // Row 0 holds the headers, which follow the language, not the user.
    for (int row = 1; row < kTableRows; ++row) {
        for (int col = 0; col < kTableCols; ++col) {
            const std::string &was = before.table.cell(row, col);
            const std::string &is = after.table.cell(row, col);
            if (was != is) {
                change.cells.push_back({row, col, was, is});
            }
        }
    }
    for (std::size_t offset = 0; offset < kImageSize; ++offset) {
        const std::uint8_t was = before.image.byte(offset);
        const std::uint8_t is = after.image.byte(offset);
        if (was != is) {
            change.bytes.push_back({offset, was, is});
        }
    }
    change.selectorsBefore = before.selectors;
    change.selectorsAfter = after.selectors;
    change.typeBefore = before.currentType;
    change.typeAfter = after.currentType;
    return change;
}

void applyChange(DocumentState &state, const DocumentChange &change)
{
    for (const CellChange &c : change.cells) {
        state.table.setCell(c.row, c.col, c.after);
    }
    for (const ByteChange &b : change.bytes) {
        state.image.setByte(b.offset, b.after);
    }
    state.selectors = change.selectorsAfter;
    state.currentType = change.typeAfter;
}

void revertChange(DocumentState &state, const DocumentChange &change)
{
    for (const CellChange &c : change.cells) {
        state.table.setCell(c.row, c.col, c.before);
    }
    for (const ByteChange &b : change.bytes) {
        state.image.setByte(b.offset, b.before);
    }
    state.selectors = change.selectorsBefore;
    state.currentType = change.typeBefore;
}

bool EditHistory::push(DocumentChange change)
{
    if (change.empty()) {
        return false;
    }
    m_steps.resize(m_next);
    m_steps.push_back(std::move(change));
    if (m_steps.size() > kLimit) {
        m_steps.erase(m_steps.begin());
    }
    m_next = m_steps.size();
    return true;
}

const DocumentChange *EditHistory::takeUndo()
{
    if (!canUndo()) {
        return nullptr;
    }
    return &m_steps[--m_next];
}

const DocumentChange *EditHistory::takeRedo()
{
    if (!canRedo()) {
        return nullptr;
    }
    return &m_steps[m_next++];
}

void EditHistory::translateCells(Language from, Language to)
{
    for (DocumentChange &step : m_steps) {
        for (CellChange &c : step.cells) {
            c.before = std::string(translateCellText(c.col, c.before, from, to));
            c.after = std::string(translateCellText(c.col, c.after, from, to));
        }
    }
}

void EditHistory::forgetByte(std::size_t offset)
{
    for (std::size_t i = m_steps.size(); i-- > 0;) {
        std::erase_if(m_steps[i].bytes,
                      [offset](const ByteChange &b) { return b.offset == offset; });
        if (m_steps[i].empty()) {
            m_steps.erase(m_steps.begin() + static_cast<std::ptrdiff_t>(i));
            if (i < m_next) {
                --m_next;
            }
        }
    }
}

void EditHistory::clear()
{
    m_steps.clear();
    m_next = 0;
}

} // namespace kx9
