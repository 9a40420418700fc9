#include "TableCommands.h"

#include "CellEditors.h"
#include "ChannelGrid.h"
#include "ChannelTableModel.h"
#include "Document.h"
#include "Prompter.h"
#include "QtText.h"
#include "RadioType.h"
#include "TableEdits.h"
#include "Texts.h"

#include <QClipboard>
#include <QGuiApplication>

#include <algorithm>

namespace kx9 {

TableCommands::TableCommands(Document &document, Prompter &prompter, ChannelGrid &grid,
                             ChannelTableModel &model, CellEditors &editors, QObject *parent)
    : QObject(parent), m_document(document), m_prompter(prompter), m_grid(grid), m_model(model),
      m_editors(editors)
{
}

bool TableCommands::editTable(const std::function<bool(ChannelTable &)> &edit)
{
    m_editors.commitEditor();
    m_editors.hideEditors();
    ChannelTable table = m_document.table();
    if (!edit(table))
        return false;
    const bool changed = m_document.replaceChannels(table);
    m_model.refresh();
    if (changed)
        emit edited();
    return true;
}

bool TableCommands::selectedChannels(int &first, int &count) const
{
    const ChannelGrid::Range range = m_grid.selectedRange();
    const int last = channelCount(m_document.currentType());
    if (range.top < 1 || range.top > last)
        return false;
    first = range.top;
    count = std::min(range.bottom, last) - range.top + 1;
    return true;
}

void TableCommands::copyCells()
{
    m_editors.commitEditor();
    const ChannelGrid::Range r = m_grid.selectedRange();
    if (r.top < 1)
        return;
    QGuiApplication::clipboard()->setText(
        qs(kx9::copyCells(m_document.table(), {r.top, r.left, r.bottom, r.right})));
}

void TableCommands::cutCells()
{
    copyCells();
    clearChannels();
}

void TableCommands::clearChannels()
{
    const ChannelGrid::Range r = m_grid.selectedRange();
    if (r.top < 1)
        return;
    editTable([&](ChannelTable &table) {
        kx9::clearChannels(table, r.top, r.bottom);
        return true;
    });
}

void TableCommands::pasteCells()
{
    const std::string text = toStd(QGuiApplication::clipboard()->text());
    const int row = std::max(m_grid.row(), 1);
    const int col = std::max(m_grid.col(), 1);
    if (text.empty())
        return;
    PasteResult result;
    editTable([&](ChannelTable &table) {
        result =
            kx9::pasteCells(table, m_document.currentType(), row, col, text, currentLanguage());
        table = result.table;
        return true;
    });
    // The block written stays selected, so it can be copied or moved on.
    const auto lines = static_cast<int>(std::count(text.begin(), text.end(), '\n')) +
                       (text.back() == '\n' ? 0 : 1);
    const std::string firstLine = text.substr(0, text.find('\n'));
    const auto cells = static_cast<int>(std::count(firstLine.begin(), firstLine.end(), '\t')) + 1;
    m_grid.selectRange({row, col, std::min(row + lines - 1, kTableRows - 1),
                        std::min(col + cells - 1, kTableCols - 1)});
    const std::string report =
        kx9::pasteReport(m_document.table(), result, m_document.currentType(), currentLanguage());
    if (!report.empty())
        m_prompter.inform(report, Prompter::Icon::Warning);
}

void TableCommands::selectAllCells()
{
    m_editors.commitEditor();
    m_editors.hideEditors();
    m_grid.selectAll();
}

void TableCommands::insertChannels()
{
    int first = 0, count = 0;
    if (!selectedChannels(first, count))
        return;
    if (!editTable([&](ChannelTable &table) {
            return kx9::insertEmptyChannels(table, m_document.currentType(), first, count);
        }))
        m_prompter.inform(text::kInsertNoRoom.text(), Prompter::Icon::Warning);
}

void TableCommands::deleteChannels()
{
    int first = 0, count = 0;
    if (!selectedChannels(first, count))
        return;
    editTable([&](ChannelTable &table) {
        return kx9::deleteChannels(table, m_document.currentType(), first, count);
    });
}

void TableCommands::moveChannels(int by)
{
    int first = 0, count = 0;
    if (!selectedChannels(first, count))
        return;
    const ChannelGrid::Range range = m_grid.selectedRange();
    if (editTable([&](ChannelTable &table) {
            return kx9::moveChannels(table, m_document.currentType(), first, count, by);
        }))
        // The selection travels with the channels.
        m_grid.selectRange({first + by, range.left, first + count - 1 + by, range.right});
}

void TableCommands::replaceTable(const ChannelTable &replacement)
{
    editTable([&](ChannelTable &table) {
        table = replacement;
        return true;
    });
}

} // namespace kx9
