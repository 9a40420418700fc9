#include "PrintPreviewDialog.h"

#include "PrintHelpTexts.h"
#include "QtText.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace kx9::report {

namespace {

constexpr int kGap = 16; // grey border around and between the pages, in screen pixels

} // namespace

// The pages on grey, each a sheet of paper with the report drawn where the
// printer's printable area lies.
class PreviewCanvas : public QWidget
{
public:
    PreviewCanvas(QPrinter &printer, const PrintPreviewDialog::PagePainter &pagePainter,
                  const QWidget &viewport, QWidget *parent)
        : QWidget(parent), m_printer(printer), m_pagePainter(pagePainter), m_viewport(viewport)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

    void showPages(const QList<int> &pages, int zoom)
    {
        m_pages = pages;
        m_zoom = zoom;
        // Zoomed in, the pages outgrow the window and the scroll bars appear.
        const double s = scale();
        const QSizeF paper = paperSize();
        const auto n = static_cast<int>(m_pages.size());
        setMinimumSize(m_zoom == 0 ? QSize()
                                   : QSize(int(n * paper.width() * s) + (n + 1) * kGap,
                                           int(paper.height() * s) + 2 * kGap));
        QWidget::update();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(128, 128, 128));
        if (m_pages.isEmpty()) {
            return;
        }
        const double s = scale();
        const QSizeF paper = paperSize();
        const QRectF printable = m_printer.pageRect(QPrinter::DevicePixel);
        const PageDevice device{0,
                                0,
                                int(printable.width()),
                                int(printable.height()),
                                m_printer.logicalDpiX(),
                                m_printer.logicalDpiY()};
        const auto n = static_cast<int>(m_pages.size());
        const double totalWidth = n * paper.width() * s + (n - 1) * kGap;
        double x = std::max<double>(kGap, (width() - totalWidth) / 2);
        const double y = std::max<double>(kGap, (height() - paper.height() * s) / 2);
        painter.setRenderHint(QPainter::Antialiasing);
        for (const int page : m_pages) {
            const QRectF sheet(x, y, paper.width() * s, paper.height() * s);
            painter.fillRect(sheet.translated(3, 3), QColor(64, 64, 64));
            painter.fillRect(sheet, Qt::white);
            painter.save();
            painter.setClipRect(sheet);
            painter.translate(sheet.topLeft());
            painter.scale(s, s);
            painter.translate(printable.topLeft());
            m_pagePainter(painter, device, page);
            painter.restore();
            x += sheet.width() + kGap;
        }
    }

private:
    QSizeF paperSize() const { return m_printer.paperRect(QPrinter::DevicePixel).size(); }

    // Screen pixels per device pixel: the pages fit the window, then each
    // zoom step doubles them.
    double scale() const
    {
        const QSizeF paper = paperSize();
        const auto n = static_cast<double>(std::max<qsizetype>(1, m_pages.size()));
        if (paper.isEmpty()) {
            return 1.0;
        }
        const QSize view = m_viewport.size();
        const double sx = (view.width() - (n + 1) * kGap) / (n * paper.width());
        const double sy = (view.height() - 2 * kGap) / paper.height();
        return std::max(0.01, std::min(sx, sy)) * std::pow(2.0, m_zoom);
    }

    QPrinter &m_printer;
    const PrintPreviewDialog::PagePainter &m_pagePainter;
    const QWidget &m_viewport;
    QList<int> m_pages;
    int m_zoom = 0;
};

