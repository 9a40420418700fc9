#pragma once

#include "ChannelTable.h"

#include <QAbstractTableModel>

namespace kx9 {

// Shows the document's channel table in a Qt view: table row 0 is the
// horizontal header, table column 0 the vertical header (channel labels), and
// model cell (i, j) is table cell (i + 1, j + 1). The table itself stays the
// one copy of the channels, changed only by the document; this class only
// announces its changes.
class ChannelTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit ChannelTableModel(const ChannelTable &table, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    QString cell(int row, int col) const;
    // What a screen reader says of a cell before its value: "Receive, CH-P01".
    QString cellPlace(int row, int col) const;
    // After the document changed one cell.
    void cellChanged(int row, int col);

    // After the table was changed as a whole (new document, open, read, type change).
    void reload();
    // After many cells changed in place: the current cell and the selection stay.
    void refresh();

private:
    const ChannelTable &m_table;
};

} // namespace kx9
