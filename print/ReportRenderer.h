#pragma once

#include "ReportLayout.h"

#include <QByteArray>
#include <QFont>
#include <QPageSize>

#include <optional>

class QPainter;
class QPagedPaintDevice;

namespace kx9::report {

// The report's font: Times New Roman of the given character height, with
// the given average character width (both in twips, drawn on a painter
// scaled to twips). Where Times New Roman is missing a metric-compatible
// serif stands in; Chinese characters come from a CJK font.
QFont reportFont(int charHeight, int charWidth);
// A font's average character width, the lower-case letters and the blank
// weighted by how often they occur in text.
qreal averageCharWidth(const QFont &font);

// The drawing rectangle (device pixels, origin at the top-left of the
// printable area) and resolution of a printer or PDF writer.
PageDevice pageDeviceOf(const QPagedPaintDevice &device);

// Draws one page (1-5) onto a painter whose coordinates are the device's
// pixels with the origin at the top-left of the printable area. Returns
// what was drawn, in drawing order.
std::vector<PlacedText> drawReportPage(QPainter &painter, const PageDevice &device, int page,
                                       const ReportSource &source, Language language);

// The five pages as a PDF document; nothing when the PDF could not be made.
std::optional<QByteArray> reportPdf(const ReportSource &source, Language language,
                                    QPageSize::PageSizeId pageSize);

} // namespace kx9::report
