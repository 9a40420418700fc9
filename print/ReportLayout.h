#pragma once

#include "ChannelImage.h"
#include "ChannelTable.h"
#include "Language.h"

#include <string>
#include <string_view>
#include <vector>

namespace kx9::report {

// The printed channel report: five pages whatever the radio type, page 1
// with the radio-wide settings, every page with its share of the 128
// channel rows. Positions are in twips (1/1440 inch), x to the right and y
// upward from the top-left corner of the printable area, so lines further
// down have more negative y. Each text's top-left corner is at its point.
inline constexpr int kPageCount = 5;
inline constexpr int kTwipsPerInch = 1440;

// The drawing rectangle of a page in device pixels and the device's
// resolution in dots per inch.
struct PageDevice
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int dpiX = 0;
    int dpiY = 0;
};

// The two sizes every font and position of a page derive from, in twips.
struct PageMetrics
{
    int charHeight = 0; // H: one 45th of the page height
    int columnUnit = 0; // CW: the page width less 900 twips, in 80 parts
    // Character widths of the two fonts; both have the height H.
    int titleCharWidth() const { return columnUnit; }
    int bodyCharWidth() const { return static_cast<int>(columnUnit * 0.8); }
};

// H and CW for a page; all zero when the device reports no resolution.
PageMetrics pageMetrics(const PageDevice &device);

// The channel rows a page lists (rows of the grid, row n is channel n).
struct RowRange
{
    int first = 0;
    int last = 0;
};
RowRange pageRows(int page);
std::string_view pageTitle(int page, Language language);

enum class ReportFont { Title, Body };

struct PlacedText
{
    ReportFont font = ReportFont::Body;
    int x = 0;
    int y = 0;
    std::string text;
    // Twips from x to the next text on the line, or to the page's right edge:
    // a text wider than that is drawn narrower rather than over its neighbour.
    int room = 0;
    friend bool operator==(const PlacedText &, const PlacedText &) = default;
};

// What a page is drawn from: the grid's texts as shown (row 0 the
// headers), the image as the document holds it, and the texts of the
// items selected in the Type and Tx Power Rank selectors.
struct ReportSource
{
    const ChannelTable &table;
    const ChannelImage &image;
    std::string typeText;
    std::string powerRankText;
};

// Line heights of the two fonts on the device (text height plus external
// leading), in twips, as the renderer measured them.
struct LineHeights
{
    int title = 0;
    int body = 0;
};

// The measured line heights, or smaller ones where a font's lines are so
// tall that the fullest page would run past the bottom of the drawing
// rectangle: every page then keeps all its lines on the paper.
LineHeights fitLineHeights(const PageDevice &device, const LineHeights &measured);

// Every text of one page (1 to 5), in drawing order. Empty for a page
// number outside 1-5.
std::vector<PlacedText> layoutPage(int page, const PageDevice &device, const LineHeights &lines,
                                   const ReportSource &source, Language language);

} // namespace kx9::report
