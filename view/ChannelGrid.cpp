#include "ChannelGrid.h"

#include "ChannelTable.h"
#include "ChannelTableModel.h"

#include <QHeaderView>
#include <QItemSelection>

#include <QKeyEvent>
#include <QLabel>
#include <QScrollBar>
#include <algorithm>

namespace kx9 {

ChannelGrid::ChannelGrid(ChannelTableModel &model, QWidget *parent)
    : QTableView(parent), m_model(model)
{
    setModel(&model);
    // Rectangles of cells, for copy and paste and the channel moves.
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setCornerButtonEnabled(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setHighlightSections(false);

    m_corner = new QLabel(this);
    m_corner->setAlignment(Qt::AlignCenter);
    m_corner->setFont(horizontalHeader()->font());
    connect(&model, &QAbstractItemModel::headerDataChanged, this,
            [this] { m_corner->setText(m_model.cell(0, kColLabel)); });
    connect(&model, &QAbstractItemModel::modelReset, this,
            [this] { m_corner->setText(m_model.cell(0, kColLabel)); });

    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &ChannelGrid::scrolled);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, &ChannelGrid::scrolled);
    applyColumnWidths();
}

int ChannelGrid::rows() const
{
    return kTableRows;
}

int ChannelGrid::cols() const
{
    return kTableCols;
}

int ChannelGrid::row() const
{
    return currentIndex().isValid() ? currentIndex().row() + 1 : 0;
}

int ChannelGrid::col() const
{
    return currentIndex().isValid() ? currentIndex().column() + 1 : 0;
}

void ChannelGrid::setRow(int row)
{
    setCell(row, col() > 0 ? col() : 1);
}

void ChannelGrid::setCol(int col)
{
    setCell(row() > 0 ? row() : 1, col);
}

void ChannelGrid::setCell(int row, int col)
{
    if (row < 1 || row >= rows() || col < 1 || col >= cols())
        return;
    setCurrentIndex(m_model.index(row - 1, col - 1));
}

QString ChannelGrid::textMatrix(int row, int col) const
{
    return m_model.cell(row, col);
}

QRect ChannelGrid::cellRect() const
{
    return visualRect(currentIndex());
}

void ChannelGrid::applyColumnWidths()
{
    // Widths keep the proportions dealers know from the radio maker's tool:
    // multiples of the default column width w. Scan is as wide as its
    // neighbours: the Enter walk opens its list, which must be seen.
    const double w = horizontalHeader()->defaultSectionSize();
    static constexpr double kFactors[kTableCols] = {0.75,
                                                    1.2,
                                                    1.2,
                                                    0.8333333333333334,
                                                    0.8333333333333334,
                                                    0.8333333333333334,
                                                    0.8333333333333334,
                                                    0.8333333333333334,
                                                    0.8333333333333334,
                                                    0.9};
    verticalHeader()->setFixedWidth(static_cast<int>(kFactors[kColLabel] * w));
    for (int c = 1; c < kTableCols; ++c)
        setColumnWidth(c - 1, static_cast<int>(kFactors[c] * w));
}

QSize ChannelGrid::sizeHint() const
{
    int width =
        2 * frameWidth() + verticalHeader()->width() + verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < kTableCols - 1; ++c)
        width += columnWidth(c);
    return {width, QTableView::sizeHint().height()};
}

void ChannelGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    // The cell being left is committed before the view scrolls to the new one,
    // so that following the cursor never counts as a scroll that discards.
    if (previous.isValid())
        emit leaveCell(previous.row() + 1, previous.column() + 1);
    QTableView::currentChanged(current, previous);
    if (current.isValid())
        emit enterCell();
}

void ChannelGrid::keyPressEvent(QKeyEvent *event)
{
    const QString text = event->text();
    const bool command = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
    if (!command && text.size() >= 1 && text.at(0).unicode() >= 32 && text.at(0) != QChar(127)) {
        if (row() > 0 && col() > 0)
            emit keyPressed(text.toUcs4().value(0));
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void ChannelGrid::mousePressEvent(QMouseEvent *event)
{
    // The pressed cell becomes current first, so one click opens its editor;
    // it opens when the button comes up on the same cell, so that a drag
    // or a Shift-click selects cells instead.
    QTableView::mousePressEvent(event);
    const bool plain = event->button() == Qt::LeftButton &&
                       !(event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier));
    m_pressed = plain ? indexAt(event->position().toPoint()) : QModelIndex();
}

void ChannelGrid::mouseReleaseEvent(QMouseEvent *event)
{
    QTableView::mouseReleaseEvent(event);
    const QModelIndex pressed = m_pressed;
    m_pressed = QModelIndex();
    if (pressed.isValid() && event->button() == Qt::LeftButton &&
        indexAt(event->position().toPoint()) == pressed && pressed == currentIndex())
        emit mouseDown();
}

ChannelGrid::Range ChannelGrid::selectedRange() const
{
    const QModelIndexList cells = selectionModel()->selectedIndexes();
    if (cells.isEmpty()) {
        if (row() == 0)
            return {};
        return {row(), col(), row(), col()};
    }
    Range range{kTableRows, kTableCols, 0, 0};
    for (const QModelIndex &cell : cells) {
        range.top = std::min(range.top, cell.row() + 1);
        range.left = std::min(range.left, cell.column() + 1);
        range.bottom = std::max(range.bottom, cell.row() + 1);
        range.right = std::max(range.right, cell.column() + 1);
    }
    return range;
}

void ChannelGrid::selectRange(const Range &range)
{
    if (range.top < 1)
        return;
    setCell(range.top, range.left);
    const QItemSelection selection(m_model.index(range.top - 1, range.left - 1),
                                   m_model.index(range.bottom - 1, range.right - 1));
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void ChannelGrid::updateGeometries()
{
    QTableView::updateGeometries();
    if (m_corner) {
        m_corner->setGeometry(frameWidth(), frameWidth(), verticalHeader()->width(),
                              horizontalHeader()->height());
        m_corner->raise();
    }
}

} // namespace kx9
