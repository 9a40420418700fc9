#include "ChannelTableModel.h"

#include "QtText.h"
#include "Texts.h"

namespace kx9 {

ChannelTableModel::ChannelTableModel(const ChannelTable &table, QObject *parent)
    : QAbstractTableModel(parent), m_table(table)
{
}

int ChannelTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kTableRows - 1;
}

int ChannelTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kTableCols - 1;
}

QVariant ChannelTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return cell(index.row() + 1, index.column() + 1);
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    if (role == Qt::AccessibleTextRole) {
        const QString value = cell(index.row() + 1, index.column() + 1);
        return qs(text::kCellJoin.text())
            .arg(cellPlace(index.row() + 1, index.column() + 1),
                 value.trimmed().isEmpty() ? qs(text::kCellEmpty.text()) : value);
    }
    return {};
}

QString ChannelTableModel::cellPlace(int row, int col) const
{
    // The header without its unit: "Receive(MHz)" is spoken "Receive".
    QString column = cell(0, col);
    const qsizetype unit = column.indexOf(QLatin1Char('('));
    if (unit > 0)
        column.truncate(unit);
    return qs(text::kCellJoin.text()).arg(column.trimmed(), cell(row, kColLabel).trimmed());
}

QVariant ChannelTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    if (role != Qt::DisplayRole)
        return {};
    return orientation == Qt::Horizontal ? cell(0, section + 1) : cell(section + 1, kColLabel);
}

QString ChannelTableModel::cell(int row, int col) const
{
    return QString::fromStdString(m_table.cell(row, col));
}

void ChannelTableModel::cellChanged(int row, int col)
{
    if (row == 0)
        emit headerDataChanged(Qt::Horizontal, col - 1, col - 1);
    else if (col == kColLabel)
        emit headerDataChanged(Qt::Vertical, row - 1, row - 1);
    else
        emit dataChanged(index(row - 1, col - 1), index(row - 1, col - 1));
}

void ChannelTableModel::refresh()
{
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
    emit headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
}

void ChannelTableModel::reload()
{
    beginResetModel();
    endResetModel();
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
    emit headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
}

} // namespace kx9
