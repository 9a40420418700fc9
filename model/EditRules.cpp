#include "EditRules.h"

#include "FrequencyCheck.h"
#include "RadioType.h"
#include "TextFormat.h"
#include "ToneTable.h"

#include <algorithm>
#include <array>
#include <span>

namespace kx9 {

namespace {

// A working copy of one row, so that each rule sees the effect of the cells it
// has already decided to write.
class RowEdit
{
public:
    RowEdit(const ChannelTable &table, int row) : m_row(row)
    {
        for (int c = 0; c < kTableCols; ++c)
            m_cells[static_cast<std::size_t>(c)] = table.cell(row, c);
    }

    const std::string &operator[](int col) const { return m_cells[static_cast<std::size_t>(col)]; }
    bool empty(int col) const { return (*this)[col].empty(); }
    bool hasFrequency() const { return !empty(kColReceive) || !empty(kColTransmit); }

    void set(int col, std::string_view text)
    {
        m_cells[static_cast<std::size_t>(col)] = std::string(text);
        m_outcome.edits.push_back({m_row, col, std::string(text)});
    }
    void setMessage(const TextPair &message) { m_outcome.message = message; }
    void setNotice(std::string notice) { m_outcome.notice = std::move(notice); }
    EditOutcome take() { return std::move(m_outcome); }

private:
    int m_row;
    std::array<std::string, kTableCols> m_cells;
    EditOutcome m_outcome;
};

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() &&
           equalsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

std::vector<std::string> pairItems(std::span<const TextPair> pairs, Language language)
{
    std::vector<std::string> items;
    for (const TextPair &p : pairs)
        items.emplace_back(p.in(language));
    return items;
}

} // namespace

EditorKind editorForColumn(int col)
{
    switch (col) {
    case kColRxTone:
    case kColTxTone:
        return EditorKind::ToneList;
    case kColBandwidth:
        return EditorKind::BandwidthList;
    case kColScan:
        return EditorKind::ScanList;
    case kColPower:
        return EditorKind::PowerList;
    case kColBusyLock:
        return EditorKind::BusyLockList;
    case kColName:
        return EditorKind::Name;
    default:
        return EditorKind::Frequency;
    }
}

bool isPickList(EditorKind kind)
{
    return kind != EditorKind::Frequency && kind != EditorKind::Name;
}

std::span<const TextPair> pickListTexts(EditorKind kind)
{
    switch (kind) {
    case EditorKind::BandwidthList:
        return text::kBandwidthItems;
    case EditorKind::ScanList:
        return text::kScanItems;
    case EditorKind::PowerList:
        return text::kPowerItems;
    case EditorKind::BusyLockList:
        return text::kBusyLockItems;
    default:
        return {};
    }
}

std::vector<std::string> pickListItems(EditorKind kind, Language language)
{
    if (kind == EditorKind::ToneList) {
        return {ToneTable::entries().begin(), ToneTable::entries().end()};
    }
    return pairItems(pickListTexts(kind), language);
}

int pickListIndexFor(const std::vector<std::string> &items, std::string_view cellText)
{
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (startsWithIgnoringCase(items[i], cellText))
            return static_cast<int>(i);
    }
    return 0;
}

bool rowInsideType(int row, int typeIndex)
{
    return row >= 1 && row <= channelCount(typeIndex);
}

EditOutcome commitFrequency(const ChannelTable &table, int row, int col, std::string_view text,
                            CommitKind kind, Language language)
{
    RowEdit r(table, row);
    std::string v(text);
    if (!v.empty()) {
        const FrequencyCheck check = checkFrequency(v);
        switch (check.error) {
        case FrequencyError::None:
            v = check.normalised;
            if (check.outsideBand)
                r.setNotice(outsideBandWarning(v, language));
            break;
        // A refused value leaves the cell as it was: emptying it would throw
        // away a good frequency (and its tone) for a typo.
        case FrequencyError::NotANumber:
        case FrequencyError::OutOfRange:
            r.setMessage(text::kErrorDataFormat);
            return r.take();
        case FrequencyError::OffStep:
            r.setMessage(kind == CommitKind::Enter ? text::kErrorDataValueEnter
                                                   : text::kErrorDataValue);
            return r.take();
        }
    }

    if (!v.empty()) {
        const bool newRow = r.empty(kColRxTone) && r.empty(kColTxTone) && r.empty(kColBandwidth) &&
                            r.empty(kColReceive) && r.empty(kColTransmit);
        if (newRow) {
            r.set(kColRxTone, "Off");
            r.set(kColTxTone, "Off");
            r.set(kColPower, text::kHigh.in(language));
            r.set(kColBandwidth, text::kWide.in(language));
            r.set(kColScan, text::kYes.in(language));
            r.set(kColBusyLock, text::kClose.in(language));
            if (kind == CommitKind::Leave)
                r.set(kColName, "");
            // Only a new row gets its transmit frequency from the receive
            // frequency; an existing split (repeater) pair is left alone.
            if (col == kColReceive)
                r.set(kColTransmit, v);
        }
        r.set(col, v);
        return r.take();
    }

    // The value was emptied: the frequency takes its tone along.
    if (col == kColReceive)
        r.set(kColRxTone, "");
    if (col == kColTransmit)
        r.set(kColTxTone, "");
    r.set(col, "");
    const bool rowIsEmpty = kind == CommitKind::Leave
                                ? !r.hasFrequency() && r.empty(kColRxTone) && r.empty(kColTxTone)
                                : !r.hasFrequency();
    if (rowIsEmpty) {
        for (int c : {kColBandwidth, kColScan, kColPower, kColBusyLock, kColName})
            r.set(c, "");
    }
    return r.take();
}

EditOutcome commitTone(const ChannelTable &table, int row, int col, std::string_view listText,
                       const std::vector<std::string> &items, CommitKind kind)
{
    RowEdit r(table, row);
    if (!r.hasFrequency()) {
        r.set(col, "");
        return r.take();
    }
    std::string v(listText);
    if (kind == CommitKind::Enter &&
        std::none_of(items.begin(), items.end(),
                     [&](const std::string &item) { return equalsIgnoringCase(item, v); }))
        v = "OFF";
    r.set(col, v);
    return r.take();
}

EditOutcome commitPick(const ChannelTable &table, int row, int col, std::string_view listText,
                       CommitKind kind)
{
    RowEdit r(table, row);
    if (r.hasFrequency())
        r.set(col, listText);
    else if (kind == CommitKind::Leave)
        r.set(col, "");
    return r.take();
}

EditOutcome commitName(const ChannelTable &table, int row, std::string_view text, CommitKind kind)
{
    RowEdit r(table, row);
    if (kind == CommitKind::Leave || r.hasFrequency())
        r.set(kColName, text);
    return r.take();
}

bool typedCharNeedsNumberMessage(char32_t ch)
{
    return ch >= 32 && !(ch >= U'0' && ch <= U'9');
}

TextEditorOpening openTextEditor(std::string_view cellText, char32_t ch)
{
    TextEditorOpening opening;
    // The editor starts from its own cell only: text left in it from another
    // cell would be prefixed to the value typed here.
    std::string candidate(cellText);
    if (ch >= 32) {
        if (typedCharNeedsNumberMessage(ch))
            opening.askForNumber = true;
        else
            candidate += utf8(ch);
    }
    const bool typed = ch != 0 && ch != 13;
    if (cellText.empty()) {
        opening.text = candidate;
        opening.selectAll = !typed;
    } else if (typed) {
        opening.text = utf8(ch);
    } else {
        opening.text = std::string(cellText);
        opening.selectAll = true;
    }
    return opening;
}

} // namespace kx9
