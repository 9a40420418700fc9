#include "ReportPrinting.h"

#include "PrintPreviewDialog.h"
#include "ReportRenderer.h"

#include <QFile>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTemporaryDir>

#include <algorithm>

namespace kx9::report {

std::vector<int> sheetOrder(int first, int last, int copies, bool collate, bool reverse)
{
    std::vector<int> pages;
    for (int i = 0; i <= last - first; ++i) {
        pages.push_back(reverse ? last - i : first + i);
    }
    std::vector<int> sheets;
    if (collate) {
        for (int round = 0; round < copies; ++round) {
            sheets.insert(sheets.end(), pages.begin(), pages.end());
        }
    } else {
        for (const int page : pages) {
            sheets.insert(sheets.end(), static_cast<std::size_t>(std::max(0, copies)), page);
        }
    }
    return sheets;
}

ReportPrinting::ReportPrinting(SourceProvider source, QObject *parent)
    : QObject(parent), m_source(std::move(source)),
      m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    m_printer->setFromTo(0, 0);
    m_printer->setDocName(QStringLiteral("KX9"));
}

ReportPrinting::~ReportPrinting() = default;

std::vector<PlacedText> ReportPrinting::drawPage(QPainter &painter, const PageDevice &device,
                                                 int page) const
{
    return drawReportPage(painter, device, page, m_source(), currentLanguage());
}

ReportPrinting::Outcome ReportPrinting::print(QWidget *parent)
{
    QPrintDialog dialog(m_printer.get(), parent);
    dialog.setMinMax(1, kPageCount);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    if (dialog.exec() != QDialog::Accepted) {
        return Outcome::Cancelled;
    }
    return printPages() ? Outcome::Printed : Outcome::Failed;
}

bool ReportPrinting::printPages()
{
    m_failure.clear();
    QPrinter &printer = *m_printer;
    const QString target = m_keeper && printer.outputFormat() == QPrinter::PdfFormat
                               ? printer.outputFileName()
                               : QString();
    if (target.isEmpty())
        return drawPages();
    // The PDF is drawn into a private scratch file, and reaches the name the
    // user chose whole, as every other file does, through the keeper.
    const QTemporaryDir scratch;
    if (!scratch.isValid())
        return false;
    printer.setOutputFileName(scratch.filePath(QStringLiteral("report.pdf")));
    const bool drawn = drawPages();
    printer.setOutputFileName(target);
    QFile file(scratch.filePath(QStringLiteral("report.pdf")));
    const QByteArray pdf = drawn && file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    // A file cut short (the scratch disk full) lacks the end-of-file mark.
    if (!pdf.trimmed().endsWith("%%EOF"))
        return false;
    m_failure = m_keeper(target, pdf);
    return m_failure.empty();
}

bool ReportPrinting::drawPages()
{
    QPrinter &printer = *m_printer;
    int first = 1;
    int last = kPageCount;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = std::clamp(printer.fromPage(), 1, kPageCount);
        last = std::clamp(printer.toPage() > 0 ? printer.toPage() : kPageCount, first, kPageCount);
    }
    // Printers that cannot make copies themselves (a PDF file) get each page
    // drawn as often as asked; the page order is ours to keep too.
    const int copies = printer.supportsMultipleCopies() ? 1 : std::max(1, printer.copyCount());

    QPainter painter;
    if (!painter.begin(&printer)) {
        return false;
    }
    const PageDevice device = pageDeviceOf(printer);
    bool firstSheet = true;
    for (const int page : sheetOrder(first, last, copies, printer.collateCopies(),
                                     printer.pageOrder() == QPrinter::LastPageFirst)) {
        if (!firstSheet) {
            printer.newPage();
        }
        firstSheet = false;
        drawPage(painter, device, page);
    }
    return painter.end() && printer.printerState() != QPrinter::Error;
}

bool ReportPrinting::preview(QWidget *parent)
{
    PrintPreviewDialog dialog(
        *m_printer,
        [this](QPainter &painter, const PageDevice &device, int page) {
            drawPage(painter, device, page);
        },
        kPageCount, parent);
    bool printRequested = false;
    connect(&dialog, &PrintPreviewDialog::printRequested, this,
            [&printRequested] { printRequested = true; });
    dialog.exec();
    return printRequested;
}

void ReportPrinting::setup(QWidget *parent)
{
    QPageSetupDialog dialog(m_printer.get(), parent);
    dialog.exec(); // OK sets the printer's page, Cancel leaves it
}

} // namespace kx9::report
