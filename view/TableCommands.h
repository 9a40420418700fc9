#pragma once

#include <QObject>

#include <functional>

namespace kx9 {

class CellEditors;
class ChannelGrid;
class ChannelTable;
class ChannelTableModel;
class Document;
class Prompter;

// The clipboard and channel-move commands of the Edit menu over the grid's
// selection, each one undo step of the document. Copy and paste use
// TAB-separated lines, as spreadsheets do.
class TableCommands : public QObject
{
    Q_OBJECT
public:
    TableCommands(Document &document, Prompter &prompter, ChannelGrid &grid,
                  ChannelTableModel &model, CellEditors &editors, QObject *parent = nullptr);

    void copyCells();
    void cutCells();
    void pasteCells();
    // Empties the channels of the selected cells.
    void clearChannels();
    void selectAllCells();
    void insertChannels();
    void deleteChannels();
    void moveChannels(int by);
    // A table made elsewhere (an import) takes the grid's place, one undo step.
    void replaceTable(const ChannelTable &table);

signals:
    // An edit became an undo step.
    void edited();

private:
    // Runs an edit on a copy of the table and hands it to the document as
    // one undo step; false (nothing changed) when the edit declines.
    bool editTable(const std::function<bool(ChannelTable &)> &edit);
    // The selected rows that are channels of the type; false when none are.
    bool selectedChannels(int &first, int &count) const;

    Document &m_document;
    Prompter &m_prompter;
    ChannelGrid &m_grid;
    ChannelTableModel &m_model;
    CellEditors &m_editors;
};

} // namespace kx9
