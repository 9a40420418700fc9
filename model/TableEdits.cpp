#include "TableEdits.h"

#include "EditRules.h"
#include "NameRules.h"
#include "NumberText.h"
#include "RadioType.h"
#include "TextFormat.h"
#include "Texts.h"
#include "ToneTable.h"

#include <algorithm>
#include <span>

namespace kx9 {

namespace {

std::vector<std::string> splitOn(std::string_view text, char separator)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        parts.emplace_back(text.substr(start, end - start));
        if (end == std::string_view::npos)
            return parts;
        start = end + 1;
    }
}

void apply(ChannelTable &table, const EditOutcome &outcome)
{
    for (const CellEdit &e : outcome.edits)
        table.setCell(e.row, e.col, e.text);
}

bool rowHasFrequency(const ChannelTable &table, int row)
{
    return !table.cell(row, kColReceive).empty() || !table.cell(row, kColTransmit).empty();
}

bool channelInUse(const ChannelTable &table, int row)
{
    for (int col = 1; col < kTableCols; ++col)
        if (!table.cell(row, col).empty())
            return true;
    return false;
}

void copyChannel(ChannelTable &table, int from, int to)
{
    for (int col = 1; col < kTableCols; ++col)
        table.setCell(to, col, table.cell(from, col));
}

// Writes one pasted cell; returns the reason when it is refused. note gets
// what the user should know of a cell written otherwise than pasted.
std::string pasteCell(ChannelTable &table, int row, int col, const std::string &text,
                      Language language, std::string &note)
{
    switch (editorForColumn(col)) {
    case EditorKind::Frequency: {
        const EditOutcome out = commitFrequency(table, row, col, text, CommitKind::Leave, language);
        if (out.message)
            return std::string(out.message->in(language));
        apply(table, out);
        note = out.notice;
        return {};
    }
    case EditorKind::Name: {
        const std::string name = fitChannelName(text);
        if (name != text)
            note = fillIn(text::kPasteNameFitted.in(language), {text, name});
        apply(table, commitName(table, row, name, CommitKind::Leave));
        return {};
    }
    case EditorKind::ToneList: {
        if (text.empty())
            return {};
        // A tone a spreadsheet rewrote as a number ("67" for 67.0) is the
        // tone it reads as, as a channel list's import reads it.
        const std::string wanted = oneDecimalText(text).value_or(text);
        const auto &tones = ToneTable::entries();
        const auto tone = std::find_if(tones.begin(), tones.end(), [&](std::string_view t) {
            return equalsIgnoringCase(t, wanted);
        });
        if (tone == tones.end())
            return fillIn(text::kPasteNotATone.in(language), {text});
        if (!rowHasFrequency(table, row))
            return std::string(text::kPasteNoFrequency.in(language));
        table.setCell(row, col, std::string(*tone));
        return {};
    }
    default: {
        if (text.empty())
            return {};
        const std::span<const TextPair> items = pickListTexts(editorForColumn(col));
        const auto item = std::find_if(items.begin(), items.end(), [&](const TextPair &p) {
            return equalsIgnoringCase(p.en, text) || p.zh == text;
        });
        if (item == items.end()) {
            std::string allowed;
            for (const TextPair &p : items)
                allowed += (allowed.empty() ? "" : ", ") + std::string(p.in(language));
            return fillIn(text::kPasteNotAnItem.in(language), {text, allowed});
        }
        if (!rowHasFrequency(table, row))
            return std::string(text::kPasteNoFrequency.in(language));
        table.setCell(row, col, std::string(item->in(language)));
        return {};
    }
    }
}

} // namespace

std::string copyCells(const ChannelTable &table, const CellRange &range)
{
    std::string out;
    for (int row = range.top; row <= range.bottom; ++row) {
        for (int col = range.left; col <= range.right; ++col) {
            if (col > range.left)
                out += '\t';
            out += table.cell(row, col);
        }
        out += '\n';
    }
    return out;
}

