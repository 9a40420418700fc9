#include "PrintPreviewDialog.h"
#include "ProgramRun.h"
#include "RadioType.h"
#include "RecordingDevice.h"
#include "ReportPrinting.h"
#include "ReportRenderer.h"

#include <QFile>
#include <QFontMetricsF>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace kx9::report {
namespace {

using test::RecordingDevice;

constexpr int kDpi = 600;
constexpr PageDevice kLetter{0, 0, 5100, 6600, kDpi, kDpi};
// Device pixels per twip: the scale of a text drawn at full width.
constexpr double kNormal = double(kDpi) / kTwipsPerInch;

struct NewDocument
{
    NewDocument()
    {
        table.setHeaders(Language::English);
        fillNewDocumentTable(table, Language::English);
    }
    ReportSource source() const { return {table, image, "PMR+LPD", "9"}; }

    ChannelTable table;
    ChannelImage image = newDocumentImage();
};

// Page 1 of a new document drawn on a Letter page at 600 dpi: each text
// hangs from its twip position in device pixels, in fonts of the character
// height and their column widths, and a text wider than its room is drawn
// narrower, not over its neighbour.
TEST(ReportDrawing, TextsHangFromTheirTwipPositionsInTheirFontsNarrowedToTheirRoom)
{
    NewDocument doc;
    doc.table.setCell(1, kColReceive, "446.00625");
    RecordingDevice device{kLetter.right, kLetter.bottom, kDpi};
    QPainter painter(&device);
    // Empty cells draw nothing; every other text is drawn once, in order.
    auto visible = drawReportPage(painter, kLetter, 1, doc.source(), Language::English);
    std::erase_if(visible,
                  [](auto &t) { return QString::fromStdString(t.text).trimmed().isEmpty(); });
    const auto &drawn = device.drawn();
    ASSERT_EQ(drawn.size(), visible.size());
    for (std::size_t i = 0; i < drawn.size(); ++i) {
        const auto &d = drawn[i];
        const PlacedText &t = visible[i];
        ASSERT_EQ(d.text.toStdString(), t.text);
        EXPECT_NEAR(d.baseline.x(), t.x * kNormal, 0.01) << t.text;
        // y is upward in the layout and downward on the device.
        EXPECT_NEAR(d.baseline.y() - QFontMetricsF(d.font).ascent() * kNormal, -t.y * kNormal, 0.01)
            << t.text;
        const double width = QFontMetricsF(d.font).horizontalAdvance(d.text.trimmed());
        if (d.text == "CH-P01") {      // four column units, less one unit clear
            ASSERT_GT(width, 3 * 141); // wider than its room at full width
            EXPECT_NEAR(d.transform.m11(), kNormal * 3 * 141 / width, 1e-9);
            EXPECT_NEAR(d.transform.m22(), kNormal, 1e-9);
        }
        if (d.text == "Off ") { // fits: drawn at full width
            EXPECT_NEAR(d.transform.m11(), kNormal, 1e-9);
        }
        // Six units to the next column's "Yes", ending a unit short of it so
        // that the two never read as one text.
        if (d.text == "Narrow ") {
            EXPECT_LE(width * d.transform.m11() / kNormal, 5 * 141 + 1e-6);
        }
    }

    const QFont title = drawn.front().font;
    const QFont body = drawn.back().font;
    EXPECT_EQ(std::tuple(title.pixelSize(), body.pixelSize(), body.weight(), body.italic()),
              std::tuple(350, 350, QFont::Normal, false));
    // Average character widths: CW for the title, four fifths of it for the body.
    EXPECT_NEAR(averageCharWidth(title), 141, 1);
    EXPECT_NEAR(averageCharWidth(body), 112, 1);
}

TEST(ReportPrintingCommands, SheetsFollowTheRangeCopiesCollationAndOrder)
{
    using Pages = std::vector<int>;
    EXPECT_EQ(sheetOrder(1, 5, 1, true, false), (Pages{1, 2, 3, 4, 5}));
    EXPECT_EQ(sheetOrder(2, 3, 2, true, false), (Pages{2, 3, 2, 3}));
    EXPECT_EQ(sheetOrder(2, 3, 2, false, false), (Pages{2, 2, 3, 3}));
    EXPECT_EQ(sheetOrder(3, 5, 1, true, true), (Pages{5, 4, 3}));
    EXPECT_EQ(sheetOrder(4, 4, 1, false, true), (Pages{4}));
}

// A page is drawn from the source asked for then, in the language in force
// then; printing sends the chosen pages in the order asked for and reports a
// printer that will not start.
TEST(ReportPrintingCommands, DrawsFromTheSourceInTheLanguageInForceAndPrintsTheChosenPages)
{
    NewDocument doc;
    int asked = 0;
    ReportPrinting printing([&] {
        ++asked;
        return doc.source();
    });
    RecordingDevice device(kLetter.right, kLetter.bottom, kDpi);
    {
        QPainter painter(&device);
        printing.drawPage(painter, kLetter, 1);
        EXPECT_EQ(device.drawn().front().text, "The Radio Settings");
        device.clear();
        setLanguageTag(programBaseName() + "_CH");
        printing.drawPage(painter, kLetter, 5);
        setLanguageTag(programBaseName() + "_EN");
        EXPECT_EQ(device.drawn().front().text, "第五页");
        EXPECT_EQ(asked, 2);
    }

    // Prints into a PDF: its number of pages, -1 when printing reported failure.
    QPrinter &printer = printing.printer();
    QTemporaryDir dir;
    printer.setOutputFormat(QPrinter::PdfFormat);
    const auto print = [&](const char *name) {
        printer.setOutputFileName(dir.filePath(name));
        QFile file(dir.filePath(name));
        if (!printing.printPages())
            return -1;
        return file.open(QIODevice::ReadOnly)
                   ? int(QString::fromLatin1(file.readAll())
                             .count(QRegularExpression("/Type /Page[^s]")))
                   : -2;
    };
    EXPECT_EQ(print("all.pdf"), 5);
#ifdef KX9_PDFTOTEXT
    // The first page first, unless the printer is asked for the last.
    for (const auto &[order, first] : {std::pair{QPrinter::LastPageFirst, "The Fifth Pages"},
                                       {QPrinter::FirstPageFirst, "The Radio Settings"}}) {
        printer.setPageOrder(order);
        ASSERT_EQ(print("order.pdf"), 5);
        const test::CliRun text = test::runProgram(
            dir.path().toStdString(),
            {KX9_PDFTOTEXT, "-l", "1", dir.filePath("order.pdf").toStdString(), "-"});
        EXPECT_NE(text.out.find(first), std::string::npos) << text.out;
    }
#endif
    printer.setPrintRange(QPrinter::PageRange);
    printer.setFromTo(2, 3);
    EXPECT_EQ(print("range.pdf"), 2);
    EXPECT_EQ(print("no/such/folder/x.pdf"), -1);
}

// The preview on a printer, recording which pages each repaint draws and where.
TEST(Preview, TwoPagesSideBySideStepOnePageAndStopAtTheEndsAndPrintClosesIt)
{
    QPrinter printer{QPrinter::HighResolution};
    printer.setPageSize(QPageSize(QPageSize::A4));
    std::vector<int> pages;
    std::vector<QPointF> origins;
    PrintPreviewDialog dialog(
        printer,
        [&](QPainter &painter, const PageDevice &device, int page) {
            EXPECT_GT(device.dpiX, 0);
            pages.push_back(page);
            origins.push_back(painter.transform().map(QPointF(0, 0)));
        },
        kPageCount);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    // What a repaint draws, the status, and whether Prev and Next can be used.
    using Shown = std::tuple<std::vector<int>, std::string, bool, bool>;
    const auto paint = [&] {
        pages.clear();
        origins.clear();
        dialog.grab();
        return Shown(pages, dialog.statusText().toStdString(), dialog.prevButton()->isEnabled(),
                     dialog.nextButton()->isEnabled());
    };

    ASSERT_EQ(paint(), Shown({1, 2}, "Pages 1-2", false, true));
    EXPECT_GT(origins[1].x(), origins[0].x() + 50);
    EXPECT_DOUBLE_EQ(origins[1].y(), origins[0].y());

    QTest::keyClick(&dialog, Qt::Key_PageDown);
    EXPECT_EQ(paint(), Shown({2, 3}, "Pages 2-3", true, true));
    dialog.nextButton()->click();
    dialog.nextButton()->click();
    EXPECT_EQ(paint(), Shown({4, 5}, "Pages 4-5", true, false));
    dialog.nextPage();
    EXPECT_EQ(paint(), Shown({4, 5}, "Pages 4-5", true, false));

    // One page at a time reaches the last page alone.
    dialog.pagesButton()->click();
    dialog.nextButton()->click();
    EXPECT_EQ(paint(), Shown({5}, "Page 5", true, false));
    // Back to two pages, the last spread is the last two pages.
    dialog.pagesButton()->click();
    EXPECT_EQ(paint(), Shown({4, 5}, "Pages 4-5", true, false));
    dialog.prevButton()->click();
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(&dialog, Qt::Key_PageUp);
    EXPECT_EQ(paint(), Shown({1, 2}, "Pages 1-2", false, true));

    // Zoomed in, the pages outgrow the window and scroll; zoomed out, they fit.
    const QScrollBar *bar = dialog.findChild<QScrollArea *>()->horizontalScrollBar();
    dialog.zoomIn();
    QCoreApplication::processEvents();
    EXPECT_GT(bar->maximum(), 0);
    dialog.zoomOut();
    QCoreApplication::processEvents();
    EXPECT_EQ(bar->maximum(), 0);

    bool closedFirst = false;
    QObject::connect(&dialog, &PrintPreviewDialog::printRequested,
                     [&] { closedFirst = !dialog.isVisible(); });
    dialog.printButton()->click();
    EXPECT_TRUE(closedFirst);
}

} // namespace
} // namespace kx9::report
