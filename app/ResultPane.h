#pragma once

#include <QLabel>
#include <QResizeEvent>

namespace kx9 {

// The status bar's result: as many lines as its text needs at the width it
// is given. A wrapped QLabel is measured by the bar at the bar's preferred
// width, where a one-line result takes two lines, so the bar, and the grid
// above it, jumped by a line whenever a result came.
class ResultPane : public QLabel
{
public:
    explicit ResultPane(QWidget *parent) : QLabel(parent) { setWordWrap(true); }

    bool hasHeightForWidth() const override { return false; }
    QSize sizeHint() const override { return {QLabel::sizeHint().width(), m_height}; }
    QSize minimumSizeHint() const override { return {QLabel::minimumSizeHint().width(), m_height}; }

    // Measures the text at this width; the pane measures again at every
    // width the bar gives it.
    void fit(int width)
    {
        const int height = text().isEmpty() ? 0 : heightForWidth(width);
        if (height != m_height) {
            m_height = height;
            updateGeometry();
        }
    }

protected:
    void resizeEvent(QResizeEvent *event) override
    {
        QLabel::resizeEvent(event);
        fit(event->size().width());
    }

private:
    int m_height = 0;
};

} // namespace kx9