PasteResult pasteCells(const ChannelTable &table, int type, int row, int col, std::string_view text,
                       Language language)
{
    PasteResult result{table, {}, {}, 0};
    std::vector<std::string> lines = splitOn(text, '\n');
    if (!lines.empty() && lines.back().empty())
        lines.pop_back(); // the line end of the last line
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int r = row + static_cast<int>(i);
        if (r >= kTableRows || !rowInsideType(r, type)) {
            ++result.rowsPastType;
            continue;
        }
        std::string line = lines[i];
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::vector<std::string> cells = splitOn(line, '\t');
        for (std::size_t j = 0; j < cells.size(); ++j) {
            const int c = col + static_cast<int>(j);
            if (c >= kTableCols)
                break;
            std::string note;
            std::string reason = pasteCell(result.table, r, c, cells[j], language, note);
            if (!reason.empty())
                result.refused.push_back({r, c, std::move(reason)});
            if (!note.empty())
                result.changed.push_back({r, c, std::move(note)});
        }
    }
    return result;
}

std::string pasteReport(const ChannelTable &table, const PasteResult &result, int type,
                        Language language)
{
    std::string report;
    const auto list = [&](const std::vector<PasteRefusal> &cells, const TextPair &heading) {
        if (cells.empty())
            return;
        report += (report.empty() ? "" : "\n") + std::string(heading.in(language));
        for (const PasteRefusal &r : cells) {
            std::string header = table.cell(0, r.col);
            header.erase(0, header.find_first_not_of(' '));
            header.erase(header.find_last_not_of(' ') + 1);
            report += "\n" + table.cell(r.row, kColLabel) + " " + header + ": " + r.reason;
        }
    };
    list(result.refused, text::kPasteRefused);
    list(result.changed, text::kPasteChanged);
    if (result.rowsPastType > 0) {
        if (!report.empty())
            report += "\n";
        report += fillIn(text::kPastePastType.in(language),
                         {std::to_string(result.rowsPastType), std::to_string(channelCount(type))});
    }
    return report;
}

void clearChannels(ChannelTable &table, int firstRow, int lastRow)
{
    for (int row = std::max(firstRow, 1); row <= lastRow && row < kTableRows; ++row)
        for (int col = 1; col < kTableCols; ++col)
            table.setCell(row, col, {});
}

bool insertEmptyChannels(ChannelTable &table, int type, int row, int count)
{
    const int last = channelCount(type);
    if (count < 1 || row < 1 || row + count - 1 > last)
        return false;
    for (int r = last - count + 1; r <= last; ++r)
        if (channelInUse(table, r))
            return false;
    for (int r = last; r >= row + count; --r)
        copyChannel(table, r - count, r);
    clearChannels(table, row, row + count - 1);
    return true;
}

bool deleteChannels(ChannelTable &table, int type, int row, int count)
{
    const int last = channelCount(type);
    if (count < 1 || row < 1 || row + count - 1 > last)
        return false;
    for (int r = row; r + count <= last; ++r)
        copyChannel(table, r + count, r);
    clearChannels(table, last - count + 1, last);
    return true;
}

bool moveChannels(ChannelTable &table, int type, int row, int count, int by)
{
    const int last = channelCount(type);
    if (count < 1 || row + by < 1 || row + count - 1 + by > last || row < 1 ||
        row + count - 1 > last)
        return false;
    // Rotates the block and the rows it passes over.
    const int first = std::min(row, row + by);
    const int end = std::max(row + count - 1, row + count - 1 + by);
    std::vector<std::vector<std::string>> rows;
    for (int r = first; r <= end; ++r) {
        std::vector<std::string> cells;
        for (int c = 1; c < kTableCols; ++c)
            cells.push_back(table.cell(r, c));
        rows.push_back(std::move(cells));
    }
    const auto span = static_cast<std::ptrdiff_t>(rows.size());
    const auto shift = static_cast<std::ptrdiff_t>(by > 0 ? span - by : -by);
    std::rotate(rows.begin(), rows.begin() + (shift % span), rows.end());
    for (int r = first; r <= end; ++r)
        for (int c = 1; c < kTableCols; ++c)
            table.setCell(
                r, c, rows[static_cast<std::size_t>(r - first)][static_cast<std::size_t>(c - 1)]);
    return true;
}

} // namespace kx9
