#pragma once

#include "ChannelImage.h"
#include "ChannelTable.h"
#include "Language.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kx9 {

// Everything of the document that an edit can change.
struct DocumentState
{
    ChannelTable table;
    Selectors selectors;
    int currentType = 2;
    ChannelImage image;
};

struct CellChange
{
    int row;
    int col;
    std::string before;
    std::string after;
};

struct ByteChange
{
    std::size_t offset;
    std::uint8_t before;
    std::uint8_t after;
};

// One undoable step: only what it changed, before and after, so that a
// long editing session keeps a few bytes per typed value, and undoing one
// step never touches a byte or cell that another step changed.
struct DocumentChange
{
    std::vector<CellChange> cells;
    std::vector<ByteChange> bytes;
    Selectors selectorsBefore;
    Selectors selectorsAfter;
    int typeBefore = 2;
    int typeAfter = 2;

    bool empty() const
    {
        return cells.empty() && bytes.empty() && selectorsBefore == selectorsAfter &&
               typeBefore == typeAfter;
    }
};

// What changed from one state to another; empty when they are equal.
DocumentChange changeBetween(const DocumentState &before, const DocumentState &after);
// Puts the change's "after" values into the state (redo), or its "before"
// values (undo).
void applyChange(DocumentState &state, const DocumentChange &change);
void revertChange(DocumentState &state, const DocumentChange &change);

// The undo and redo stacks of the document. A new step drops what could
// have been redone.
class EditHistory
{
public:
    // Steps kept; the oldest go first.
    static constexpr std::size_t kLimit = 1000;

    // Ignores an empty change. Returns whether a step was added.
    bool push(DocumentChange change);
    bool canUndo() const { return m_next > 0; }
    bool canRedo() const { return m_next < m_steps.size(); }
    // The step to revert, or nullptr; it moves to the redo side.
    const DocumentChange *takeUndo();
    // The step to apply again, or nullptr; it moves to the undo side.
    const DocumentChange *takeRedo();
    void clear();
    std::size_t size() const { return m_steps.size(); }
    // After a language switch: the flag texts of every step, before and
    // after, in the new language, so that undo and redo put back texts of
    // the language in force.
    void translateCells(Language from, Language to);
    // A byte that no step may change any more; steps left empty go.
    void forgetByte(std::size_t offset);

private:
    std::vector<DocumentChange> m_steps;
    std::size_t m_next = 0; // steps before it are done
};

} // namespace kx9
