#include "ReportRenderer.h"

#include "PrintHelpTexts.h"
#include "QtText.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cmath>

namespace kx9::report {

namespace {

// A PDF has no unprintable border; these margins stand for a printer's, so
// the report sits on the paper as it would from a printer.
constexpr double kPdfMarginInches = 0.25;
constexpr int kPdfResolution = 600;

int lineHeight(const QFont &font)
{
    // Text height plus the font's external leading, as a printer measures it.
    return static_cast<int>(std::lround(QFontMetricsF(font).lineSpacing()));
}

} // namespace

qreal averageCharWidth(const QFont &font)
{
    // Letter frequencies per thousand of English text, space included: the
    // classic weighting behind a TrueType font's average width. Fonts report
    // their own average by differing rules, while the Times clones share
    // these glyph widths, so this keeps the report's width the same with
    // whichever of them stands in.
    static constexpr int kWeights[27] = {64, 14, 27, 35, 100, 20, 14, 42, 63, 3, 6,  35, 20, 56,
                                         56, 17, 4,  49, 56,  71, 31, 10, 18, 3, 18, 2,  166};
    const QFontMetricsF metrics(font);
    qreal sum = 0;
    int total = 0;
    for (int i = 0; i < 27; ++i) {
        const QChar c = i < 26 ? QChar(u'a' + i) : QChar(u' ');
        sum += kWeights[i] * metrics.horizontalAdvance(c);
        total += kWeights[i];
    }
    return sum / total;
}

QFont reportFont(int charHeight, int charWidth)
{
    QFont font;
    font.setFamilies({QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"),
                      QStringLiteral("Nimbus Roman"), QStringLiteral("Tinos"),
                      QStringLiteral("DejaVu Serif"), QStringLiteral("Noto Serif CJK SC"),
                      QStringLiteral("AR PL UMing CN"), QStringLiteral("WenQuanYi Micro Hei"),
                      QStringLiteral("Noto Sans CJK SC")});
    font.setStyleHint(QFont::Times);
    font.setPixelSize(std::max(1, charHeight));
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    font.setKerning(false);
    // The width is the font's average character width; Qt sets it as a
    // stretch of the natural width.
    const qreal natural = averageCharWidth(font);
    if (natural > 0 && charWidth > 0) {
        const int stretch = static_cast<int>(std::lround(100.0 * charWidth / natural));
        font.setStretch(std::clamp(stretch, 1, 4000));
    }
    return font;
}

PageDevice pageDeviceOf(const QPagedPaintDevice &device)
{
    PageDevice d;
    d.right = device.width();
    d.bottom = device.height();
    d.dpiX = device.logicalDpiX();
    d.dpiY = device.logicalDpiY();
    return d;
}

std::vector<PlacedText> drawReportPage(QPainter &painter, const PageDevice &device, int page,
                                       const ReportSource &source, Language language)
{
    const PageMetrics metrics = pageMetrics(device);
    if (metrics.charHeight <= 0) {
        return {};
    }
    const QFont title = reportFont(metrics.charHeight, metrics.titleCharWidth());
    const QFont body = reportFont(metrics.charHeight, metrics.bodyCharWidth());
    const LineHeights lines = fitLineHeights(device, {lineHeight(title), lineHeight(body)});
    std::vector<PlacedText> texts = layoutPage(page, device, lines, source, language);

    painter.save();
    // One logical unit is one twip; y grows downward here, so the layout's
    // upward y is negated.
    painter.scale(device.dpiX / double(kTwipsPerInch), device.dpiY / double(kTwipsPerInch));
    painter.setPen(Qt::black);
    const QFontMetricsF titleMetrics(title);
    const QFontMetricsF bodyMetrics(body);
    // Texts keep a column unit, over a blank and a half, clear of the next
    // one: half a unit let "Narrow Yes" read as one text.
    const qreal gap = metrics.columnUnit;
    for (const PlacedText &t : texts) {
        const bool isTitle = t.font == ReportFont::Title;
        const QFontMetricsF &fm = isTitle ? titleMetrics : bodyMetrics;
        painter.setFont(isTitle ? title : body);
        const QString text = qs(t.text);
        // Drawn by its top-left corner: the baseline is one ascent lower.
        const QPointF origin(t.x, -t.y + fm.ascent());
        // A text wider than its room (a channel label in the body font is
        // wider than the four column units before the frequency) is drawn
        // narrower, so that it never runs into the next column.
        const qreal width = fm.horizontalAdvance(text.trimmed());
        const qreal room = t.room - gap;
        if (t.room > 0 && room > 0 && width > room) {
            painter.save();
            painter.translate(origin);
            painter.scale(room / width, 1.0);
            painter.drawText(QPointF(0, 0), text);
            painter.restore();
        } else {
            painter.drawText(origin, text);
        }
    }
    painter.restore();
    return texts;
}

std::optional<QByteArray> reportPdf(const ReportSource &source, Language language,
                                    QPageSize::PageSizeId pageSize)
{
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        if (!buffer.open(QIODevice::WriteOnly)) {
            return std::nullopt;
        }
        QPdfWriter writer(&buffer);
        writer.setResolution(kPdfResolution);
        writer.setCreator(QStringLiteral("KX9"));
        writer.setTitle(qs(text::kReportDocumentTitle.in(language)));
        const double margin = kPdfMarginInches * 25.4;
        if (!writer.setPageLayout(QPageLayout(QPageSize(pageSize), QPageLayout::Portrait,
                                              QMarginsF(margin, margin, margin, margin),
                                              QPageLayout::Millimeter))) {
            return std::nullopt;
        }
        QPainter painter;
        if (!painter.begin(&writer)) {
            return std::nullopt;
        }
        const PageDevice device = pageDeviceOf(writer);
        for (int page = 1; page <= kPageCount; ++page) {
            if (page > 1 && !writer.newPage()) {
                return std::nullopt;
            }
            drawReportPage(painter, device, page, source, language);
        }
        if (!painter.end()) {
            return std::nullopt;
        }
    }
    if (bytes.isEmpty()) {
        return std::nullopt;
    }
    return bytes;
}

} // namespace kx9::report
