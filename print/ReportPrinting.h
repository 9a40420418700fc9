#pragma once

#include "ReportLayout.h"

#include <QObject>

#include <functional>
#include <memory>

class QPainter;
class QPrinter;
class QWidget;

namespace kx9::report {

// The pages to draw, sheet by sheet, for pages first..last: collated copies
// repeat the whole range, uncollated ones repeat each page; reverse starts
// from the last page.
std::vector<int> sheetOrder(int first, int last, int copies, bool collate, bool reverse);

// The File menu's Print, Print Preview and Print Setup for the channel
// report. One printer setup lives for the run, as the user left it. Every
// page is drawn from what the source gives at that moment, in the language
// in force at that moment.
class ReportPrinting : public QObject
{
    Q_OBJECT
public:
    using SourceProvider = std::function<ReportSource()>;

    explicit ReportPrinting(SourceProvider source, QObject *parent = nullptr);
    ~ReportPrinting() override;

    QPrinter &printer() const { return *m_printer; }

    // One page (1-5) onto a painter in the device's pixels.
    std::vector<PlacedText> drawPage(QPainter &painter, const PageDevice &device, int page) const;

    enum class Outcome { Printed, Cancelled, Failed };

    // The print dialog (pages 1 to 5), then the pages chosen. Failed when
    // the printer or its output file could not be started.
    Outcome print(QWidget *parent);
    // The pages of the printer's range (all five when none is set), without
    // asking. False when the printer could not be started.
    bool printPages();
    // The preview, modal. True when the user chose Print in it.
    bool preview(QWidget *parent);
    // Paper, orientation and printer, kept for the run when accepted.
    void setup(QWidget *parent);

private:
    SourceProvider m_source;
    std::unique_ptr<QPrinter> m_printer;
};

} // namespace kx9::report
