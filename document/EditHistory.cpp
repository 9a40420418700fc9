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
    if (before.image != after.image) {
        change.imageBefore = before.image;
        change.imageAfter = after.image;
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
    if (change.imageAfter) {
        state.image = *change.imageAfter;
    }
    state.selectors = change.selectorsAfter;
    state.currentType = change.typeAfter;
}

void revertChange(DocumentState &state, const DocumentChange &change)
{
    for (const CellChange &c : change.cells) {
        state.table.setCell(c.row, c.col, c.before);
    }
    if (change.imageBefore) {
        state.image = *change.imageBefore;
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

void EditHistory::clear()
{
    m_steps.clear();
    m_next = 0;
}

} // namespace kx9
