#pragma once

// Reading one line of a channel list CSV into checked channel values.

#include "CsvFields.h"
#include "CsvText.h"
#include "Language.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kx9::csv {

// The columns a line is read through, by header position.
class Columns
{
public:
    explicit Columns(const std::vector<std::string> &header)
    {
        for (std::size_t i = 0; i < header.size(); ++i) {
            m_index.emplace(upper(trimmed(header[i])), i); // the first of a name wins
        }
    }
    bool has(std::string_view name) const { return m_index.count(upper(name)) != 0; }
    // The field of a column, or nothing when the file has no such column.
    std::optional<std::string_view> field(const CsvRecord &rec, std::string_view name) const
    {
        const auto it = m_index.find(upper(name));
        if (it == m_index.end() || it->second >= rec.fields.size()) {
            return std::nullopt;
        }
        return std::string_view(rec.fields[it->second]);
    }

private:
    std::map<std::string, std::size_t> m_index;
};

// What one line asks for, checked; an empty optional keeps the table's value.
struct ChannelValues
{
    std::string receive;
    std::string transmit; // empty: receive only
    std::optional<std::string> rxTone, txTone;
    std::optional<bool> wide, scan, high;
    std::optional<std::string> name;
    std::vector<std::string> warnings;
};

// The checked values of a line, or nothing with the reason to refuse it, in
// the given language. Each value passes the check typing applies to it.
std::optional<ChannelValues> readChannelLine(const Columns &columns, const CsvRecord &rec,
                                             Language language, std::string &reason);

} // namespace kx9::csv
