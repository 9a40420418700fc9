#pragma once

#include "ReportLayout.h"

#include <QDialog>
#include <QList>

#include <functional>

class QLabel;
class QPainter;
class QPrinter;
class QPushButton;
class QScrollArea;

namespace kx9::report {

class PreviewCanvas;

// Print Preview: the report's pages on screen as the printer would print
// them, two side by side unless the user asks for one. Next and Prev move
// one page at a time; Print closes the preview and asks to print.
class PrintPreviewDialog : public QDialog
{
    Q_OBJECT
public:
    // Draws page n (1-based) onto a painter in the printer's device pixels.
    using PagePainter = std::function<void(QPainter &, const PageDevice &, int page)>;

    PrintPreviewDialog(QPrinter &printer, PagePainter pagePainter, int pageCount,
                       QWidget *parent = nullptr);

    // The pages now shown, left to right.
    QList<int> shownPages() const;
    bool twoPages() const { return m_twoPages; }
    int zoomStep() const { return m_zoom; }
    QString statusText() const;

    void nextPage();
    void prevPage();
    void toggleTwoPages();
    void zoomIn();
    void zoomOut();

    QPushButton *printButton() const { return m_print; }
    QPushButton *nextButton() const { return m_next; }
    QPushButton *prevButton() const { return m_prev; }
    QPushButton *pagesButton() const { return m_pages; }

signals:
    // The user chose Print; the dialog has closed.
    void printRequested();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void showFrom(int first);
    void refresh();

    QPrinter &m_printer;
    PagePainter m_pagePainter;
    int m_pageCount;
    int m_first = 1;
    bool m_twoPages = true;
    int m_zoom = 0; // 0 fits the pages into the window, each step doubles
    QPushButton *m_print = nullptr;
    QPushButton *m_next = nullptr;
    QPushButton *m_prev = nullptr;
    QPushButton *m_pages = nullptr;
    QPushButton *m_zoomIn = nullptr;
    QPushButton *m_zoomOut = nullptr;
    QLabel *m_status = nullptr;
    QScrollArea *m_scroll = nullptr;
    PreviewCanvas *m_canvas = nullptr;
};

} // namespace kx9::report