PrintPreviewDialog::PrintPreviewDialog(QPrinter &printer, PagePainter pagePainter, int pageCount,
                                       QWidget *parent)
    : QDialog(parent), m_printer(printer), m_pagePainter(std::move(pagePainter)),
      m_pageCount(std::max(1, pageCount))
{
    setWindowTitle(ui(text::kPreviewCaption));
    m_print = new QPushButton(ui(text::kPreviewPrint), this);
    m_next = new QPushButton(ui(text::kPreviewNextPage), this);
    m_prev = new QPushButton(ui(text::kPreviewPrevPage), this);
    m_pages = new QPushButton(this);
    m_zoomIn = new QPushButton(ui(text::kPreviewZoomIn), this);
    m_zoomOut = new QPushButton(ui(text::kPreviewZoomOut), this);
    auto *close = new QPushButton(ui(text::kPreviewClose), this);
    m_status = new QLabel(this);
    for (QPushButton *b : {m_print, m_next, m_prev, m_pages, m_zoomIn, m_zoomOut, close})
        b->setAutoDefault(false);

    m_scroll = new QScrollArea(this);
    m_scroll->setAccessibleName(ui(text::kPreviewCaption));
    m_scroll->setWidgetResizable(true);
    m_scroll->setAlignment(Qt::AlignCenter);
    m_canvas = new PreviewCanvas(m_printer, m_pagePainter, *m_scroll->viewport(), m_scroll);
    m_scroll->setWidget(m_canvas);

    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {m_print, m_next, m_prev, m_pages, m_zoomIn, m_zoomOut, close})
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(m_status);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_scroll, 1);

    connect(m_print, &QPushButton::clicked, this, [this] {
        accept();
        emit printRequested();
    });
    connect(m_next, &QPushButton::clicked, this, &PrintPreviewDialog::nextPage);
    connect(m_prev, &QPushButton::clicked, this, &PrintPreviewDialog::prevPage);
    connect(m_pages, &QPushButton::clicked, this, &PrintPreviewDialog::toggleTwoPages);
    connect(m_zoomIn, &QPushButton::clicked, this, &PrintPreviewDialog::zoomIn);
    connect(m_zoomOut, &QPushButton::clicked, this, &PrintPreviewDialog::zoomOut);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    // Room for two pages, but never past the screen: at 125 % on a
    // 1366 x 768 screen the bottom of the pages and the frame's edge were
    // out of reach. The title bar and borders are allowed for.
    QSize size(1000, 720);
    if (const QScreen *shown = screen())
        size = size.boundedTo(shown->availableGeometry().size() - QSize(16, 40));
    resize(size);
    refresh();
}

QList<int> PrintPreviewDialog::shownPages() const
{
    QList<int> pages{m_first};
    if (m_twoPages && m_first + 1 <= m_pageCount)
        pages << m_first + 1;
    return pages;
}

QString PrintPreviewDialog::statusText() const
{
    return m_status->text();
}

void PrintPreviewDialog::showFrom(int first)
{
    // With two pages shown, the last spread is the last two pages.
    const int last = m_twoPages ? std::max(1, m_pageCount - 1) : m_pageCount;
    m_first = std::clamp(first, 1, last);
    refresh();
}

void PrintPreviewDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_PageDown) {
        nextPage();
        return;
    }
    if (event->key() == Qt::Key_PageUp) {
        prevPage();
        return;
    }
    QDialog::keyPressEvent(event);
}

void PrintPreviewDialog::nextPage()
{
    showFrom(m_first + 1);
}

void PrintPreviewDialog::prevPage()
{
    showFrom(m_first - 1);
}

void PrintPreviewDialog::toggleTwoPages()
{
    m_twoPages = !m_twoPages;
    showFrom(m_first);
}

void PrintPreviewDialog::zoomIn()
{
    m_zoom = std::min(m_zoom + 1, 2);
    refresh();
}

void PrintPreviewDialog::zoomOut()
{
    m_zoom = std::max(m_zoom - 1, 0);
    refresh();
}

void PrintPreviewDialog::refresh()
{
    const QList<int> pages = shownPages();
    const int lastShown = pages.back();
    const int lastFirst = m_twoPages ? std::max(1, m_pageCount - 1) : m_pageCount;
    m_next->setEnabled(m_first < lastFirst);
    m_prev->setEnabled(m_first > 1);
    m_pages->setText(ui(m_twoPages ? text::kPreviewOnePage : text::kPreviewTwoPage));
    m_pages->setEnabled(m_pageCount > 1);
    m_zoomIn->setEnabled(m_zoom < 2);
    m_zoomOut->setEnabled(m_zoom > 0);
    m_status->setText(pages.size() == 1 ? ui(text::kPreviewPage).arg(m_first)
                                        : ui(text::kPreviewPages).arg(m_first).arg(lastShown));
    m_canvas->showPages(pages, m_zoom);
}

} // namespace kx9::report
