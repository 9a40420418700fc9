#pragma once

#include "ReportLayout.h"

#include <QObject>

#include <functional>
#include <memory>
#include <string>

class QByteArray;
class QPainter;
class QPrinter;
class QString;
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

    // Keeps a report printed to a PDF file: the name the user chose and the
    // whole file. Returns why it could not, as a sentence, or nothing.
    using FileKeeper = std::function<std::string(const QString &path, const QByteArray &pdf)>;
    // Without a keeper the printer writes its file itself.
    void keepFilesWith(FileKeeper keeper) { m_keeper = std::move(keeper); }
    // Why the last print failed, where the keeper said; empty otherwise.
    const std::string &failure() const { return m_failure; }

    // The print dialog (pages 1 to 5), then the pages chosen. Failed when
    // the printer or its output file could not be started.
    Outcome print(QWidget *parent);
    // The pages of the printer's range (all five when none is set), without
    // asking. False when the printer could not be started or its file kept.
    bool printPages();
    // The preview, modal. True when the user chose Print in it.
    bool preview(QWidget *parent);
    // Paper, orientation and printer, kept for the run when accepted.
    void setup(QWidget *parent);

private:
    bool drawPages();

    SourceProvider m_source;
    std::unique_ptr<QPrinter> m_printer;
    FileKeeper m_keeper;
    std::string m_failure;
};

} // namespace kx9::report
