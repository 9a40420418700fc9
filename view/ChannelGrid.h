#pragma once

#include <QTableView>

class QLabel;

namespace kx9 {

class ChannelTableModel;

// The channel grid: 128 channel rows and 9 data columns below a header row
// and beside a label column. Rows and columns are counted as the user sees
// them: row 1 is channel 1, column 1 is Receive, row 0 and column 0 are the
// headers. The grid never edits by itself; it reports cell changes, typed
// characters, mouse presses and scrolling, and the view opens its editors.
class ChannelGrid : public QTableView
{
    Q_OBJECT
public:
    explicit ChannelGrid(ChannelTableModel &model, QWidget *parent = nullptr);

    ChannelTableModel &channelModel() const { return m_model; }

    int rows() const; // 129, the header row included
    int cols() const; // 10, the label column included
    int row() const;  // current row, 0 when there is none
    int col() const;
    void setRow(int row);
    void setCol(int col);
    void setCell(int row, int col);

    QString textMatrix(int row, int col) const;

    // Rectangle of the current cell in viewport coordinates.
    QRect cellRect() const;

    // The selected rectangle (the current cell when nothing is selected),
    // in table rows and columns; top 0 when there is no current cell.
    struct Range
    {
        int top = 0, left = 0, bottom = 0, right = 0;
    };
    Range selectedRange() const;
    void selectRange(const Range &range);

    // Applies the column widths as multiples of the default column width w.
    void applyColumnWidths();

    // Wide enough for every column, so the window can shrink to fit it.
    QSize sizeHint() const override;

signals:
    void enterCell();
    void leaveCell(int row, int col);
    void keyPressed(char32_t ch);
    void mouseDown();
    void scrolled();

protected:
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void updateGeometries() override;

private:
    ChannelTableModel &m_model;
    QLabel *m_corner = nullptr; // "CH" over the corner of the two headers
    QModelIndex m_pressed;      // the cell a plain left click started on
};

} // namespace kx9
